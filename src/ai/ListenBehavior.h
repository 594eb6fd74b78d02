#pragma once

#include "ai/Behavior.h"

#include <vector>

namespace Velmora::Ai {

/// Hears ordinary sound waves (Logic::MessageSoundwaveCollision of kind kSound; the white and
/// shock kinds are not heard). White noise masks faint sounds: for kMaskTime after a white wave
/// reached the guard, ordinary waves arriving with less energy than kMaskedEnergy (every
/// footstep) go unheard, while louder ones (a gunshot nearby) still are. Waves that arrive within 0.1 seconds of the
/// first make one reaction: a "question" emote, the reaction pause, then a turn towards where the noise came from
/// (against the sum of the waves' pushes). While it reacts it blocks the behaviours behind it and hears nothing new.
/// Data: reaction pause (seconds).
class ListenBehavior : public Behavior {
public:
    static constexpr uint32_t kFlagReacting = 1; ///< a reaction has been queued
    /// Seconds over which arriving waves are gathered into one reaction.
    static constexpr double kGatherTime = 0.1;
    /// Seconds a white wave masks faint sounds: a little more than a noise generator's period
    /// (1.5 s), so a guard within reach of one stays masked.
    static constexpr double kMaskTime = 2.0;
    /// Energy under which a masked sound goes unheard; a footstep at walking speed starts with
    /// 84.5.
    static constexpr double kMaskedEnergy = 90.0;

    explicit ListenBehavior(uint32_t entity) : Behavior(entity) {}

    void Deserialize(ValueCursor& cursor) override;
    /// Gathers the push of each heard wave.
    void HandleMessage(Message& message) override;
    /// Forgets what was gathered while it was held up.
    void OnResume() override { mPushes.clear(); }
    bool Update(double dt) override;

    double mReactionPause = 0.0;  ///< seconds
    double mGatherTimer = 0.0;    ///< seconds since the first gathered wave
    std::vector<Vector2> mPushes; ///< the pushes gathered so far
    double mMaskTimer = 0.0;      ///< seconds faint sounds stay masked

private:
    void React();
};

} // namespace Velmora::Ai
