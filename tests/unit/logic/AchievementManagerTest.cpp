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

TEST(AchievementManager, EveryFinishedAttemptAddsItsFourCounters) {
    AchievementManager achievements;
    achievements.Initialize();
    // Lost and retried three times, then won: four attempts of the same level.
    for (int attempt = 0; attempt < 3; ++attempt) achievements.RecordLevelResult(Attempt(10, 2, 1, 3));
    achievements.RecordLevelResult(Attempt(7, 0, 0, 0));
    const AchievementManager::Totals& totals = achievements.GetTotals();
    EXPECT_EQ(totals.mFootsteps, 37u);
    EXPECT_EQ(totals.mShots, 6u);
    EXPECT_EQ(totals.mWindowsShattered, 3u);
    EXPECT_EQ(totals.mTimesSeen, 9u);
}

TEST(AchievementManager, InitializeZeroesTheTotalsAndNegativeCountsAddNothing) {
    AchievementManager achievements;
    achievements.RecordLevelResult(Attempt(-4, 1, 0, 0));
    EXPECT_EQ(achievements.GetTotals().mFootsteps, 0u);
    EXPECT_EQ(achievements.GetTotals().mShots, 1u);
    achievements.Initialize();
    EXPECT_EQ(achievements.GetTotals().mShots, 0u);
}

} // namespace
} // namespace Velmora::Logic
