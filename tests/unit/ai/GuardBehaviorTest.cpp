#include "ai/ChaseBehavior.h"
#include "ai/ListenBehavior.h"
#include "ai/MoveBehavior.h"
#include "ai/TurnBehavior.h"
#include "unit/ai/GuardFixtures.h"
#include "world/SoundwaveMessages.h"

namespace Velmora::Tests {
namespace {

// A room of floor 12 × 8 cells inside stone walls; a stone pillar at cells (6, 3) and (6, 4).
const std::vector<std::string> kRoom = {"1 1 1 1 1 1 1 1 1 1 1 1 1 1", "1 0 0 0 0 0 0 0 0 0 0 0 0 1",
                                        "1 0 0 0 0 0 0 0 0 0 0 0 0 1", "1 0 0 0 0 0 0 0 0 0 0 0 0 1",
                                        "1 0 0 0 0 0 1 0 0 0 0 0 0 1", "1 0 0 0 0 0 1 0 0 0 0 0 0 1",
                                        "1 0 0 0 0 0 0 0 0 0 0 0 0 1", "1 0 0 0 0 0 0 0 0 0 0 0 0 1",
                                        "1 0 0 0 0 0 0 0 0 0 0 0 0 1", "1 1 1 1 1 1 1 1 1 1 1 1 1 1"};

class GuardBehaviorTest : public GuardTest {
protected:
    void SetUp() override {
        GuardTest::SetUp();
        UseLevel(kRoom);
    }

    // A guard of the archetype whose behaviours are replaced by the given actions.
    Entity* BareGuard(Vector2 position, Vector2 facing, std::initializer_list<Action*> actions) {
        Entity* guard = Place("guard", position, facing);
        GhostOf(guard).mActions.Clear();
        for (Action* action : actions) GhostOf(guard).mActions.PushBack(action);
        return guard;
    }
    // Runs ticks until the condition holds (true) or the limit passes (false).
    template <class Condition>
    static bool RunUntil(Condition condition, int limit = 1200) {
        for (int i = 0; i < limit; ++i) {
            if (condition()) return true;
            Run(1);
        }
        return condition();
    }
};

TEST_F(GuardBehaviorTest, AMoveSnapsWithinRootFiveAndEndsWhenAWallStopsTheGuard) {
    const uint32_t lanes = kLaneMovement | kLaneBehavior;
    Entity* near = BareGuard({100, 100}, {1, 0}, {});
    const uint32_t id = static_cast<uint32_t>(near->GetId());
    GhostOf(near).mActions.PushBack(new Ai::MoveBehavior(id, lanes, 50, {102, 101})); // 5 units² away
    Run(1);
    EXPECT_EQ(PositionOf(near), Vector2(102, 101));
    EXPECT_TRUE(GhostOf(near).mActions.IsEmpty());
    GhostOf(near).mActions.PushBack(new Ai::MoveBehavior(id, lanes, 50, {104.1, 102})); // just beyond
    Run(1);
    EXPECT_FALSE(GhostOf(near).mActions.IsEmpty());
    // Into the pillar at x 192: the body stops before it and the move gives up.
    Entity* blocked = BareGuard({150, 144}, {1, 0}, {});
    GhostOf(blocked).mActions.PushBack(
        new Ai::MoveBehavior(static_cast<uint32_t>(blocked->GetId()), lanes, 120, {230, 144}));
    EXPECT_TRUE(RunUntil([&] { return GhostOf(blocked).mActions.IsEmpty(); }, 120));
    EXPECT_LT(PositionOf(blocked).x, 192.0);
}

TEST_F(GuardBehaviorTest, AHalfTurnGoesCounterClockwiseAndEndsExactlyOnTheDirection) {
    for (const Vector2 from : {Vector2(1, 0), Vector2(-1, 0), Vector2(0, 1)}) {
        Entity* guard = BareGuard({100, 100}, from, {});
        GhostOf(guard).mActions.PushBack(
            new Ai::TurnBehavior(static_cast<uint32_t>(guard->GetId()), kLaneFacing, -from));
        Run(1);
        EXPECT_GT(Cross(from, FacingOf(guard)), 0.0) << from.x << ", " << from.y;
        EXPECT_TRUE(RunUntil([&] { return GhostOf(guard).mActions.IsEmpty(); }, 120));
        EXPECT_EQ(FacingOf(guard), -from);
    }
}

TEST_F(GuardBehaviorTest, WavesWithinATenthOfASecondMakeOneTurnAgainstTheirSum) {
    Entity* guard = Place("guard", {200, 100}, {0, 1});
    const auto hear = [&](double x, double y, Logic::SoundwaveKind kind) {
        Logic::MessageSoundwaveCollision wave(x, y, kind);
        guard->HandleMessage(wave);
    };
    Run(1);
    hear(30, 0, Logic::kSound);
    Run(3);
    hear(0, 30, Logic::kSound);
    hear(0, -500, Logic::kWhite); // white noise is not heard
    Run(4);
    EXPECT_EQ(EmotesShown("question"), 1);
    hear(500, 0, Logic::kSound); // while reacting nothing new is heard
    const Vector2 away = Vector2(-1, -1).Normalized();
    EXPECT_TRUE(RunUntil([&] { return Distance(FacingOf(guard), away) < 1e-12; }, 240));
    Run(30);
    EXPECT_EQ(EmotesShown("question"), 1);
}

TEST_F(GuardBehaviorTest, WhiteNoiseMasksFaintSoundsForAWhile) {
    struct Case {
        int ticksAfterNoise; // 0: no white noise at all
        double energy;
        bool heard;
    };
    const Case cases[] = {{0, 80, true}, {10, 80, false}, {10, 200, true}, {110, 80, false}, {130, 80, true}};
    for (const Case& c : cases) {
        Entity* guard = Place("guard", {200, 100}, {0, 1});
        const int before = EmotesShown("question");
        Run(1);
        if (c.ticksAfterNoise > 0) {
            Logic::MessageSoundwaveCollision noise(0, -400, Logic::kWhite);
            guard->HandleMessage(noise);
            Run(c.ticksAfterNoise);
        }
        Logic::MessageSoundwaveCollision wave(c.energy, 0, Logic::kSound);
        guard->HandleMessage(wave);
        Run(10);
        EXPECT_EQ(EmotesShown("question") - before, c.heard ? 1 : 0) << c.ticksAfterNoise << " " << c.energy;
        guard->Destroy();
        Run(1);
    }
}

TEST_F(GuardBehaviorTest, APatrolOfOneWaypointKeepsComingBackToIt) {
    Place("waypoint", {336, 208}, {0, 1})->SetName("post");
    const ValueList route{"nowhere", "post"};
    Entity* guard = Place("guard", {80, 80}, {0, 1}, &route);
    ASSERT_TRUE(RunUntil([&] { return PositionOf(guard) == Vector2(336, 208); }, 900));
    Run(60);
    EXPECT_EQ(PositionOf(guard), Vector2(336, 208)); // pausing there
    PositionOf(guard) = {250, 120};
    EXPECT_TRUE(RunUntil([&] { return PositionOf(guard) == Vector2(336, 208); }, 900));
}

TEST_F(GuardBehaviorTest, AChaseRunsToTheLastKnownPlaceTurnsAsTheTargetFacedAndStops) {
    Entity* guard = Place("guard", {100, 144}, {1, 0});
    Entity* player = Place("player", {160, 176}, {0, -1});
    // The player vanishes from where it stands and the guard's eyes notice before its mind runs
    // again, so the last place seen is where it stood.
    const auto move = [&](Vector2 to) {
        PositionOf(player) = to;
        EyesOf(guard).Update();
    };
    ASSERT_TRUE(RunUntil([&] { return mBroadcasts.Count("ChaseStart") == 1; }, 300));
    EXPECT_EQ(EmotesShown("exclamation"), 1);
    EXPECT_EQ(EyesOf(guard).mCurrentSightRange, EyesOf(guard).mAlertSightRange);
    // Lost and seen again: still one chase.
    move({-2000, -2000});
    Run(2);
    move({160, 176});
    Run(2);
    move({-2000, -2000});
    Vector2 stoppedAt, stoppedFacing;
    mBroadcasts.mOnMessage = [&](Message& message) {
        if (message.GetName() != "ChaseStop") return;
        stoppedAt = PositionOf(guard);
        stoppedFacing = FacingOf(guard);
    };
    ASSERT_TRUE(RunUntil([&] { return mBroadcasts.Count("ChaseStop") == 1; }, 600));
    EXPECT_EQ(mBroadcasts.Count("ChaseStart"), 1);
    EXPECT_EQ(stoppedAt, Vector2(160, 176));
    EXPECT_EQ(stoppedFacing, Vector2(0, -1));
    EXPECT_EQ(EyesOf(guard).mCurrentSightRange, EyesOf(guard).mSightRange);
    // Then it walks back to its post and faces the old way.
    EXPECT_TRUE(
        RunUntil([&] { return PositionOf(guard) == Vector2(100, 144) && FacingOf(guard) == Vector2(1, 0); }, 900));
}

TEST_F(GuardBehaviorTest, AChaseWhoseTargetIsDestroyedGoesOnToWhereItWasSeen) {
    Entity* guard = Place("guard", {100, 144}, {1, 0});
    Entity* player = Place("player", {160, 144}, {0, 1});
    ASSERT_TRUE(RunUntil([&] { return mBroadcasts.Count("ChaseStart") == 1; }, 300));
    const Vector2 seenAt = PositionOf(player);
    player->Destroy();
    ASSERT_TRUE(RunUntil([&] { return mBroadcasts.Count("ChaseStop") == 1; }, 600));
    EXPECT_LT(Distance(PositionOf(guard), seenAt), 20.0);
}

TEST_F(GuardBehaviorTest, TheLookoutShoutsOnceAndRaisesAnAlarmThatOtherGuardsHear) {
    Place("guard_alarm", {100, 144}, {1, 0});
    Place("guard_pan", {300, 230}, {1, 0});
    Place("player", {170, 144}, {0, 1});
    Run(60);
    EXPECT_EQ(EmotesShown("exclamation"), 1);
    EXPECT_EQ(mBroadcasts.Count("MessageLevelLost"), 0);
    EXPECT_TRUE(RunUntil([&] { return !Waves().empty(); }, 120)) << "an alarm wave";
    EXPECT_TRUE(RunUntil([&] { return EmotesShown("question") == 1; }, 240)) << "the watchman heard it";
}

TEST_F(GuardBehaviorTest, GuardsOutsideTheMapOrInsideAWallNeitherCrashNorHang) {
    const ValueList route{"a", "b"};
    Place("waypoint", {80, 80}, {0, 1})->SetName("a");
    Place("waypoint", {-900, 50}, {0, 1})->SetName("b");
    Place("guard", {-500, -500}, {1, 0}, &route);
    Place("guard", {208, 144}, {1, 0}, &route); // inside the pillar
    Place("guard", {1e12, 0}, {0, 0});
    Place("player", {300, 200}, {0, 1});
    Run(300);
    SUCCEED();
}

} // namespace
} // namespace Velmora::Tests
