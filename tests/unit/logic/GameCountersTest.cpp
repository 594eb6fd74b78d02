#include "game/LogicManager.h"

#include <gtest/gtest.h>

namespace Velmora::Logic {
namespace {

TEST(GameCounters, EventsWithACounterRaiseBothSetsOnce) {
    LogicManager logic;
    logic.FireTriggerEvent(kEventStep);
    logic.FireTriggerEvent(kEventStep);
    logic.FireTriggerEvent(kEventShatter);
    logic.FireTriggerEvent(kEventWin); // no counter
    EXPECT_EQ(logic.GetLevelCounters().mSteps, 2);
    EXPECT_EQ(logic.GetGameCounters().mSteps, 2);
    EXPECT_EQ(logic.GetLevelCounters().mShatter, 1);

    logic.ResetLevelCounters();
    logic.FireTriggerEvent(kEventMacGuffin);
    EXPECT_EQ(logic.GetLevelCounters().mSteps, 0);
    EXPECT_EQ(logic.GetLevelCounters().mMacGuffin, 1);
    EXPECT_EQ(logic.GetGameCounters().mSteps, 2) << "the game set is never reset";
    EXPECT_EQ(logic.GetGameCounters().mMacGuffin, 1);
}

} // namespace
} // namespace Velmora::Logic
