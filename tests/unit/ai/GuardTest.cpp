// The guards with the play fixtures and the guard and emote archetypes, in a level set in the
// logic manager (so ray casts and the navigation graph use it), run whole logic ticks over every
// entity as the play screen does: what their eyes see, and how their behaviours move, turn,
// listen, patrol, chase and raise the alarm.
#include "ai/ChaseBehavior.h"
#include "ai/ComponentGhost.h"
#include "ai/ComponentPerception.h"
#include "ai/ListenBehavior.h"
#include "ai/MoveBehavior.h"
#include "ai/PerceptionMessages.h"
#include "ai/TurnBehavior.h"
#include "core/ValueCursor.h"
#include "graphics/Batch.h"
#include "graphics/Renderer.h"
#include "unit/logic/GameFixtures.h"
#include "world/LevelMessages.h"
#include "world/SoundwaveMessages.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace Velmora::Tests {
namespace {

class GuardTest : public PlayTest {
protected:
    static constexpr double kTick = 1.0 / 60.0;

    void SetUp() override {
        PlayTest::SetUp();
        static const bool loaded = [] {
            for (const char* name : {"guard", "guard_pan", "guard_alarm", "exclamation", "question"}) {
                Factory::GetInstance().LoadArchetype(name, SourceDir() + "/data/object/" + name + ".xml", false);
            }
            return true;
        }();
        (void)loaded;
    }

    /// An entity of the archetype at a position and facing, as a level spawns it (begun).
    Entity* Place(const std::string& archetype, Vector2 position, Vector2 facing, const ValueList* data = nullptr) {
        Entity* entity = Spawn(archetype, position, data);
        if (!entity) return nullptr;
        entity->GetComponent<Graphics::ComponentTransform>()->mDirection = facing;
        Logic::MessageBeginLevel begin;
        entity->HandleMessage(begin);
        return entity;
    }

    /// n logic ticks: the systems, then every entity (newest first), then the end of the frame.
    static void Run(int ticks, double dt = kTick) {
        for (int i = 0; i < ticks; ++i) {
            MessageUpdateLogic update(dt);
            Game::GetInstance().SendMessage(update);
            Entities().SendToAll(update);
            EndFrame();
        }
    }

    static Vector2& PositionOf(Entity* entity) {
        return entity->GetComponent<Graphics::ComponentTransform>()->mPosition;
    }
    static Vector2& FacingOf(Entity* entity) {
        return entity->GetComponent<Graphics::ComponentTransform>()->mDirection;
    }
    static Ai::ComponentGhost& GhostOf(Entity* entity) { return *entity->GetComponent<Ai::ComponentGhost>(); }
    static Ai::ComponentPerception& EyesOf(Entity* entity) { return *entity->GetComponent<Ai::ComponentPerception>(); }

    /// How many times an emote ("exclamation", "question") was shown so far.
    int EmotesShown(const std::string& archetype) const {
        const std::string text = " shows `" + archetype + "`";
        return static_cast<int>(std::count_if(mLog.mLines.begin(), mLog.mLines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        }));
    }
};

// Keeps the names (and ids) of the visibility messages its entity receives.
class ComponentSightLog : public Component, public TComponent<ComponentSightLog> {
    VELMORA_COMPONENT(ComponentSightLog)
public:
    using Component::Component;
    void HandleMessage(Message& message) override {
        if (const auto* visible = MessageCast<Ai::MessageEntityVisible>(message))
            mLines.push_back("visible " + std::to_string(visible->mId));
        if (const auto* hidden = MessageCast<Ai::MessageEntityHidden>(message))
            mLines.push_back("hidden " + std::to_string(hidden->mId));
        if (const auto* seen = MessageCast<Ai::MessageEntitySeen>(message))
            mLines.push_back("seen by " + std::to_string(seen->mId));
    }
    std::vector<std::string> mLines;
};

class PerceptionTest : public GuardTest {
protected:
    // Eyes at the origin facing +x: a 90° cone 100 long, an all-round radius of 20, an alert set
    // that differs; no ghost, so nothing reacts to what is seen.
    Entity* Eyes(const ValueList& data = {90, 100, 20, 120, 300, 40, Color::FromRgba(10, 20, 30)}) {
        auto* entity = new Entity(mNextId++);
        auto* transform = new Graphics::ComponentTransform(entity);
        transform->mDirection = {1, 0};
        auto* perception = new Ai::ComponentPerception(entity);
        ValueCursor cursor(data);
        perception->Load(cursor);
        entity->AddComponent(transform);
        entity->AddComponent(perception);
        entity->AddComponent(new ComponentSightLog(entity));
        entity->Spawn(nullptr);
        return entity;
    }
    static std::vector<std::string>& LinesOf(Entity* entity) {
        return entity->GetComponent<ComponentSightLog>()->mLines;
    }

    int mNextId = 3000000;
};

TEST_F(PerceptionTest, SeesWithinRangeInsideTheConeOrTheAllRoundRadiusAndNotThroughWalls) {
    // Cell (1, 0) is stone; everything else floor.
    UseLevel({"0 0 0 0 0 0", "0 0 0 0 0 0", "0 0 0 0 0 0", "0 1 0 0 0 0"});
    const Ai::ComponentPerception& eyes = EyesOf(Eyes());
    const Vector2 left = Vector2(1, 0).Rotated(M_PI / 4) * 64.0; // exactly on the cone's edges
    const Vector2 right = Vector2(1, 0).Rotated(-M_PI / 4) * 64.0;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        Vector2 mPoint;
        bool mVisible;
        const char* mWhy;
    } cases[] = {
        {{80, -60}, true, "exactly at the range, inside the cone"},
        {{80, -61}, false, "just beyond the range"},
        {{-16, 0}, true, "behind, within the all-round radius"},
        {{-24, 0}, false, "behind, beyond the all-round radius"},
        {{0, 20}, true, "beside, exactly on the all-round radius"},
        {left, false, "exactly on the left edge"},
        {right, false, "exactly on the right edge"},
        {{70, 16}, false, "behind the stone cell"},
        {{nan, 0}, false, "not a point"},
    };
    for (const auto& c : cases) EXPECT_EQ(eyes.IsVisible(c.mPoint), c.mVisible) << c.mWhy;
    // The stone cell hides even inside the all-round radius.
    Ai::ComponentPerception& wide = EyesOf(Eyes({90, 100, 80}));
    EXPECT_FALSE(wide.IsVisible({70, 16}));
    EXPECT_TRUE(wide.IsVisible({-70, 16}));
}

TEST_F(PerceptionTest, ReportsEachSightingOnceAndEachLossOnce) {
    UseLevel({"0 0 0 0 0 0", "0 0 0 0 0 0", "0 0 0 0 0 0", "0 0 0 0 0 0"});
    Entity* guard = Eyes();
    Entity* player = Place("player", {-50, 0}, {1, 0});
    const std::string id = std::to_string(player->GetId());
    const auto step = [&](int ticks) {
        for (int i = 0; i < ticks; ++i) {
            MessageUpdateLogic update(kTick);
            guard->HandleMessage(update);
        }
    };
    step(1);
    EXPECT_TRUE(LinesOf(guard).empty());
    PositionOf(player) = {50, 0};
    step(3);
    EXPECT_EQ(LinesOf(guard), std::vector<std::string>{"visible " + id});
    EXPECT_EQ(Logic::LogicManager::GetInstance().GetLevelCounters().mSeen, 1); // the player heard it once
    PositionOf(player) = {-50, 0};
    step(2);
    PositionOf(player) = {50, 0};
    step(1);
    EXPECT_EQ(LinesOf(guard), (std::vector<std::string>{"visible " + id, "hidden " + id, "visible " + id}));
    EXPECT_EQ(Logic::LogicManager::GetInstance().GetLevelCounters().mSeen, 2);
    // A seen entity that goes away is hidden at the next step, and the registry forgets it.
    player->Destroy();
    step(1);
    EXPECT_EQ(LinesOf(guard).back(), "hidden " + id);
    EXPECT_TRUE(Logic::LogicManager::GetInstance().GetVisibilityRegistry().GetVisible(guard->GetId()).empty());
}

TEST_F(PerceptionTest, OutlinesStopAtVisionBlockingCellsTheRearArcGoesRoundTheBackAndBothAreDrawn) {
    // A stone column at x 64..96 in front of the guard.
    UseLevel({"0 0 1 0 0", "0 0 1 0 0", "0 0 1 0 0", "0 0 1 0 0"});
    Entity* guard = Eyes();
    PositionOf(guard) = {16, 64};
    Ai::ComponentPerception& eyes = EyesOf(guard);
    eyes.RebuildOutlines();
    EXPECT_EQ(eyes.mConePoints[18], Vector2(64, 64)); // clipped where the wall begins
    for (const Vector2& point : eyes.mNearPoints) EXPECT_NEAR(Distance(point, {16, 64}), 20.0, 1e-9);
    EXPECT_NEAR(eyes.mNearPoints[0].y, 64 + 20 * std::sin(M_PI / 4), 1e-9);  // from the cone's left edge
    EXPECT_NEAR(eyes.mNearPoints[18].x, 16 - 20.0, 1e-9);                    // round the back
    EXPECT_NEAR(eyes.mNearPoints[36].y, 64 - 20 * std::sin(M_PI / 4), 1e-9); // to its right edge
    // Drawn as an additive fan at layer 600 over both arcs, under the fixed alpha.
    Graphics::Renderer renderer([](const Graphics::Batch&) {});
    eyes.Draw(renderer);
    const Graphics::Batch& fan =
        renderer.GetBatch(Graphics::kPrimitiveTriangles, nullptr, 600, 4096, Graphics::kBlendAdditive);
    EXPECT_EQ(fan.GetRoom(), 4096u - 2 * 36 * 3);
    EXPECT_EQ(fan.GetVertices()[0].mAlpha, 0x2F);
}

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

} // namespace
} // namespace Velmora::Tests
