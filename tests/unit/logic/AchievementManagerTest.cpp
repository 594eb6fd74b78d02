#include "game/AchievementManager.h"
#include "game/GameCounters.h"

#include <gtest/gtest.h>

namespace Velmora::Logic {
namespace {

GameCounters Attempt(int steps, int shots, int shatter, int seen) {
    GameCounters level;
    level.mSteps = steps;
    level.mShots = shots;
    level.mShatter = shatter;
    level.mSeen = seen;
    level.mShockwaves = 5;
    level.mMacGuffin = 1;
    level.mTicks = 30;
    return level;
}

TEST(AchievementManager, EveryFinishedAttemptAddsItsFourCountersAndInitializeZeroesThem) {
    AchievementManager achievements;
    achievements.Initialize();
    // Lost and retried three times, then won: four attempts of the same level.
    for (int attempt = 0; attempt < 3; ++attempt) achievements.RecordLevelResult(Attempt(10, 2, 1, 3));
    achievements.RecordLevelResult(Attempt(-4, 0, 0, 0)); // a negative count adds nothing
    const AchievementManager::Totals& totals = achievements.GetTotals();
    EXPECT_EQ(totals.mFootsteps, 30u);
    EXPECT_EQ(totals.mShots, 6u);
    EXPECT_EQ(totals.mWindowsShattered, 3u);
    EXPECT_EQ(totals.mTimesSeen, 9u);
    achievements.Initialize();
    EXPECT_EQ(achievements.GetTotals().mShots, 0u);
}

} // namespace
} // namespace Velmora::Logic
