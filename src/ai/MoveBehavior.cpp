#include "ai/MoveBehavior.h"

#include "ai/TurnBehavior.h"
#include "graphics/ComponentTransform.h"

namespace Velmora::Ai {

MoveBehavior::MoveBehavior(uint32_t entity, uint32_t lanes, double speed, const Vector2& target)
    : Behavior(entity, lanes, true), mSpeed(speed), mTarget(target) {}

bool MoveBehavior::Update(double) {
    Graphics::ComponentTransform* transform = GetTransform();
    if (!transform) return true;
    const Vector2 position = transform->mPosition;
    if (DistanceSquared(position, mTarget) <= kArriveDistanceSquared) {
        transform->mPosition = mTarget;
        return true;
    }
    if (mLastPosition != Vector2() && position == mLastPosition) return true;
    const Vector2 direction = (mTarget - position).Normalized();
    if (HasFlags(kFlagTurnFirst)) {
        InsertInFront(new TurnBehavior(mEntity, mLanes | kLaneFacing, direction));
        ClearFlags(kFlagTurnFirst);
        return false;
    }
    mLastPosition = position;
    SetVelocity(direction * mSpeed);
    return false;
}

} // namespace Velmora::Ai
