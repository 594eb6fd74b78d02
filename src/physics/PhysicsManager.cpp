#include "physics/PhysicsManager.h"

#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/FrameMessages.h"
#include "core/TileGrid.h"
#include "debug/PerformanceManager.h"
#include "graphics/ComponentTransform.h"
#include "graphics/DebugDrawManager.h"
#include "physics/ComponentBody.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Velmora::Physics {

namespace {

constexpr double kCellSize = kTileSize;
constexpr double kPerCell = 1.0 / kCellSize; // a power of two: x · kPerCell equals x / 32 exactly
constexpr double kNever = 2.0;               // a ray parameter beyond the segment's end at 1

// One axis of the grid walk: the step direction, the ray parameter between two boundaries and
// the parameter of the next boundary.
struct AxisWalk {
    int mStep = 0;
    double mDelta = kNever;
    double mNext = kNever;
};

AxisWalk StartAxis(int cell, double from, double delta) {
    const double offset = kCellSize * cell - from;
    if (delta > 0.0) return {1, kCellSize / delta, (offset + kCellSize) / delta};
    if (delta < 0.0) return {-1, -kCellSize / delta, offset / delta};
    return {};
}

// floor() for a value already known to lie within the int range; the library call costs as
// much as several cells of the walk.
int FloorToInt(double value) {
    const int truncated = static_cast<int>(value);
    return truncated > value ? truncated - 1 : truncated;
}

// A hit at ray parameter t through a boundary with normal (normalX, normalY), in cell (x, y).
bool FillHit(double ax, double ay, double bx, double by, double t, int normalX, int normalY, int x, int y,
             uint32_t cellFlags, RayHit& hit) {
    hit.mPointX = ax + (bx - ax) * t;
    hit.mPointY = ay + (by - ay) * t;
    hit.mNormalX = normalX;
    hit.mNormalY = normalY;
    hit.mFraction = t;
    hit.mCellX = x;
    hit.mCellY = y;
    hit.mCellFlags = cellFlags;
    return true;
}

// The start of a walk from A to B: the cells, the steps left on each axis and both axes' ray
// parameters.
struct Walk {
    int mCellX = 0;
    int mCellY = 0;
    int mStepsX = 0;
    int mStepsY = 0;
    AxisWalk mX;
    AxisWalk mY;
};

// False when A lies outside the width × height grid (every coordinate is finite). B's cell is
// clamped to one beyond the border, which leaves the number of steps before the walk leaves the
// grid unchanged and keeps far-away points from overflowing.
bool BeginWalk(int width, int height, double ax, double ay, double bx, double by, Walk& walk) {
    const double startX = ax * kPerCell;
    const double startY = ay * kPerCell;
    if (!(startX >= 0.0 && startX < width && startY >= 0.0 && startY < height)) return false;
    walk.mCellX = static_cast<int>(startX); // not negative: truncation is the floor
    walk.mCellY = static_cast<int>(startY);
    const int endX = FloorToInt(std::clamp(bx * kPerCell, -1.0, static_cast<double>(width)));
    const int endY = FloorToInt(std::clamp(by * kPerCell, -1.0, static_cast<double>(height)));
    walk.mStepsX = std::abs(endX - walk.mCellX);
    walk.mStepsY = std::abs(endY - walk.mCellY);
    walk.mX = StartAxis(walk.mCellX, ax, bx - ax);
    walk.mY = StartAxis(walk.mCellY, ay, by - ay);
    return true;
}

// The traversal proper, over a width × height grid of flags (row-major, row 0 first).
bool WalkGrid(int width, int height, const uint32_t* flags, uint32_t mask, double ax, double ay, double bx, double by,
              RayHit& hit) {
    Walk walk;
    if (!BeginWalk(width, height, ax, ay, bx, by, walk)) return false;
    int ix = walk.mCellX, iy = walk.mCellY;
    int stepsX = walk.mStepsX, stepsY = walk.mStepsY;
    AxisWalk& x = walk.mX;
    AxisWalk& y = walk.mY;
    const ptrdiff_t rowStep = static_cast<ptrdiff_t>(y.mStep) * width;
    ptrdiff_t index = static_cast<ptrdiff_t>(iy) * width + ix;
    for (;;) {
        if (stepsX < 1 && stepsY < 1) return false;
        if (y.mNext > x.mNext) {
            ix += x.mStep;
            if (static_cast<unsigned>(ix) >= static_cast<unsigned>(width)) return false;
            index += x.mStep;
            if (flags[index] & mask) return FillHit(ax, ay, bx, by, x.mNext, -x.mStep, 0, ix, iy, flags[index], hit);
            x.mNext += x.mDelta;
            --stepsX;
        } else {
            // Ties (a ray through a cell corner) step in y first.
            iy += y.mStep;
            if (static_cast<unsigned>(iy) >= static_cast<unsigned>(height)) return false;
            index += rowStep;
            if (flags[index] & mask) return FillHit(ax, ay, bx, by, y.mNext, 0, -y.mStep, ix, iy, flags[index], hit);
            y.mNext += y.mDelta;
            --stepsY;
        }
    }
}

} // namespace

PhysicsManager& PhysicsManager::GetInstance() {
    static PhysicsManager* instance = new PhysicsManager(); // lives to process exit, like every system
    return *instance;
}

void PhysicsManager::Initialize() { ComponentFactory::GetInstance().Register<ComponentBody>(); }

void PhysicsManager::HandleMessage(Message& message) {
    if (message.Is<MessageUpdateLogic>()) DrawDebugMap();
}

void PhysicsManager::BuildCollisionMap(int width, int height, std::span<const TileFlags> cellFlags) {
    mCollisionMap.Build(width, height, cellFlags);
    const bool whole =
        width > 0 && height > 0 && cellFlags.size() >= static_cast<size_t>(width) * static_cast<size_t>(height);
    mGrid = whole ? cellFlags.data() : nullptr;
    mGridWidth = whole ? width : 0;
    mGridHeight = whole ? height : 0;
}

void PhysicsManager::ReleaseGrid(const TileFlags* cellFlags) {
    if (mGrid != cellFlags) return;
    mGrid = nullptr;
    mGridWidth = mGridHeight = 0;
}

bool PhysicsManager::RayCast(uint32_t mask, double ax, double ay, double bx, double by, RayHit& hit) const {
    static const int sTimer = Debug::PerformanceManager::GetInstance().RegisterTimer("Ray Collision");
    static const int sCounter = Debug::PerformanceManager::GetInstance().RegisterCounter("Ray Collisions", false);
    Debug::ScopedTimer timer(sTimer);
    if (!CastRay(mask, ax, ay, bx, by, hit)) return false;
    Debug::PerformanceManager::GetInstance().Count(sCounter);
    return true;
}

bool PhysicsManager::CastRay(uint32_t mask, double ax, double ay, double bx, double by, RayHit& hit) const {
    if (!mGrid) return false;
    // Infinite or NaN coordinates give no meaningful walk (and no integer cells): clear.
    if (!(std::isfinite(ax) && std::isfinite(ay) && std::isfinite(bx) && std::isfinite(by))) return false;
    return WalkGrid(mGridWidth, mGridHeight, mGrid, mask, ax, ay, bx, by, hit);
}

uint32_t PhysicsManager::GetDebugMask() const {
    return (mDrawPlayerMap ? kTileBlocksPlayer : 0u) | (mDrawEnemyMap ? kTileBlocksEnemy : 0u) |
        (mDrawSoundMap ? kTileBlocksSound : 0u) | (mDrawSightMap ? kTileBlocksVision : 0u);
}

void PhysicsManager::DrawDebugMap() const {
    const uint32_t mask = GetDebugMask();
    if (mask != 0) {
        Graphics::DebugDrawManager& draw = Graphics::DebugDrawManager::GetInstance();
        for (const CollisionEdge& edge : mCollisionMap.GetEdges()) {
            if (edge.mFlags & mask) draw.DrawLine(edge.mStartX, edge.mStartY, edge.mEndX, edge.mEndY, kMapColor);
        }
    }
    if (mDrawLocalMap) DrawLocalMap();
}

void PhysicsManager::DrawLocalMap() const {
    for (const ComponentBody* body : ComponentBody::GetInstances()) {
        if (body->mTransform && (body->GetCollisionMask() & kTileBlocksPlayer))
            DrawLocalMapAround(body->mTransform->mPosition);
    }
}

void PhysicsManager::DrawLocalMapAround(const Vector2& position) const {
    const double cellX = std::trunc(position.x / kTileSize);
    const double cellY = std::trunc(position.y / kTileSize);
    // Far outside the map (or not a number) there is nothing to draw, and no int to convert to.
    if (!(std::abs(cellX) < 1e9 && std::abs(cellY) < 1e9)) return;
    Graphics::DebugDrawManager& draw = Graphics::DebugDrawManager::GetInstance();
    for (int y = static_cast<int>(cellY) - 1; y <= static_cast<int>(cellY) + 1; ++y) {
        for (int x = static_cast<int>(cellX) - 1; x <= static_cast<int>(cellX) + 1; ++x) {
            if (!mCollisionMap.IsInside(x, y)) continue;
            for (int k = 0; k < 4; ++k) {
                const CollisionEdge& edge = mCollisionMap.GetEdge(x, y, k);
                if (edge.mFlags & kTileBlocksPlayer) {
                    draw.DrawLine(edge.mStartX, edge.mStartY, edge.mEndX, edge.mEndY, kLocalColor);
                }
            }
        }
    }
}

} // namespace Velmora::Physics
