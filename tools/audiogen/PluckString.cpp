#include "PluckString.h"

#include "Signal.h"

#include <algorithm>
#include <cmath>

namespace Velmora::AudioGen {

PluckString::PluckString(double frequency, double decaySeconds, double brightness, Random& random)
    : mFrequency(std::clamp(frequency, 20.0, 4000.0)) {
    const double bright = std::clamp(brightness, 0.0, 1.0);
    // The two-point loop filter delays by mBlend samples; a first-order all-pass supplies the
    // fractional rest of the period so the string is in tune.
    mBlend = 0.5 - 0.45 * bright;
    const double period = kSampleRate / mFrequency - mBlend;
    const int whole = std::max(2, static_cast<int>(std::floor(period - 0.1)));
    const double fraction = period - whole;
    mAllPassCoef = (1.0 - fraction) / (1.0 + fraction);
    mGain = LoopGain(decaySeconds);

    // The pluck: noise low-passed by a one-pole whose cutoff grows with brightness, mean removed.
    mLine.assign(static_cast<size_t>(whole), 0.0f);
    const double cutoff = mFrequency * (1.5 + 10.0 * bright);
    const double coef = 1.0 - std::exp(-2.0 * kPi * cutoff / kSampleRate);
    double state = 0.0;
    double mean = 0.0;
    for (int pass = 0; pass < 3; ++pass) {
        for (float& sample : mLine) {
            state += coef * (random.Bipolar() - state);
            if (pass == 2) {
                sample = static_cast<float>(state);
                mean += state;
            }
        }
    }
    mean /= static_cast<double>(mLine.size());
    double peak = 1e-9;
    for (float& sample : mLine) {
        sample = static_cast<float>(sample - mean);
        peak = std::max(peak, static_cast<double>(std::fabs(sample)));
    }
    for (float& sample : mLine) {
        sample = static_cast<float>(sample / peak);
    }
}

double PluckString::LoopGain(double decaySeconds) const {
    return std::pow(10.0, -3.0 / (std::max(decaySeconds, 0.01) * mFrequency));
}

void PluckString::Damp(double decaySeconds) { mGain = std::min(mGain, LoopGain(decaySeconds)); }

float PluckString::Next() {
    const double x = mLine[mIndex];
    const double filtered = (1.0 - mBlend) * x + mBlend * mPrevious;
    mPrevious = x;
    const double shifted = mAllPassCoef * filtered + mApIn - mAllPassCoef * mApOut;
    mApIn = filtered;
    mApOut = shifted;
    mLine[mIndex] = static_cast<float>(shifted * mGain);
    mIndex = (mIndex + 1) % mLine.size();
    return static_cast<float>(x);
}

} // namespace Velmora::AudioGen
