#include "game/AchievementManager.h"

#include "game/GameCounters.h"
#include "game/LogicManager.h"

namespace Velmora::Logic {

namespace {

// Level counters are never negative in play; a negative one (a script or a bug) adds nothing
// rather than wrapping the unsigned total round.
uint32_t Counted(int value) { return value > 0 ? static_cast<uint32_t>(value) : 0u; }

} // namespace

AchievementManager& AchievementManager::GetInstance() {
    static AchievementManager* instance = new AchievementManager(); // lives to process exit
    return *instance;
}

void AchievementManager::Initialize() { mTotals = Totals(); }

void AchievementManager::SetMedalTimes(double bronze, double silver, double gold) {
    mBronze = bronze;
    mSilver = silver;
    mGold = gold;
}

void AchievementManager::RecordLevelResult() { RecordLevelResult(LogicManager::GetInstance().GetLevelCounters()); }

void AchievementManager::RecordLevelResult(const GameCounters& level) {
    mTotals.mFootsteps += Counted(level.mSteps);
    mTotals.mShots += Counted(level.mShots);
    mTotals.mWindowsShattered += Counted(level.mShatter);
    mTotals.mTimesSeen += Counted(level.mSeen);
}

} // namespace Velmora::Logic
