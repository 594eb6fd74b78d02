#pragma once

#include "ai/Behavior.h"

namespace Velmora::Ai {

/// Runs straight at an entity at the ghost's move speed, facing it. Finished when the target is
/// gone or hidden (MessageEntityHidden of it), or when the straight line to it is blocked (the
/// guard then stops). Blocking on the movement lane only, so the behaviour that made it goes on.
class FollowBehavior : public Behavior {
public:
    /// A follow of `target` by the entity.
    FollowBehavior(uint32_t entity, uint32_t target) : Behavior(entity, kLaneMovement, true), mTarget(target) {}

    bool Update(double dt) override;
    /// MessageEntityHidden of the target: it is no longer followed.
    void HandleMessage(Message& message) override;

    uint32_t mTarget;        ///< entity id; 0 once lost
    Vector2 mTargetPosition; ///< the target's position at the last step
    Vector2 mTargetFacing;   ///< the target's facing at the last step
};

} // namespace Velmora::Ai
