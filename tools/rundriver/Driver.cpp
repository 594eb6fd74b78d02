#include "Driver.h"

#include "ai/ComponentPerception.h"
#include "core/Entity.h"
#include "core/Game.h"
#include "game/ComponentGunPickup.h"
#include "game/LogicManager.h"
#include "graphics/ComponentTransform.h"
#include "screens/PlayScreen.h"
#include "world/Level.h"
#include "world/Tile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Velmora::Tools {

namespace {

constexpr double kArrived = 3.0;    // world units from a cell's centre that count as there
constexpr int kBreakWait = 45;      // ticks for a pane to break after the shot
constexpr int kStuckLimit = 30;     // ticks without moving before the path is planned again
constexpr double kLookAhead = 40.0; // world units of the way ahead a careful walk keeps out of sight
constexpr double kLookStep = 4.0;   // world units between the points tested on the way ahead
constexpr int kHoldLimit = 60 * 30; // ticks a careful walk may hold still before the plan fails

Vector2 CentreOf(Cell cell) { return Vector2((cell.x + 0.5) * kTileSize, (cell.y + 0.5) * kTileSize); }

bool CarriesGlassBreaker(Logic::GunType gun) { return gun == Logic::kShockGun; }

Logic::PlayScreen* Play() { return dynamic_cast<Logic::PlayScreen*>(Game::GetInstance().GetTopScreen()); }

// The cells of the gun pickups that would break glass.
bool IsBreakerPickup(Cell cell) {
    for (const Logic::ComponentGunPickup* pickup : Logic::ComponentGunPickup::GetInstances()) {
        if (pickup->mOwner->IsDestroyed() || !CarriesGlassBreaker(pickup->mGunType)) continue;
        const auto* transform = pickup->mOwner->GetComponent<Graphics::ComponentTransform>();
        if (transform && CellAt(transform->mPosition.x, transform->mPosition.y) == cell) return true;
    }
    return false;
}

// Whether any guard sees one of the points along the path ahead of the player, from a little in
// front of it up to kLookAhead along the path.
bool WayAheadSeen(const Vector2& position, const std::vector<Cell>& path, size_t step) {
    std::vector<Vector2> points;
    Vector2 from = position;
    double travelled = 0.0;
    for (size_t i = step; i < path.size() && travelled < kLookAhead; ++i) {
        const Vector2 to = CentreOf(path[i]);
        const double length = (to - from).Length();
        for (double along = kLookStep; along <= length && travelled + along <= kLookAhead; along += kLookStep) {
            points.push_back(from + (to - from) * (along / length));
        }
        travelled += length;
        from = to;
    }
    for (const Ai::ComponentPerception* eyes : Ai::ComponentPerception::GetInstances()) {
        if (eyes->mOwner->IsDestroyed()) continue;
        for (const Vector2& point : points) {
            if (eyes->IsVisible(point)) return true;
        }
    }
    return false;
}

// With RUNDRIVER_TRACE set, every 20th tick goes to stderr: the plan step, the player's place in
// cells, the times seen so far, and each guard's place and facing; for writing plans.
void Trace(uint32_t tick, size_t step, const Vector2& player) {
    static const bool sOn = std::getenv("RUNDRIVER_TRACE") != nullptr;
    if (!sOn || tick % 20 != 0) return;
    std::fprintf(stderr, "tick %u step %zu player (%.1f, %.1f) seen %d", tick, step, player.x / kTileSize,
                 player.y / kTileSize, Logic::LogicManager::GetInstance().GetLevelCounters().mSeen);
    for (const Ai::ComponentPerception* eyes : Ai::ComponentPerception::GetInstances()) {
        if (!eyes->mTransform) continue;
        const Vector2 at = eyes->mTransform->mPosition * (1.0 / kTileSize);
        const Vector2 facing = eyes->mTransform->mDirection;
        std::fprintf(stderr, " | guard (%.1f, %.1f) facing (%.2f, %.2f)", at.x, at.y, facing.x, facing.y);
    }
    std::fprintf(stderr, "\n");
}

} // namespace

bool Driver::Next(Logic::TickInput& input) {
    if (++mTick > mMaxTicks) return false;
    const Entity* player = Logic::LogicManager::GetInstance().GetPlayer();
    const auto* transform = player ? player->GetComponent<Graphics::ComponentTransform>() : nullptr;
    if (!transform || !Play()) return false;
    mGun = Play()->mGun.mGun;
    input = Logic::TickInput();
    input.mResumed = mTick == 1; // play starts with the first tick, as in the game
    input.mFacing = transform->mDirection;
    Trace(mTick, mPlanStep, transform->mPosition);
    if (mCharging) return AimAtGlass(input);
    if (mWait > 0) {
        --mWait;
        if (mWait == 0) mPath.clear();
        return true;
    }
    if (!mPlan.empty()) return NextPlanned(transform->mPosition, input);
    Steer(transform->mPosition, input);
    return true;
}

bool Driver::NextPlanned(const Vector2& position, Logic::TickInput& input) {
    while (mPlanStep < mPlan.size()) {
        const PlanStep& step = mPlan[mPlanStep];
        if (!mStepBegun) {
            if (!BeginStep(step, position)) return false;
            mStepBegun = true;
        }
        if (step.mKind == PlanStep::kWait) {
            // This tick is the first of the wait; a wait of 0 goes straight on to the next step.
            mWait = std::max(step.mTicks - 1, 0);
            ++mPlanStep;
            mStepBegun = false;
            if (step.mTicks > 0) return true;
            continue;
        }
        if (step.mKind == PlanStep::kShoot) {
            if (!Shoot(step, position, input)) return true;
        } else {
            Steer(position, input);
            if (mHolding > kHoldLimit) return Fail(step, "the way stays in a guard's sight");
            if (mCharging) return true; // the exit walk breaks a pane on the way
            if (step.mKind == PlanStep::kExit || mPath.empty() || mStep < mPath.size()) return true;
        }
        // The step is done; the next one begins with the next tick.
        ++mPlanStep;
        mStepBegun = false;
        return true;
    }
    return true;
}

bool Driver::BeginStep(const PlanStep& step, const Vector2& position) {
    const Logic::Level& level = *Logic::LogicManager::GetInstance().GetLevel();
    const Cell cell{step.mX, step.mY};
    if (step.mKind == PlanStep::kWait) return true;
    if (!level.IsInside(cell.x, cell.y) && step.mKind != PlanStep::kExit) return Fail(step, "cell outside the level");
    if (step.mKind == PlanStep::kShoot) {
        mHeld = 0;
        mFired = false;
        return mGun != Logic::kGunNone || Fail(step, "no gun to shoot with");
    }
    if (step.mKind != PlanStep::kExit && BlocksPlayer(level, cell)) return Fail(step, "cell is not walkable");
    mGoal = step.mKind == PlanStep::kExit ? std::nullopt : std::optional<Cell>(cell);
    mCareful = step.mKind != PlanStep::kRun;
    mStuckTicks = 0;
    mHolding = 0;
    Plan(CellAt(position.x, position.y));
    return !mPath.empty() || Fail(step, "no walkable way there");
}

bool Driver::Shoot(const PlanStep& step, const Vector2& position, Logic::TickInput& input) {
    const Vector2 way = CentreOf(Cell{step.mX, step.mY}) - position;
    if (way.Length() > 0.0) input.mFacing = way * (1.0 / way.Length());
    const Logic::Gun& gun = Play()->mGun;
    if (mFired) return gun.mReload >= 1.0;
    if (mHeld == 0 && gun.mReload < 1.0) return false; // a shot needs a loaded gun
    if (mHeld < std::max(step.mTicks, 1)) {
        input.mFire = true;
        ++mHeld;
        return false;
    }
    mFired = true; // let go: the shot leaves this tick
    return false;
}

bool Driver::Fail(const PlanStep& step, const std::string& reason) const {
    std::fprintf(stderr, "%s:%d: %s\n", mPlanName.c_str(), step.mLine, reason.c_str());
    return false;
}

void Driver::Plan(Cell from) {
    const Logic::Level& level = *Logic::LogicManager::GetInstance().GetLevel();
    const auto exit = [&level](Cell c) { return level.GetLiveCell(c.x, c.y) == Logic::kTileExit; };
    mStep = 0;
    if (mGoal) {
        const Cell goal = *mGoal;
        mPath = FindPath(
            level, from, [goal](Cell c) { return c == goal; }, Glass::kAvoid);
        return;
    }
    mPath = FindPath(level, from, exit, Glass::kAvoid);
    if (!mPath.empty()) return;
    if (!CarriesGlassBreaker(mGun)) {
        mPath = FindPath(level, from, IsBreakerPickup, Glass::kAvoid);
        if (!mPath.empty()) return;
    }
    mPath = FindPath(level, from, exit, Glass::kBreakThrough);
}

void Driver::Steer(const Vector2& position, Logic::TickInput& input) {
    const Logic::Level& level = *Logic::LogicManager::GetInstance().GetLevel();
    mStuckTicks = (position - mLastPosition).Length() < 0.01 ? mStuckTicks + 1 : 0;
    mLastPosition = position;
    if (mPath.empty() || mStep >= mPath.size() || mStuckTicks > kStuckLimit) {
        mStuckTicks = 0;
        Plan(CellAt(position.x, position.y));
        if (mPath.empty()) return;
    }
    while (mStep < mPath.size() && (CentreOf(mPath[mStep]) - position).Length() < kArrived) ++mStep;
    if (mStep >= mPath.size()) return;
    if (mCareful && WayAheadSeen(position, mPath, mStep)) {
        mStuckTicks = 0; // holding still on purpose
        ++mHolding;
        return;
    }
    mHolding = 0;
    if (IsGlass(level, mPath[mStep]) && BlocksPlayer(level, mPath[mStep])) {
        mCharging = CarriesGlassBreaker(mGun);
        mGlass = mPath[mStep];
        if (mCharging) AimAtGlass(input);
        return;
    }
    const Vector2 way = CentreOf(mPath[mStep]) - position;
    const Vector2 direction = way * (1.0 / way.Length());
    input.mMove = direction * Logic::LogicManager::GetInstance().mPlayerMoveSpeed.Get();
    input.mFacing = direction;
}

bool Driver::AimAtGlass(Logic::TickInput& input) {
    const Entity* player = Logic::LogicManager::GetInstance().GetPlayer();
    const auto* transform = player->GetComponent<Graphics::ComponentTransform>();
    const Vector2 way = CentreOf(mGlass) - transform->mPosition;
    input.mFacing = way * (1.0 / way.Length());
    const Logic::Gun& gun = Play()->mGun;
    input.mFire = !(gun.mCharging && gun.mCharge >= 1.0);
    if (!input.mFire) {
        // Let go with a full charge: the shot leaves this tick.
        mCharging = false;
        mWait = kBreakWait;
    }
    return true;
}

} // namespace Velmora::Tools
