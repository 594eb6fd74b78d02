#include "physics/PhysicsManager.h"

#include "core/Entity.h"
#include "core/FrameMessages.h"
#include "debug/DebugDrawManager.h"
#include "graphics/ComponentTransform.h"
#include "logic/LogicManager.h"
#include "logic/Tile.h"

#include <cmath>

namespace Velmora::Physics {

PhysicsManager& PhysicsManager::GetInstance() {
    static PhysicsManager* instance = new PhysicsManager();  // lives to process exit, like every system
    return *instance;
}

void PhysicsManager::HandleMessage(Message& message) {
    if (message.Is<MessageUpdateLogic>()) DrawDebugMap();
}

void PhysicsManager::BuildCollisionMap(int width, int height, std::span<const uint32_t> cellFlags) {
    mCollisionMap.Build(width, height, cellFlags);
}

uint32_t PhysicsManager::GetDebugMask() const {
    return (mFPMDrawOn ? Logic::kTileBlocksPlayer : 0u) | (mFEMDrawOn ? Logic::kTileBlocksEnemy : 0u) |
           (mFSMDrawOn ? Logic::kTileBlocksSound : 0u) | (mFTMDrawOn ? Logic::kTileBlocksVision : 0u);
}

void PhysicsManager::DrawDebugMap() const {
    const uint32_t mask = GetDebugMask();
    if (mask != 0) {
        Debug::DebugDrawManager& draw = Debug::DebugDrawManager::GetInstance();
        for (const CollisionEdge& edge : mCollisionMap.GetEdges()) {
            if (edge.mFlags & mask) draw.DrawLine(edge.mStartX, edge.mStartY, edge.mEndX, edge.mEndY, kMapColor);
        }
    }
    if (mLocalDD) DrawLocalMap();
}

void PhysicsManager::DrawLocalMap() const {
    const Entity* player = Logic::LogicManager::GetInstance().GetPlayer();
    const auto* transform = player ? player->GetComponent<Graphics::ComponentTransform>() : nullptr;
    if (!transform) return;
    const double cellX = std::trunc(transform->mPosition.x * 0.03125);
    const double cellY = std::trunc(transform->mPosition.y * 0.03125);
    // Far outside the map (or not a number) there is nothing to draw, and no int to convert to.
    if (!(std::abs(cellX) < 1e9 && std::abs(cellY) < 1e9)) return;
    Debug::DebugDrawManager& draw = Debug::DebugDrawManager::GetInstance();
    for (int y = static_cast<int>(cellY) - 1; y <= static_cast<int>(cellY) + 1; ++y) {
        for (int x = static_cast<int>(cellX) - 1; x <= static_cast<int>(cellX) + 1; ++x) {
            if (!mCollisionMap.IsInside(x, y)) continue;
            for (int k = 0; k < 4; ++k) {
                const CollisionEdge& edge = mCollisionMap.GetEdge(x, y, k);
                if (edge.mFlags & Logic::kTileBlocksPlayer) {
                    draw.DrawLine(edge.mStartX, edge.mStartY, edge.mEndX, edge.mEndY, kLocalColor);
                }
            }
        }
    }
}

} // namespace Velmora::Physics
