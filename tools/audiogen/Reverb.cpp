#include "Reverb.h"

#include "SvFilter.h"

#include <algorithm>

namespace Velmora::AudioGen {
namespace {

// Mutually prime-ish delay lengths in samples at 44.1 kHz; the spread detunes the right side.
constexpr int kCombTunings[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int kAllPassTunings[] = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;
constexpr float kInputGain = 0.015f;

} // namespace

Reverb::Reverb(const ReverbSettings& settings)
    : mSettings(settings),
      mFeedback(static_cast<float>(0.7 + 0.28 * std::clamp(settings.mRoomSize, 0.0, 1.0))),
      mDamp(static_cast<float>(0.4 * std::clamp(settings.mDamping, 0.0, 1.0))) {
    for (int side = 0; side < 2; ++side) {
        Channel& channel = side == 0 ? mLeft : mRight;
        const int spread = side == 0 ? 0 : kStereoSpread;
        for (const int tuning : kCombTunings) {
            channel.combs.push_back(Comb{std::vector<float>(static_cast<size_t>(tuning + spread), 0.0f)});
        }
        for (const int tuning : kAllPassTunings) {
            channel.allPasses.push_back(AllPass{std::vector<float>(static_cast<size_t>(tuning + spread), 0.0f)});
        }
    }
}

float Reverb::ProcessChannel(Channel& channel, float input) const {
    float sum = 0.0f;
    for (Comb& comb : channel.combs) {
        const float out = comb.line[comb.index];
        comb.store = out * (1.0f - mDamp) + comb.store * mDamp;
        comb.line[comb.index] = input + comb.store * mFeedback;
        comb.index = (comb.index + 1) % comb.line.size();
        sum += out;
    }
    for (AllPass& pass : channel.allPasses) {
        const float buffered = pass.line[pass.index];
        pass.line[pass.index] = sum + buffered * 0.5f;
        pass.index = (pass.index + 1) % pass.line.size();
        sum = buffered - sum;
    }
    return sum;
}

void Reverb::Process(Stereo& buffer) {
    const size_t frames = buffer.Frames();
    const size_t delay = static_cast<size_t>(std::max(0L, Signal::ToSamples(mSettings.mPreDelay)));
    SvFilter lowCut(mSettings.mLowCut, 0.6);
    SvFilter highCut(mSettings.mHighCut, 0.6);
    std::vector<float> pre(delay + 1, 0.0f);
    size_t preIndex = 0;
    const float width = static_cast<float>(std::clamp(mSettings.mWidth, 0.0, 1.0));
    const float wet1 = 0.5f * (1.0f + width);
    const float wet2 = 0.5f * (1.0f - width);
    for (size_t i = 0; i < frames; ++i) {
        const float mono = (buffer.mLeft[i] + buffer.mRight[i]) * kInputGain;
        pre[preIndex] = highCut.Low(lowCut.High(mono));
        preIndex = (preIndex + 1) % pre.size();
        const float input = pre[preIndex];
        const float left = ProcessChannel(mLeft, input);
        const float right = ProcessChannel(mRight, input);
        buffer.mLeft[i] = left * wet1 + right * wet2;
        buffer.mRight[i] = right * wet1 + left * wet2;
    }
}

} // namespace Velmora::AudioGen
