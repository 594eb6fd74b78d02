// The medal a level time earns against the level's three medal times.
#include "game/Medal.h"

#include <gtest/gtest.h>

namespace Velmora::Logic {
namespace {

TEST(Medal, EachMedalIsEarnedAtItsTimeAndLostJustAfter) {
    // gold 10, silver 18, bronze 30 (the third training level)
    const struct {
        double mSeconds;
        Medal mMedal;
    } cases[] = {
        {10.0, Medal::kGold},    {10.004, Medal::kGold}, {10.01, Medal::kSilver}, {18.0, Medal::kSilver},
        {18.01, Medal::kBronze}, {30.0, Medal::kBronze}, {30.01, Medal::kNone},
    };
    for (const auto& c : cases) EXPECT_EQ(ChooseMedal(c.mSeconds, 10.0, 18.0, 30.0), c.mMedal) << c.mSeconds;

    // Ten seconds summed from 1/60 s ticks is 9.99999… or 10.00000…1: either way gold.
    double clock = 0.0;
    for (int tick = 0; tick < 600; ++tick) clock += 1.0 / 60.0;
    EXPECT_EQ(ChooseMedal(clock, 10.0, 18.0, 30.0), Medal::kGold);
}

TEST(Medal, MissingMedalTimesAreNeverEarned) {
    EXPECT_EQ(ChooseMedal(5.0, 0.0, 0.0, 0.0), Medal::kNone);
    EXPECT_EQ(ChooseMedal(0.0, -1.0, 0.0, 8.0), Medal::kBronze);
}

TEST(Medal, TheNextBetterMedalSkipsMissingTimes) {
    double seconds = -1.0;
    EXPECT_EQ(NextMedal(Medal::kNone, 10.0, 18.0, 30.0, seconds), Medal::kBronze);
    EXPECT_EQ(seconds, 30.0);
    EXPECT_EQ(NextMedal(Medal::kBronze, 10.0, 0.0, 30.0, seconds), Medal::kGold);
    EXPECT_EQ(seconds, 10.0);
    EXPECT_EQ(NextMedal(Medal::kGold, 10.0, 18.0, 30.0, seconds), Medal::kNone);
    EXPECT_EQ(NextMedal(Medal::kNone, 0.0, 0.0, 0.0, seconds), Medal::kNone);
}

} // namespace
} // namespace Velmora::Logic
