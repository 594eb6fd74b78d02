#include "game/LogicManager.h"

#include <gtest/gtest.h>

namespace Velmora::Logic {
namespace {

// The game's own logic manager: a second one would take the level's listener over and leave it
// unset when it goes, unhooking the real one for every later test.
TEST(GameCounters, EventsWithACounterRaiseBothSetsOnce) {
    LogicManager& logic = LogicManager::GetInstance();
    logic.ResetLevelCounters();
    const GameCounters game = logic.GetGameCounters();
    logic.FireTriggerEvent(kEventStep);
    logic.FireTriggerEvent(kEventStep);
    logic.FireTriggerEvent(kEventShatter);
    logic.FireTriggerEvent(kEventWin); // no counter
    EXPECT_EQ(logic.GetLevelCounters().mSteps, 2);
    EXPECT_EQ(logic.GetGameCounters().mSteps, game.mSteps + 2);
    EXPECT_EQ(logic.GetLevelCounters().mShatter, 1);

    logic.ResetLevelCounters();
    logic.FireTriggerEvent(kEventMacGuffin);
    EXPECT_EQ(logic.GetLevelCounters().mSteps, 0);
    EXPECT_EQ(logic.GetLevelCounters().mMacGuffin, 1);
    EXPECT_EQ(logic.GetGameCounters().mSteps, game.mSteps + 2) << "the game set is never reset";
    EXPECT_EQ(logic.GetGameCounters().mMacGuffin, game.mMacGuffin + 1);
    logic.ResetLevelCounters();
}

} // namespace
} // namespace Velmora::Logic
