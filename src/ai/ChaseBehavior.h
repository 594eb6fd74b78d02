#pragma once

#include "ai/Behavior.h"

namespace Velmora::Ai {

/// Chases the player: on sighting an "exclamation" and the alert view, a reaction time spent
/// turning to face it, then ChaseStart (to the guard and broadcast) and the pursuit — straight
/// at the player while it is in sight and the way is clear, over the level's graph to where it
/// was last seen otherwise — and a search pause there. When the trail runs out the guard takes
/// its normal view back, ChaseStop goes out (to the guard and broadcast) and the behaviours
/// behind it, which waited all along, carry on. A target that is destroyed counts as lost
/// sight: the chase goes on to the last place it was seen.
///
/// The states are flag bits, kept exclusive by SetFlags; ClearFlags clears only one state bit
/// at a time. Data: reaction time (seconds), search pause (seconds).
class ChaseBehavior : public Behavior {
public:
    static constexpr uint32_t kFlagVisible = 0x01;    ///< the target is in sight
    static constexpr uint32_t kFlagSpotted = 0x02;    ///< just seen; the reaction starts next
    static constexpr uint32_t kFlagReacting = 0x04;   ///< turning to face it, before the chase
    static constexpr uint32_t kFlagPursue = 0x08;     ///< going straight for it
    static constexpr uint32_t kFlagPlanPath = 0x10;   ///< a path to the last known place is needed
    static constexpr uint32_t kFlagFollowPath = 0x20; ///< walking that path
    static constexpr uint32_t kFlagLastKnown = 0x40;  ///< walking straight to the last known place
    static constexpr uint32_t kStateFlags = 0x7F;

    explicit ChaseBehavior(uint32_t entity) : Behavior(entity) {}

    void Deserialize(ValueCursor& cursor) override;
    void HandleMessage(Message& message) override;
    bool Update(double dt) override;
    /// Sets the bits and clears the states they exclude.
    void SetFlags(uint32_t mask) override;
    /// Clears one state bit; any other mask is ignored.
    void ClearFlags(uint32_t mask) override;

    double mReactionTimer = 0.0; ///< seconds spent reacting
    double mReactionTime = 0.0;  ///< seconds before the chase starts
    double mSearchPause = 0.0;   ///< seconds spent looking round at the last known place
    uint32_t mTarget = 0;        ///< entity id of the chased player; 0 for none
    Vector2 mLastKnownPosition;  ///< where the target was last seen
    Vector2 mLastKnownFacing;    ///< which way it faced then
    bool mSearched = false;      ///< a path to the last known place was walked since it was seen

private:
    bool React(double dt);
    void Pursue(const Vector2& position);
    void PlanPath(const Vector2& position);
    void Stop();
    void Announce(Message& message);
};

} // namespace Velmora::Ai
