#pragma once

#include "CellPath.h"
#include "PlanFile.h"
#include "game/GunType.h"
#include "screens/TickInput.h"

#include <optional>
#include <string>
#include <vector>

namespace Velmora::Tools {

/// A scripted player for one level attempt. Without a plan it plans a path over the level's
/// cells to the exit and steers along it tick by tick; when only glass stands in the way it
/// first fetches a gun that breaks glass, then walks up to the pane, charges a full shot at it
/// and waits for it to break. With a plan it runs the plan's steps in order instead, the last
/// being the walk to the exit; careful walks hold still while the way ahead is in a guard's
/// sight. It reads the game's state as any player would see it, and gives the tick's input.
class Driver {
public:
    /// Gives up after this many ticks; `plan` empty: no plan.
    Driver(uint32_t maxTicks, std::vector<PlanStep> plan, std::string planName)
        : mMaxTicks(maxTicks), mPlan(std::move(plan)), mPlanName(std::move(planName)) {}
    /// The next tick's input; false when the level has no player, the time is up or a plan
    /// step cannot be done (the reason then is on stderr).
    bool Next(Logic::TickInput& input);
    /// The gun the player carried at the last tick.
    Logic::GunType GetGun() const { return mGun; }

private:
    bool NextPlanned(const Vector2& position, Logic::TickInput& input);
    bool BeginStep(const PlanStep& step, const Vector2& position);
    bool Shoot(const PlanStep& step, const Vector2& position, Logic::TickInput& input);
    void Plan(Cell from);
    void Steer(const Vector2& position, Logic::TickInput& input);
    bool AimAtGlass(Logic::TickInput& input);
    bool Fail(const PlanStep& step, const std::string& reason) const;

    uint32_t mMaxTicks;
    uint32_t mTick = 0;
    std::vector<Cell> mPath;
    size_t mStep = 0;
    Logic::GunType mGun = Logic::kGunNone;
    bool mCharging = false;
    Cell mGlass;
    int mWait = 0;         // ticks to stand still (a shot's glass breaking, a plan's wait)
    Vector2 mLastPosition; // for noticing that the player is stuck
    int mStuckTicks = 0;

    std::vector<PlanStep> mPlan;
    std::string mPlanName;
    size_t mPlanStep = 0;
    bool mStepBegun = false;
    std::optional<Cell> mGoal; // the cell a walk step heads for; none: the exit
    bool mCareful = false;     // hold still while the way ahead is in sight
    int mHolding = 0;          // ticks held still so far for the way ahead to clear
    int mHeld = 0;             // ticks the current shot has held fire
    bool mFired = false;       // the current shot has let go
};

} // namespace Velmora::Tools
