#include "StereoDelay.h"

#include "SvFilter.h"

#include <algorithm>
#include <vector>

namespace Velmora::AudioGen {

StereoDelay::StereoDelay(double delaySeconds, double feedback, double toneHz)
    : mDelay(delaySeconds), mFeedback(std::clamp(feedback, 0.0, 0.95)), mTone(toneHz) {}

void StereoDelay::Process(Stereo& buffer) const {
    const size_t length = static_cast<size_t>(std::max(1L, Signal::ToSamples(mDelay)));
    std::vector<float> lineLeft(length, 0.0f);
    std::vector<float> lineRight(length, 0.0f);
    OnePole toneLeft(mTone);
    OnePole toneRight(mTone);
    OnePole lowCut(120.0);
    const float feedback = static_cast<float>(mFeedback);
    size_t index = 0;
    for (size_t i = 0; i < buffer.Frames(); ++i) {
        const float input = lowCut.High(0.5f * (buffer.mLeft[i] + buffer.mRight[i]));
        const float outLeft = lineLeft[index];
        const float outRight = lineRight[index];
        // The input enters on the left; each side feeds the other, so echoes alternate.
        lineLeft[index] = toneLeft.Low(input + outRight * feedback);
        lineRight[index] = toneRight.Low(outLeft * feedback);
        index = (index + 1) % length;
        buffer.mLeft[i] = outLeft;
        buffer.mRight[i] = outRight;
    }
}

} // namespace Velmora::AudioGen
