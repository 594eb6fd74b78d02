#include "ai/FollowBehavior.h"

#include "ai/ComponentGhost.h"
#include "ai/PerceptionMessages.h"
#include "core/Entity.h"
#include "graphics/ComponentTransform.h"

namespace Velmora::Ai {

bool FollowBehavior::Update(double) {
    const Entity* target = mTarget != 0 ? FindLiveEntity(mTarget) : nullptr;
    const auto* targetTransform = target ? target->GetComponent<Graphics::ComponentTransform>() : nullptr;
    Graphics::ComponentTransform* transform = GetTransform();
    const ComponentGhost* ghost = GetGhost();
    if (!targetTransform || !transform || !ghost) return true;
    mTargetPosition = targetTransform->mPosition;
    mTargetFacing = targetTransform->mDirection;
    if (IsSegmentBlocked(transform->mPosition, mTargetPosition)) {
        SetVelocity(Vector2());
        return true;
    }
    const Vector2 direction = (mTargetPosition - transform->mPosition).Normalized();
    if (direction != Vector2()) transform->mDirection = direction; // on top of it: keep looking ahead
    SetVelocity(direction * ghost->mMoveSpeed);
    return false;
}

void FollowBehavior::HandleMessage(Message& message) {
    const auto* hidden = MessageCast<MessageEntityHidden>(message);
    if (hidden && hidden->mId == mTarget) mTarget = 0;
}

} // namespace Velmora::Ai
