#pragma once

#include "ai/Behavior.h"

#include <vector>

namespace Velmora::Ai {

/// Hears ordinary sound waves (Logic::MessageSoundwaveCollision of kind kSound; the white and
/// shock kinds are not heard). Waves that arrive within 0.1 seconds of the first make one
/// reaction: a "question" emote, the reaction pause, then a turn towards where the noise came
/// from (against the sum of the waves' pushes). While it reacts it blocks the behaviours behind
/// it and hears nothing new. Data: reaction pause (seconds).
class ListenBehavior : public Behavior {
public:
    static constexpr uint32_t kFlagReacting = 1; ///< a reaction has been queued
    /// Seconds over which arriving waves are gathered into one reaction.
    static constexpr double kGatherTime = 0.1;

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

private:
    void React();
};

} // namespace Velmora::Ai
