#pragma once

#include "core/Value.h"

#include <string>

namespace Velmora {

/// A named template for entities, loaded from data/object/NAME.xml: for each component its name
/// (a string value) followed by the values that component's Load reads.
struct Archetype {
    std::string mName;      ///< as listed in the manifest; also the file name
    ValueList mValues;      ///< the file's values, in file order
    bool mEditable = false; ///< offered by the level editor's archetype list
};

} // namespace Velmora
