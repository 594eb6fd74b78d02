#pragma once

#include "Random.h"

#include <cstddef>
#include <vector>

namespace Velmora::AudioGen {

/// Karplus-Strong string: a noise burst circulating in a tuned delay line whose loop filter
/// removes highs on every pass. Used for the upright bass and for plucked accompaniment.
class PluckString {
public:
    /// frequency in Hz (20 … 4000); decaySeconds is the time to fall by 60 dB; brightness in
    /// [0, 1] shapes both the pluck (how sharp the burst is) and how fast highs die.
    PluckString(double frequency, double decaySeconds, double brightness, Random& random);

    /// The next output sample.
    float Next();
    /// From now on the string dies within the given time (a finger damping it).
    void Damp(double decaySeconds);

private:
    double LoopGain(double decaySeconds) const;

    std::vector<float> mLine;
    size_t mIndex = 0;
    double mFrequency;
    double mBlend;
    double mAllPassCoef;
    double mGain;
    double mPrevious = 0.0;
    double mApIn = 0.0;
    double mApOut = 0.0;
};

} // namespace Velmora::AudioGen
