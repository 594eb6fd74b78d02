#pragma once

#include "Song.h"

namespace Velmora::AudioGen {

/// "vm_blues_credits": the credits music. A warm, upbeat shuffle blues in G, 120 BPM; three
/// 12-bar choruses: the sax riff head, an organ chorus, the head again over a busier band.
class CreditsBluesSong {
public:
    static Song Build();
};

} // namespace Velmora::AudioGen
