#pragma once

#include "Reverb.h"
#include "Signal.h"

namespace Velmora::AudioGen {

/// Helpers for assembling and finishing short mono sound effects.
class EffectTools {
public:
    /// A silent clip of the given length.
    static Mono Blank(double seconds);
    /// Mixes clip into target at a time in seconds, growing target when the clip runs past its end.
    static void Place(Mono& target, const Mono& clip, double atSeconds, double gain);
    /// Adds a room to the clip (mono sum of the stereo reverb), extending it by tailSeconds.
    static void AddRoom(Mono& clip, const ReverbSettings& room, double wet, double tailSeconds);
    /// Makes a clip ready to ship: removes DC and rumble, drops the silent tail, fades both ends
    /// (so it starts and ends on silence) and scales the peak to peakDb.
    static void Finish(Mono& clip, double peakDb, double fadeInSeconds, double fadeOutSeconds);
};

} // namespace Velmora::AudioGen
