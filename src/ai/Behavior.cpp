#include "ai/Behavior.h"

#include "ai/AiHost.h"
#include "ai/ComponentGhost.h"
#include "ai/ComponentPerception.h"
#include "ai/MoveBehavior.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/TileGrid.h"
#include "graphics/ComponentTransform.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"
#include "world/NavigationMap.h"

#include <memory>

namespace Velmora::Ai {

Behavior::Behavior(uint32_t entity, uint32_t lanes, bool blocking) : Action(lanes, blocking), mEntity(entity) {}

Entity* Behavior::FindLiveEntity(uint32_t id) {
    Entity* entity = EntityManager::GetInstance().FindById(static_cast<int>(id));
    return entity && !entity->IsDestroyed() ? entity : nullptr;
}

Entity* Behavior::GetEntity() const { return FindLiveEntity(mEntity); }

ComponentGhost* Behavior::GetGhost() const {
    const Entity* entity = GetEntity();
    return entity ? entity->GetComponent<ComponentGhost>() : nullptr;
}

Graphics::ComponentTransform* Behavior::GetTransform() const {
    const Entity* entity = GetEntity();
    return entity ? entity->GetComponent<Graphics::ComponentTransform>() : nullptr;
}

Physics::ComponentBody* Behavior::GetBody() const {
    const Entity* entity = GetEntity();
    return entity ? entity->GetComponent<Physics::ComponentBody>() : nullptr;
}

ComponentPerception* Behavior::GetPerception() const {
    const Entity* entity = GetEntity();
    return entity ? entity->GetComponent<ComponentPerception>() : nullptr;
}

bool Behavior::IsSegmentBlocked(const Vector2& a, const Vector2& b) {
    Physics::RayHit hit;
    return Physics::PhysicsManager::GetInstance().RayCast(kTileBlocksEnemy, a.x, a.y, b.x, b.y, hit);
}

void Behavior::InsertInFront(Action* action) {
    std::unique_ptr<Action> owned(action);
    ComponentGhost* ghost = GetGhost();
    if (!ghost) return;
    ghost->mActions.InsertBefore(this, owned.release());
}

void Behavior::RemoveLanes(uint32_t mask) {
    if (ComponentGhost* ghost = GetGhost()) ghost->mActions.RemoveLanes(mask);
}

void Behavior::SetBlocking(bool blocking) {
    if (blocking) {
        mFlags |= kFlagBlocking;
    } else {
        mFlags &= static_cast<uint8_t>(~kFlagBlocking);
    }
}

int Behavior::InsertPathMoves(const std::vector<Vector2>& path, double speed) {
    const Graphics::ComponentTransform* transform = GetTransform();
    if (!transform) return 0;
    Vector2 anchor = transform->mPosition;
    Vector2 previous = anchor;
    int moves = 0;
    for (const Vector2& point : path) {
        if (IsSegmentBlocked(anchor, point)) {
            InsertInFront(new MoveBehavior(mEntity, kLaneMovement | kLaneBehavior, speed, previous));
            anchor = previous;
            ++moves;
        }
        previous = point;
    }
    return moves;
}

std::vector<Vector2> Behavior::FindPathTo(const Vector2& goal) const {
    const Logic::NavigationMap* map = GetAiHost().GetNavigationMap();
    const Graphics::ComponentTransform* transform = GetTransform();
    if (!map || !transform) return {};
    return map->FindPath(transform->mPosition, goal);
}

void Behavior::SetVelocity(const Vector2& velocity) const {
    if (Physics::ComponentBody* body = GetBody()) {
        body->mVelocityX = velocity.x;
        body->mVelocityY = velocity.y;
    }
}

} // namespace Velmora::Ai
