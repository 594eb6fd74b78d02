#pragma once

#include "Song.h"

namespace Velmora::AudioGen {

/// "vm_blues_title": the title and menu music. A slow minor blues in C, 70 BPM with a triplet
/// swing; two 12-bar choruses: the head on muted trumpet, then a tenor-sax chorus.
class TitleBluesSong {
public:
    static Song Build();
};

} // namespace Velmora::AudioGen
