#pragma once

#include "ai/Behavior.h"
#include "audio/AudioManager.h"

namespace Velmora::Ai {

/// Raises the alarm while the player is in sight: an "exclamation" emote and a period's wait
/// once, then every period the alarm sound and an ordinary sound wave all round the guard that
/// other guards hear. Everything behind it waits while it alarms.
/// Data: the wave's strength, the period (seconds), the alarm sound's name.
class AlarmBehavior : public Behavior {
public:
    static constexpr uint32_t kFlagSpotted = 1; ///< the player has just come into sight

    explicit AlarmBehavior(uint32_t entity) : Behavior(entity) {}

    void Deserialize(ValueCursor& cursor) override;
    /// Takes the player as its target when it comes into sight; lets go when it is hidden.
    void HandleMessage(Message& message) override;
    bool Update(double dt) override;

    double mStrength = 0.0;               ///< times the base wave energy
    double mPeriod = 0.0;                 ///< seconds between alarms
    Audio::SoundHandle mSample = nullptr; ///< the alarm sound; null for none
    uint32_t mTarget = 0;                 ///< entity id of the player in sight; 0 for none
};

} // namespace Velmora::Ai
