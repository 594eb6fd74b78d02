#pragma once

#include "core/ISystem.h"
#include "core/TileGrid.h"
#include "core/Vector2.h"
#include "debug/TweakVar.h"
#include "physics/CollisionMap.h"
#include "physics/RayHit.h"

#include <cmath>
#include <cstdint>
#include <span>

namespace Velmora::Physics {

/// Owns the collision map, the physics tweak variables and the map's debug drawing, and casts
/// rays through the grid of cell flags it was last built from. The level rebuilds the map
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

    /// Registers the body component with the game's component factory.
    void Initialize() override;
    /// On MessageUpdateLogic: queues the debug drawing of the map (when a switch is on).
    void HandleMessage(Message& message) override;

    /// Rebuilds the whole map from a width × height grid of TileFlags (row-major, row 0 first).
    /// Ray casts walk that grid from now on: its owner keeps it alive and unchanged until it
    /// builds again or calls ReleaseGrid.
    void BuildCollisionMap(int width, int height, std::span<const TileFlags> cellFlags);
    /// Ray casts stop walking `cellFlags` (when it is the grid they walk); they are clear until
    /// the next build. The owner of a grid calls this before the grid goes away.
    void ReleaseGrid(const TileFlags* cellFlags);
    /// The current map (empty until the first level is built; kept when a level ends).
    const CollisionMap& GetCollisionMap() const { return mCollisionMap; }

    /// Walks the grid of the last build from A = (ax, ay) to B = (bx, by) (world units) and
    /// reports the first cell whose TileFlags share a bit with `mask`: true, with `hit` filled,
    /// when such a cell lies between A and B (B's cell included). A's own cell is never tested,
    /// so a ray may leave a wall it starts in. False — the way is clear — when B's cell is
    /// reached, when the ray leaves the grid (the border does not block), when A lies outside
    /// the grid, when a coordinate is not finite, or when no grid is held; `hit` is then
    /// untouched. A ray through a cell corner steps in y first. Costs one step per cell crossed
    /// and allocates nothing; timed as "Ray Collision", each hit counted as "Ray Collisions".
    /// Masks in use: 8 sight, 2 guards' walking lines, 4 sound waves, particles and the play
    /// screen, 15 the player.
    bool RayCast(uint32_t mask, double ax, double ay, double bx, double by, RayHit& hit) const;
    /// RayCast without its timer and its hit counter, for callers that cast many rays in one
    /// step and time the whole step themselves (a guard's perception: one or two casts per body
    /// in range and 74 for its outlines each tick, where the timer's clock reads would cost
    /// more than the casts).
    bool CastRay(uint32_t mask, double ax, double ay, double bx, double by, RayHit& hit) const;
    /// True when A and B lie in the same cell, where RayCast between them is always clear.
    /// Callers that cast many short segments (sound-wave rays, particles) test this first and
    /// skip the cast, and its timer, for the moves that stay inside one cell.
    static bool InSameCell(double ax, double ay, double bx, double by) {
        constexpr double kPerCell = 1.0 / kTileSize;
        return std::floor(ax * kPerCell) == std::floor(bx * kPerCell) &&
            std::floor(ay * kPerCell) == std::floor(by * kPerCell);
    }

    /// Queues the debug lines: edges matching the map switches in yellow, and with
    /// mDrawLocalMap the player-blocking edges of the 3 × 3 cells round each body that the
    /// player's walls block, in magenta.
    void DrawDebugMap() const;
    /// The mask of the four map switches: Player 1, Enemy 2, Reflect 4, Sight 8.
    uint32_t GetDebugMask() const;

    /// Push bodies' circles out of walls at the end of every body update.
    Debug::TweakVar<bool> mCircleMapCol{"Physics/mCircleMapCol", "group=Physics label='Use Circle Collisions'", true};
    /// Bodies move without any wall test and are never pushed out.
    Debug::TweakVar<bool> mNoclip{"Physics/mNoclip", "group=Physics label='Noclip'", false};
    /// Debug switches: draw the edges blocking the player, guards, sight, sound; and the
    /// player-blocking edges round the player.
    Debug::TweakVar<bool> mDrawPlayerMap{"Physics/mFPMDrawOn", "group='Debug Draw' label='Player Col. Map'", false};
    Debug::TweakVar<bool> mDrawEnemyMap{"Physics/mFEMDrawOn", "group='Debug Draw' label='Enemy Col. Map'", false};
    Debug::TweakVar<bool> mDrawSightMap{"Physics/mFTMDrawOn", "group='Debug Draw' label='Sight Map'", false};
    Debug::TweakVar<bool> mDrawSoundMap{"Physics/mFSMDrawOn", "group='Debug Draw' label='Reflect Map'", false};
    Debug::TweakVar<bool> mDrawLocalMap{"Physics/mLocalDD", "group='Debug Draw' label='Local Colmap'", false};
    /// Debug switch: draw every body's circle.
    Debug::TweakVar<bool> mDrawBodyRadius{"Debug/BodyRadius", "group='Debug Draw' label='Body Radius'", false};

private:
    void DrawLocalMap() const;
    void DrawLocalMapAround(const Vector2& position) const;

    CollisionMap mCollisionMap;
    const TileFlags* mGrid = nullptr; // the cells ray casts walk; owned by the level
    int mGridWidth = 0;
    int mGridHeight = 0;
};

} // namespace Velmora::Physics
