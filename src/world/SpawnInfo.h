#pragma once

#include "core/Value.h"
#include "core/Vector2.h"

#include <string>

namespace Velmora::Logic {

/// One entry of a level's spawn list: an entity to build from an archetype when the level
/// begins. Owned by the Level.
struct SpawnInfo {
    std::string mArchetype; ///< archetype name
    std::string mName;      ///< entity name; empty for none
    Vector2 mPosition;      ///< world units; (0, 0) when the file gives none
    Vector2 mDirection;     ///< facing vector; (0, 0) when the file gives none
    ValueList mData;        ///< per-entity values handed to the components (LoadInstance)
};

} // namespace Velmora::Logic
