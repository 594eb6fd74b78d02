#pragma once

#include "ai/Behavior.h"
#include "audio/AudioManager.h"

namespace Velmora::Ai {

/// Plays a sound once on its first update (nothing for an empty handle); finished at once. Does
/// not block.
class SampleBehavior : public Behavior {
public:
    /// A sound of the entity on the given lanes.
    SampleBehavior(uint32_t entity, uint32_t lanes, Audio::SoundHandle sample)
        : Behavior(entity, lanes, false), mSample(sample) {}

    bool Update(double) override {
        Audio::AudioManager::GetInstance().PlaySampleHandle(mSample);
        return true;
    }

    Audio::SoundHandle mSample; ///< not owned (the audio manager's cache)
};

} // namespace Velmora::Ai
