#include "screens/VideoAudioOutput.h"

#include "audio/AudioManager.h"

#include <memory>

namespace Velmora::Logic {

namespace {
float EffectsVolume() { return Audio::AudioManager::GetInstance().GetSampleVolume(); }
} // namespace

VideoAudioOutput::VideoAudioOutput(Video::TheoraVideoClip* owner, int channels, int frequency)
    : TheoraAudioInterface(owner, channels, frequency) {
    mStream.Open(channels, frequency, EffectsVolume());
}

void VideoAudioOutput::insertData(float** data, int count) { mStream.Append(data, count); }

void VideoAudioOutput::update(float timeIncrease) {
    (void)timeIncrease;
    mStream.SetGain(EffectsVolume());
    mStream.Update();
}

Video::TheoraAudioInterface* VideoAudioFactory::createInstance(Video::TheoraVideoClip* owner, int channels,
                                                               int frequency) {
    auto output = std::make_unique<VideoAudioOutput>(owner, channels, frequency);
    return output->IsOpen() ? output.release() : nullptr;
}

} // namespace Velmora::Logic
