#include "SvFilter.h"

#include "Signal.h"

#include <algorithm>
#include <cmath>

namespace Velmora::AudioGen {

SvFilter::SvFilter(double cutoff, double q) { Set(cutoff, q); }

void SvFilter::Set(double cutoff, double q) {
    const double fc = std::clamp(cutoff, 10.0, 0.45 * kSampleRate);
    const double g = std::tan(kPi * fc / kSampleRate);
    mK = 1.0 / std::max(q, 0.5);
    mA1 = 1.0 / (1.0 + g * (g + mK));
    mA2 = g * mA1;
    mA3 = g * mA2;
}

SvFilter::Output SvFilter::Process(float input) {
    const double v3 = input - mIc2;
    const double v1 = mA1 * mIc1 + mA2 * v3;
    const double v2 = mIc2 + mA2 * mIc1 + mA3 * v3;
    mIc1 = 2.0 * v1 - mIc1;
    mIc2 = 2.0 * v2 - mIc2;
    return Output{static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(input - mK * v1 - v2)};
}

OnePole::OnePole(double cutoff) : mCoef(1.0 - std::exp(-2.0 * kPi * cutoff / kSampleRate)) {}

float OnePole::Low(float input) {
    mState += mCoef * (input - mState);
    return static_cast<float>(mState);
}

} // namespace Velmora::AudioGen
