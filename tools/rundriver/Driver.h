#pragma once

#include "CellPath.h"
#include "game/GunType.h"
#include "screens/TickInput.h"

#include <vector>

namespace Velmora::Tools {

/// A scripted player for one level attempt: plans a path over the level's cells to the exit and
/// steers along it tick by tick; when only glass stands in the way it first fetches a gun that
/// breaks glass, then walks up to the pane, charges a full shot at it and waits for it to break.
/// It reads the game's state as any player would see it, and gives the tick's input.
class Driver {
public:
    /// Gives up after this many ticks.
    explicit Driver(uint32_t maxTicks) : mMaxTicks(maxTicks) {}
    /// The next tick's input; false when the level has no player or the time is up.
    bool Next(Logic::TickInput& input);
    /// The gun the player carried at the last tick.
    Logic::GunType GetGun() const { return mGun; }

private:
    void Plan(Cell from);
    void Steer(const Vector2& position, Logic::TickInput& input);
    bool AimAtGlass(Logic::TickInput& input);

    uint32_t mMaxTicks;
    uint32_t mTick = 0;
    std::vector<Cell> mPath;
    size_t mStep = 0;
    Logic::GunType mGun = Logic::kGunNone;
    bool mCharging = false;
    Cell mGlass;
    int mWait = 0;         // ticks to stand still (a shot's glass breaking)
    Vector2 mLastPosition; // for noticing that the player is stuck
    int mStuckTicks = 0;
};

} // namespace Velmora::Tools
