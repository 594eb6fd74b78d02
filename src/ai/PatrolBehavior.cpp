#include "ai/PatrolBehavior.h"

#include "ai/ComponentGhost.h"
#include "ai/DelayBehavior.h"
#include "ai/MoveBehavior.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"

namespace Velmora::Ai {

namespace {

constexpr const char* kWaypointComponent = "ComponentWaypoint";

} // namespace

void PatrolBehavior::Deserialize(ValueCursor& cursor) { cursor >> mSpeed >> mPause; }

void PatrolBehavior::OnStart() {
    const ComponentGhost* ghost = GetGhost();
    if (!ghost) return;
    for (const std::string& name : ghost->mWaypointNames) {
        const Entity* waypoint = name.empty() ? nullptr : EntityManager::GetInstance().FindByName(name);
        if (waypoint && !waypoint->IsDestroyed() && waypoint->GetComponent(kWaypointComponent)) {
            mWaypoints.push_back(static_cast<uint32_t>(waypoint->GetId()));
        }
    }
}

bool PatrolBehavior::Update(double) {
    if (mWaypoints.empty()) return true;
    if (mIndex >= mWaypoints.size()) mIndex = 0;
    const Entity* waypoint = FindLiveEntity(mWaypoints[mIndex]);
    const auto* target = waypoint ? waypoint->GetComponent<Graphics::ComponentTransform>() : nullptr;
    if (!target) return false;
    const std::vector<Vector2> path = FindPathTo(target->mPosition);
    ++mIndex;
    if (path.empty()) return false;
    RemoveLanes(kLanesMoveAndTurn);
    InsertPathMoves(path, mSpeed);
    InsertInFront(new MoveBehavior(mEntity, kLaneMovement | kLaneBehavior, mSpeed, path.back()));
    InsertInFront(new DelayBehavior(mEntity, kLaneMovement | kLaneBehavior, mPause));
    return false;
}

} // namespace Velmora::Ai
