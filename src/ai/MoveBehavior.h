#pragma once

#include "ai/Behavior.h"

namespace Velmora::Ai {

/// Walks the guard in a straight line to a point: first turns it to face the way (a blocking
/// turn on the move's lanes plus facing, inserted in front of itself), then sets the body's
/// velocity towards the point every step. Finished when the guard is within √5 of the point
/// (it is then placed exactly on it) or did not move at all since the last step (a wall).
/// Blocking; created on the movement and behaviour lanes.
class MoveBehavior : public Behavior {
public:
    static constexpr uint32_t kFlagTurnFirst = 2; ///< the opening turn is still to be made

    /// A move of the entity to `target` at `speed` world units per second.
    MoveBehavior(uint32_t entity, uint32_t lanes, double speed, const Vector2& target);

    bool Update(double dt) override;
    /// Asks for the opening turn.
    void OnStart() override { SetFlags(kFlagTurnFirst); }

    double mSpeed;         ///< world units per second
    Vector2 mTarget;       ///< world units
    Vector2 mLastPosition; ///< where the guard was at the last step; (0, 0) before the first
};

} // namespace Velmora::Ai
