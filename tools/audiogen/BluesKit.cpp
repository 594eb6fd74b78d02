#include "BluesKit.h"

#include "Notation.h"
#include "Random.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Velmora::AudioGen {
namespace {

/// The chord sounding at each beat of the form, and whether it changes on that beat.
struct BeatChord {
    Chord mChord;
    bool mChange;
};

std::vector<BeatChord> ChordPerBeat(const std::vector<std::string>& bars) {
    std::vector<BeatChord> beats;
    for (const std::string& bar : bars) {
        const std::vector<Chord> chords = Notation::ParseBar(bar);
        for (int beat = 0; beat < 4; ++beat) {
            const size_t index = static_cast<size_t>(beat) * chords.size() / 4;
            const bool change = beat == 0 || index != static_cast<size_t>(beat - 1) * chords.size() / 4;
            beats.push_back(BeatChord{chords[index], change});
        }
    }
    return beats;
}

/// The pitch of pitchClass (+ interval) closest to near, kept within [lowest, lowest + 15].
int Nearest(int pitchClass, int near, int lowest) {
    int best = lowest + ((pitchClass - lowest) % 12 + 12) % 12;
    for (int p = best; p <= lowest + 15; p += 12) {
        if (std::abs(p - near) < std::abs(best - near)) {
            best = p;
        }
    }
    return best;
}

int ChordTone(const Chord& chord, int current, int target, int lowest, Random& random) {
    // Prefer tones that move towards the target without repeating the current note.
    int best = current;
    double bestScore = 1e9;
    for (const int interval : chord.mIntervals) {
        const int p = Nearest(chord.mRoot + interval, (current + target) / 2, lowest);
        const double score =
            std::abs(p - (current + target) / 2.0) + (p == current ? 6.0 : 0.0) + random.Uniform(0.0, 2.5);
        if (score < bestScore) {
            bestScore = score;
            best = p;
        }
    }
    return best;
}

} // namespace

void BluesKit::WalkBass(Track& track, const std::vector<std::string>& bars, int lowest, uint64_t seed,
                        double velocity) {
    const std::vector<BeatChord> beats = ChordPerBeat(bars);
    Random random(seed);
    int current = Nearest(beats.front().mChord.mRoot, lowest + 5, lowest);
    for (size_t i = 0; i < beats.size(); ++i) {
        const BeatChord& next = beats[(i + 1) % beats.size()];
        const int target = Nearest(next.mChord.mRoot, current, lowest);
        if (beats[i].mChange) {
            current = Nearest(beats[i].mChord.mRoot, current, lowest);
        } else if (next.mChange) {
            const bool fromAbove = target - 1 < lowest || (target + 1 <= lowest + 15 && random.Uniform() < 0.5);
            current =
                random.Uniform() < 0.8 ? target + (fromAbove ? 1 : -1) : Nearest(next.mChord.mRoot + 7, target, lowest);
        } else {
            current = ChordTone(beats[i].mChord, current, target, lowest, random);
        }
        const double accent = i % 4 == 0 ? 1.0 : (i % 2 == 0 ? 0.85 : 0.9);
        track.Add(static_cast<double>(i), 0.92, current, velocity * accent);
        if (random.Uniform() < 0.12 && !next.mChange) {
            track.Add(i + 0.5, 0.3, current, velocity * 0.45);
        }
    }
}

void BluesKit::BoogieBass(Track& track, const std::vector<std::string>& bars, int lowest, double velocity) {
    for (size_t bar = 0; bar < bars.size(); ++bar) {
        const std::vector<Chord> chords = Notation::ParseBar(bars[bar]);
        for (size_t c = 0; c < chords.size(); ++c) {
            const Chord& chord = chords[c];
            const bool minor = std::find(chord.mIntervals.begin(), chord.mIntervals.end(), 3) != chord.mIntervals.end();
            const int third = minor ? 3 : 4;
            const std::vector<int> up = {0, third, 7, 9};
            const std::vector<int> down = {10, 9, 7, third};
            const std::vector<int>& line = chords.size() == 1 && bar % 2 == 1 ? down : up;
            const int root = Notation::RootAtOrAbove(chord, lowest);
            const size_t steps = 4 / chords.size();
            for (size_t s = 0; s < steps; ++s) {
                const double beat = 4.0 * bar + 4.0 * c / chords.size() + s;
                track.Add(beat, 0.9, root + line[s], velocity * (s == 0 ? 1.0 : 0.85));
            }
        }
    }
}

void BluesKit::Comp(Track& track, const std::vector<std::string>& bars, double centre, bool rootless,
                    const std::vector<Pattern>& patterns, uint64_t seed, double velocity) {
    Random random(seed);
    for (size_t bar = 0; bar < bars.size(); ++bar) {
        const std::vector<Chord> chords = Notation::ParseBar(bars[bar]);
        const Pattern& pattern = patterns[static_cast<size_t>(random.Below(static_cast<int>(patterns.size())))];
        for (const Hit& hit : pattern) {
            const size_t index = std::min(chords.size() - 1, static_cast<size_t>(hit.mBeat * chords.size() / 4.0));
            const std::vector<int> voicing = Notation::Voice(chords[index], centre, rootless);
            track.AddChord(4.0 * bar + hit.mBeat, hit.mLength, voicing, velocity * hit.mAccent, 0.012);
        }
    }
}

} // namespace Velmora::AudioGen
