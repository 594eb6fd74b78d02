#pragma once

#include "Song.h"

namespace Velmora::AudioGen {

/// "vm_tense": the sneaking music. D minor, 96 BPM, 32 bars in four sections
/// (A sparse motif, A' melody, B rising, A'' melody thinning out into the loop).
class TenseSong {
public:
    static Song Build();
};

} // namespace Velmora::AudioGen
