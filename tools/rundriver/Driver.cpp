#include "Driver.h"

#include "core/Entity.h"
#include "core/Game.h"
#include "game/ComponentGunPickup.h"
#include "game/LogicManager.h"
#include "graphics/ComponentTransform.h"
#include "screens/PlayScreen.h"
#include "world/Level.h"
#include "world/Tile.h"

#include <cmath>

namespace Velmora::Tools {

namespace {

constexpr double kArrived = 3.0; // world units from a cell's centre that count as there
constexpr int kBreakWait = 45;   // ticks for a pane to break after the shot
constexpr int kStuckLimit = 30;  // ticks without moving before the path is planned again

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
    if (mCharging) return AimAtGlass(input);
    if (mWait > 0) {
        --mWait;
        if (mWait == 0) mPath.clear();
        return true;
    }
    Steer(transform->mPosition, input);
    return true;
}

void Driver::Plan(Cell from) {
    const Logic::Level& level = *Logic::LogicManager::GetInstance().GetLevel();
    const auto exit = [&level](Cell c) { return level.GetLiveCell(c.x, c.y) == Logic::kTileExit; };
    mStep = 0;
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
