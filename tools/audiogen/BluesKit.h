#pragma once

#include "Song.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Velmora::AudioGen {

/// Accompaniment rules shared by the two blues pieces: the bass lines and the comping are
/// derived from the written chord changes, with seeded choices so every run plays the same.
class BluesKit {
public:
    /// One rhythmic hit of a comping pattern, in beats within the bar.
    struct Hit {
        double mBeat;
        double mLength;
        double mAccent;
    };
    using Pattern = std::vector<Hit>;

    /// A walking bass in quarter notes: the root on each chord change, chord tones between,
    /// and a chromatic (or fifth-above) approach on the beat before each change; now and then
    /// a swung ghost note. bars holds one or two chord symbols per bar (as Notation::ParseBar).
    static void WalkBass(Track& track, const std::vector<std::string>& bars, int lowest, uint64_t seed,
                         double velocity);
    /// A shuffle boogie line: root-third-fifth-sixth up, then flat seven-sixth-fifth-third down
    /// on alternate bars (minor chords use their own third and seventh).
    static void BoogieBass(Track& track, const std::vector<std::string>& bars, int lowest, double velocity);
    /// Chords voiced around centre (rootless when asked), played in a rhythm picked per bar from
    /// patterns; hits in the second half of a two-chord bar take the second chord.
    static void Comp(Track& track, const std::vector<std::string>& bars, double centre, bool rootless,
                     const std::vector<Pattern>& patterns, uint64_t seed, double velocity);
};

} // namespace Velmora::AudioGen
