#pragma once

#include "Song.h"

namespace Velmora::AudioGen {

/// "vm_chase": the chase music. E minor, 152 BPM, 48 bars: drive, theme, bridge, build,
/// theme doubled, call and response ending on B7 to fall back into the top.
class ChaseSong {
public:
    static Song Build();
};

} // namespace Velmora::AudioGen
