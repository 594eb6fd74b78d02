#include "physics/ComponentBody.h"

#include "core/Entity.h"
#include "core/FrameMessages.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"
#include "graphics/DebugDrawManager.h"
#include "graphics/RenderMessages.h"
#include "physics/BodyMessages.h"
#include "physics/PhysicsManager.h"
#include "physics/SegmentGeometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Velmora::Physics {

namespace {

// Beyond this a cell coordinate cannot be in any map; keeps the int conversions defined.
constexpr double kFarAway = 1e9;

struct Cell {
    int mX;
    int mY;
};

// The neighbours a move may enter, by direction: the dominant axis first, then the other axis,
// then the diagonal. A horizontal move to the right also looks below, one to the left above.
int NeighbourCells(const Vector2& d, int cx, int cy, Cell (&cells)[3]) {
    if (d.x == 0.0) {
        cells[0] = {cx, d.y < 0.0 ? cy - 1 : cy + 1};
        return 1;
    }
    const double m = d.y / d.x;
    if (d.x > 0.0) {
        if (m <= -1.0)
            cells[0] = {cx, cy - 1}, cells[1] = {cx + 1, cy}, cells[2] = {cx + 1, cy - 1};
        else if (m <= 0.0)
            cells[0] = {cx + 1, cy}, cells[1] = {cx, cy - 1}, cells[2] = {cx + 1, cy - 1};
        else if (m <= 1.0)
            cells[0] = {cx + 1, cy}, cells[1] = {cx, cy + 1}, cells[2] = {cx + 1, cy + 1};
        else
            cells[0] = {cx, cy + 1}, cells[1] = {cx + 1, cy}, cells[2] = {cx + 1, cy + 1};
    } else {
        if (m > 1.0)
            cells[0] = {cx, cy - 1}, cells[1] = {cx - 1, cy}, cells[2] = {cx - 1, cy - 1};
        else if (m > 0.0)
            cells[0] = {cx - 1, cy}, cells[1] = {cx, cy - 1}, cells[2] = {cx - 1, cy - 1};
        else if (m > -1.0)
            cells[0] = {cx - 1, cy}, cells[1] = {cx, cy + 1}, cells[2] = {cx - 1, cy + 1};
        else
            cells[0] = {cx, cy + 1}, cells[1] = {cx - 1, cy}, cells[2] = {cx - 1, cy + 1};
    }
    return 3;
}

// The set-back across edge k: out of the cell through that side.
Vector2 StandOff(int k) {
    switch (k) {
        case CollisionMap::kBottom:
            return {0.0, -ComponentBody::kWallStandOff};
        case CollisionMap::kRight:
            return {ComponentBody::kWallStandOff, 0.0};
        case CollisionMap::kTop:
            return {0.0, ComponentBody::kWallStandOff};
        default:
            return {-ComponentBody::kWallStandOff, 0.0};
    }
}

} // namespace

void ComponentBody::HandleMessage(Message& message) {
    if (const auto* update = MessageCast<MessageUpdateLogic>(message)) {
        Update(update->mDt);
    } else if (message.Is<Graphics::MessageRender>()) {
        if (mTransform && PhysicsManager::GetInstance().mDrawBodyRadius) {
            Graphics::DebugDrawManager::GetInstance().DrawCircle(mTransform->mPosition.x, mTransform->mPosition.y,
                                                                 mRadius, kRadiusColor);
        }
    }
}

void ComponentBody::Initialize() { mTransform = mOwner->GetComponent<Graphics::ComponentTransform>(); }

void ComponentBody::Load(ValueCursor& cursor) { cursor >> mRadius; }

void ComponentBody::Update(double dt) {
    const Vector2 delta(mVelocityX * dt, mVelocityY * dt);
    mVelocityX = mVelocityY = 0.0;
    if (!mTransform) return;
    const PhysicsManager& physics = PhysicsManager::GetInstance();
    const CollisionMap& map = physics.GetCollisionMap();
    const uint32_t mask = GetCollisionMask();
    const bool moving = delta.x != 0.0 || delta.y != 0.0;
    if (moving) {
        const Vector2 from = mTransform->mPosition;
        // A wall ends the whole update: no message, no contacts, no push-out.
        if (!physics.mNoclip && StopAtWalls(from, delta, mask, map)) return;
        mTransform->mPosition = from + delta;
        MessageMoved moved(delta.x, delta.y, dt > 0.0 ? delta.Length() / dt : 0.0);
        mOwner->HandleMessage(moved);
        ReportContacts();
    }
    if (!physics.mNoclip && physics.mCircleMapCol) PushOut(mask, map);
}

bool ComponentBody::StopAtWalls(const Vector2& from, const Vector2& delta, uint32_t mask, const CollisionMap& map) {
    const double cellX = std::trunc(from.x / kTileSize);
    const double cellY = std::trunc(from.y / kTileSize);
    if (!(std::abs(cellX) < kFarAway && std::abs(cellY) < kFarAway)) return false;
    const int cx = static_cast<int>(cellX);
    const int cy = static_cast<int>(cellY);
    const Vector2 to = from + delta;
    if (StopInCell(from, to, cx, cy, mask, map)) return true;
    Cell cells[3];
    const int count = NeighbourCells(delta, cx, cy, cells);
    for (int i = 0; i < count; ++i) {
        if (StopInCell(from, to, cells[i].mX, cells[i].mY, mask, map)) return true;
    }
    return false;
}

bool ComponentBody::StopInCell(const Vector2& from, const Vector2& to, int cellX, int cellY, uint32_t mask,
                               const CollisionMap& map) {
    if (!map.IsInside(cellX, cellY)) return false;
    for (int k = 0; k < 4; ++k) {
        const CollisionEdge& edge = map.GetEdge(cellX, cellY, k);
        if ((edge.mFlags & mask) == 0) continue;
        SegmentHit hit;
        if (IntersectSegmentEdge(from, to, {edge.mStartX, edge.mStartY}, {edge.mEndX, edge.mEndY}, hit)) {
            mTransform->mPosition = hit.mPoint + StandOff(k);
            return true;
        }
    }
    return false;
}

void ComponentBody::ReportContacts() {
    // Collected first and sent afterwards, so handlers that create bodies cannot disturb the
    // scan. Entities are deleted only at the end of the frame, so the pointers stay valid.
    std::vector<Entity*> touching; // allocates only when something touches
    const Vector2 position = mTransform->mPosition;
    for (const ComponentBody* other : GetInstances()) {
        if (other == this || other->mOwner == mOwner || !other->mTransform || other->mOwner->IsDestroyed()) continue;
        if (CirclesTouch(position, mRadius, other->mTransform->mPosition, other->mRadius)) {
            touching.push_back(other->mOwner);
        }
    }
    for (Entity* other : touching) {
        MessageBodyCollision collision(mOwner->GetId(), other->GetId());
        mOwner->HandleMessage(collision);
        other->HandleMessage(collision);
    }
}

void ComponentBody::PushOut(uint32_t mask, const CollisionMap& map) {
    Vector2& position = mTransform->mPosition;
    if (!std::isfinite(position.x) || !std::isfinite(position.y)) return;
    const double r = mRadius;
    const auto cell = [](double world) { return std::clamp(std::trunc(world / kTileSize), -kFarAway, kFarAway); };
    const int x0 = static_cast<int>(std::max(cell(position.x - r), 0.0));
    const int y0 = static_cast<int>(std::max(cell(position.y - r), 0.0));
    const int x1 = static_cast<int>(std::min(cell(position.x + r), map.GetWidth() - 1.0));
    const int y1 = static_cast<int>(std::min(cell(position.y + r), map.GetHeight() - 1.0));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            for (int k = 0; k < 4; ++k) {
                const CollisionEdge& edge = map.GetEdge(x, y, k);
                if ((edge.mFlags & mask) == 0) continue;
                const Vector2 start(edge.mStartX, edge.mStartY);
                const Vector2 end(edge.mEndX, edge.mEndY);
                ClosestPoint closest;
                if (!ClosestPointOnSegment(position, start, end, r, closest)) continue;
                const double distance = std::sqrt(closest.mDistanceSquared);
                if (distance > 0.0) {
                    position -= (1.0 - r / distance) * closest.mOffset;
                } else {
                    // Exactly on the edge there is no direction to push along: leave through
                    // the edge's outward normal.
                    const Vector2 along = end - start;
                    position = closest.mPoint + Vector2(along.y, -along.x).Normalized() * r;
                }
            }
        }
    }
}

} // namespace Velmora::Physics
