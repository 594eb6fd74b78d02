#include "Limiter.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

namespace Velmora::AudioGen {
namespace {

/// Minimum of values over the window [i − width + 1, i] for each i (values before 0 count as 1).
std::vector<double> TrailingMinimum(const std::vector<double>& values, size_t width) {
    std::vector<double> result(values.size(), 1.0);
    std::deque<size_t> candidates;
    for (size_t i = 0; i < values.size(); ++i) {
        while (!candidates.empty() && values[candidates.back()] >= values[i]) {
            candidates.pop_back();
        }
        candidates.push_back(i);
        if (candidates.front() + width <= i) {
            candidates.pop_front();
        }
        result[i] = values[candidates.front()];
    }
    return result;
}

} // namespace

Limiter::Limiter(double ceiling, double lookaheadSeconds, double releaseSeconds)
    : mCeiling(ceiling), mLookahead(lookaheadSeconds), mRelease(releaseSeconds) {}

void Limiter::Process(Stereo& buffer) const {
    const size_t frames = buffer.Frames();
    const size_t width = static_cast<size_t>(std::max(1L, Signal::ToSamples(mLookahead)));
    // The gain each sample needs, padded with width − 1 unity values so the delayed gain curve
    // covers the last samples too.
    std::vector<double> needed(frames + width - 1, 1.0);
    for (size_t i = 0; i < frames; ++i) {
        const double peak = std::max(std::fabs(buffer.mLeft[i]), std::fabs(buffer.mRight[i]));
        needed[i] = peak > mCeiling ? mCeiling / peak : 1.0;
    }
    const std::vector<double> minimum = TrailingMinimum(needed, width);
    // A boxcar average of the trailing minimum: at position i + width − 1 every term of the
    // average includes sample i, so the ramp is already at or below what sample i needs.
    const double releaseCoef = std::exp(-1.0 / (mRelease * kSampleRate));
    double sum = 0.0;
    double gain = 1.0;
    for (size_t j = 0; j < needed.size(); ++j) {
        sum += minimum[j] - (j >= width ? minimum[j - width] : 1.0);
        const double smooth = std::min(1.0, sum / static_cast<double>(width) + 1.0);
        gain = smooth < gain ? smooth : smooth + (gain - smooth) * releaseCoef;
        if (j + 1 >= width) {
            const size_t i = j + 1 - width;
            const float g = static_cast<float>(gain);
            const float c = static_cast<float>(mCeiling);
            buffer.mLeft[i] = std::clamp(buffer.mLeft[i] * g, -c, c);
            buffer.mRight[i] = std::clamp(buffer.mRight[i] * g, -c, c);
        }
    }
}

} // namespace Velmora::AudioGen
