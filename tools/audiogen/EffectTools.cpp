#include "EffectTools.h"

#include "SvFilter.h"

#include <algorithm>

namespace Velmora::AudioGen {

Mono EffectTools::Blank(double seconds) {
    return Mono(static_cast<size_t>(std::max(1L, Signal::ToSamples(seconds))), 0.0f);
}

void EffectTools::Place(Mono& target, const Mono& clip, double atSeconds, double gain) {
    const long offset = std::max(0L, Signal::ToSamples(atSeconds));
    target.resize(std::max(target.size(), static_cast<size_t>(offset) + clip.size()), 0.0f);
    Signal::Mix(target, clip, offset, gain, false);
}

void EffectTools::AddRoom(Mono& clip, const ReverbSettings& room, double wet, double tailSeconds) {
    // Whatever still sounds at the end of the dry clip fades out instead of stopping dead.
    Signal::FadeEdges(clip, 0.0, 0.01);
    clip.resize(clip.size() + static_cast<size_t>(Signal::ToSamples(tailSeconds)), 0.0f);
    Stereo send{clip, clip};
    Reverb reverb(room);
    reverb.Process(send);
    for (size_t i = 0; i < clip.size(); ++i) {
        clip[i] += static_cast<float>(wet * 0.5 * (send.mLeft[i] + send.mRight[i]));
    }
}

void EffectTools::Finish(Mono& clip, double peakDb, double fadeInSeconds, double fadeOutSeconds) {
    SvFilter lowCut(30.0, 0.707);
    for (float& sample : clip) {
        sample = lowCut.High(sample);
    }
    // Below −50 dB under the peak a tail is inaudible over the game; cutting it keeps clips short.
    Signal::TrimTail(clip, -50.0, fadeOutSeconds);
    Signal::FadeEdges(clip, fadeInSeconds, fadeOutSeconds);
    Signal::Normalize(clip, peakDb);
    // Normalising removed the mean; fade again so the ends sit exactly on zero.
    Signal::FadeEdges(clip, fadeInSeconds, fadeOutSeconds);
}

} // namespace Velmora::AudioGen
