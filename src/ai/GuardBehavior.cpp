#include "ai/GuardBehavior.h"

#include "ai/ComponentGhost.h"
#include "ai/DelayBehavior.h"
#include "ai/MoveBehavior.h"
#include "ai/TurnBehavior.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"

namespace Velmora::Ai {

void GuardBehavior::Deserialize(ValueCursor& cursor) { cursor >> mReturnPause; }

void GuardBehavior::OnStart() {
    if (const Graphics::ComponentTransform* transform = GetTransform()) {
        mHome = transform->mPosition;
        mHomeFacing = transform->mDirection;
    }
}

bool GuardBehavior::Update(double) {
    const ComponentGhost* ghost = GetGhost();
    const Graphics::ComponentTransform* transform = GetTransform();
    if (!ghost || !transform || !ghost->mWaypointNames.empty()) return false;
    const Vector2 position = transform->mPosition;
    const Vector2 facing = transform->mDirection;
    if (position == mHome && facing == mHomeFacing) return false;
    RemoveLanes(kLanesMoveAndTurn);
    InsertInFront(new DelayBehavior(mEntity, kLaneFacing | kLaneBehavior | kLaneMovement, mReturnPause));
    if (position != mHome && !PlanWayHome()) {
        mHome = position;
        mHomeFacing = facing;
        return false;
    }
    if (facing != mHomeFacing) InsertInFront(new TurnBehavior(mEntity, kLaneFacing | kLaneBehavior, mHomeFacing));
    return false;
}

bool GuardBehavior::PlanWayHome() {
    const std::vector<Vector2> path = FindPathTo(mHome);
    if (path.empty()) return false;
    const double speed = GetGhost()->mMoveSpeed;
    InsertPathMoves(path, speed);
    if (Distance(path.back(), mHome) > kPathEndSlack) {
        InsertInFront(new MoveBehavior(mEntity, kLaneMovement | kLaneBehavior, speed, path.back()));
    }
    InsertInFront(new MoveBehavior(mEntity, kLaneMovement | kLaneBehavior, speed, mHome));
    return true;
}

} // namespace Velmora::Ai
