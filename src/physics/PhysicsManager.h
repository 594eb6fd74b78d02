#pragma once

#include "core/ISystem.h"
#include "debug/TweakVar.h"
#include "physics/CollisionMap.h"
#include "physics/RayHit.h"

#include <cmath>
#include <cstdint>
#include <span>

namespace Velmora::Physics {

/// Owns the collision map, the physics tweak variables and the map's debug drawing, and casts
/// rays through the current level's cells. The eleventh system. The level rebuilds the map
/// whenever its live cells change; bodies (ComponentBody) and other collision queries read it by
/// cell index and never scan it whole.
class PhysicsManager : public ISystem {
public:
    /// Debug colours: opaque yellow for the chosen maps, opaque magenta for the local view.
    static constexpr uint32_t kMapColor = 0xFF00FFFFu;
    static constexpr uint32_t kLocalColor = 0xFFFF00FFu;

    /// The game's instance, created on first use, never deleted.
    static PhysicsManager& GetInstance();
    PhysicsManager() = default;
    PhysicsManager(const PhysicsManager&) = delete;
    PhysicsManager& operator=(const PhysicsManager&) = delete;

    /// On MessageUpdateLogic: queues the debug drawing of the map (when a switch is on).
    void HandleMessage(Message& message) override;

    /// Rebuilds the whole map from a width × height grid of TileFlags (row-major, row 0 first).
    void BuildCollisionMap(int width, int height, std::span<const uint32_t> cellFlags);
    /// The current map (empty until the first level is built; kept when a level ends).
    const CollisionMap& GetCollisionMap() const { return mCollisionMap; }

    /// Walks the current level's cells from A = (ax, ay) to B = (bx, by) (world units) and
    /// reports the first cell whose TileFlags share a bit with `mask`: true, with `hit` filled,
    /// when such a cell lies between A and B (B's cell included). A's own cell is never tested,
    /// so a ray may leave a wall it starts in. False — the way is clear — when B's cell is
    /// reached, when the ray leaves the grid (the border does not block), when A lies outside
    /// the grid, when a coordinate is not finite, or when no level is loaded; `hit` is then
    /// untouched. A ray through a cell corner steps in y first. Costs one step per cell crossed
    /// and allocates nothing; timed as "Ray Collision", each hit counted as "Ray Collisions".
    /// Masks in use: 8 sight, 2 guards' walking lines, 4 sound waves, particles and the play
    /// screen, 15 the player.
    bool RayCast(uint32_t mask, double ax, double ay, double bx, double by, RayHit& hit) const;
    /// True when A and B lie in the same cell, where RayCast between them is always clear.
    /// Callers that cast many short segments (sound-wave rays, particles) test this first and
    /// skip the cast, and its timer, for the moves that stay inside one cell.
    static bool InSameCell(double ax, double ay, double bx, double by) {
        constexpr double kPerCell = 1.0 / 32.0;
        return std::floor(ax * kPerCell) == std::floor(bx * kPerCell) && std::floor(ay * kPerCell) == std::floor(by * kPerCell);
    }

    /// Queues the debug lines: edges matching the map switches in yellow, and with mLocalDD the
    /// player-blocking edges of the 3 × 3 cells round the player in magenta.
    void DrawDebugMap() const;
    /// The mask of the four map switches: Player 1, Enemy 2, Reflect 4, Sight 8.
    uint32_t GetDebugMask() const;

    /// Push bodies' circles out of walls at the end of every body update.
    Debug::TweakVar<bool> mCircleMapCol{"Physics/mCircleMapCol", "group=Physics label='Use Circle Collisoins'", true};
    /// Bodies move without any wall test and are never pushed out.
    Debug::TweakVar<bool> mNoclip{"Physics/mNoclip", "group=Physics label='Noclip'", false};
    /// Debug switches: draw the edges blocking the player, guards, sight, sound; and the
    /// player-blocking edges round the player.
    Debug::TweakVar<bool> mFPMDrawOn{"Physics/mFPMDrawOn", "group='Debug Draw' label='Player Col. Map'", false};
    Debug::TweakVar<bool> mFEMDrawOn{"Physics/mFEMDrawOn", "group='Debug Draw' label='Enemy Col. Map'", false};
    Debug::TweakVar<bool> mFTMDrawOn{"Physics/mFTMDrawOn", "group='Debug Draw' label='Sight Map'", false};
    Debug::TweakVar<bool> mFSMDrawOn{"Physics/mFSMDrawOn", "group='Debug Draw' label='Reflect Map'", false};
    Debug::TweakVar<bool> mLocalDD{"Physics/mLocalDD", "group='Debug Draw' label='Local Colmap'", false};

private:
    void DrawLocalMap() const;

    CollisionMap mCollisionMap;
};

} // namespace Velmora::Physics
