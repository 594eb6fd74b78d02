// The player built from its archetype: footsteps from movement, the exit, guards' touches,
// being seen, the end of the level, movement and facing requests, and the debug drawing.
#include "unit/logic/GameFixtures.h"

#include "ai/ComponentGhost.h"
#include "ai/PerceptionMessages.h"
#include "graphics/DebugDrawManager.h"
#include "world/LevelMessages.h"

namespace Velmora::Tests {
namespace {

using Logic::ComponentPlayer;

class ComponentPlayerTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        mPlayer = Spawn("player", {64, 64});
        mComponent = mPlayer->GetComponent<ComponentPlayer>();
        mBody = mPlayer->GetComponent<Physics::ComponentBody>();
        mTransform = mPlayer->GetComponent<Graphics::ComponentTransform>();
    }

    /// One tick of walking at a velocity: the player hands it to the body, the body moves on the
    /// next tick (bodies update before "ComponentPlayer"), so the first tick only arms it.
    void Walk(Vector2 velocity, double dt) {
        mComponent->mVelocity = velocity;
        Tick(*mPlayer, dt);
    }

    /// A guard: a transform and a ghost that may catch the player (ids far above the
    /// factory's, so they never meet).
    Entity* Guard(bool catches) {
        auto* guard = new Entity(1000000 + static_cast<int>(++mGuards), &Entities());
        guard->AddComponent(new Graphics::ComponentTransform(guard));
        auto* ghost = new Ai::ComponentGhost(guard);
        ghost->mCatchesPlayer = catches;
        guard->AddComponent(ghost);
        guard->Spawn(nullptr);
        return guard;
    }

    unsigned mGuards = 0;

    Entity* mPlayer = nullptr;
    ComponentPlayer* mComponent = nullptr;
    Physics::ComponentBody* mBody = nullptr;
    Graphics::ComponentTransform* mTransform = nullptr;
};

TEST_F(ComponentPlayerTest, FootstepsComeOncePerStepPeriodWithStrengthSpeedOver125) {
    const double dt = 0.1;
    Walk({250, 0}, dt); // arms the body; nothing moved yet
    EXPECT_TRUE(Waves().empty());
    Walk({250, 0}, dt); // moves 25 units at speed 250: the first step
    std::vector<Logic::ComponentSoundwave*> waves = Waves();
    ASSERT_EQ(waves.size(), 1u);
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    EXPECT_EQ(waves[0]->mKind, Logic::kSound);
    EXPECT_DOUBLE_EQ(waves[0]->mInitialEnergy, logic.mSoundwaveLifetime * (250.0 / 125.0));
    EXPECT_EQ(waves[0]->mSpread, 360.0);
    const auto* waveTransform = waves[0]->mOwner->GetComponent<Graphics::ComponentTransform>();
    EXPECT_EQ(waveTransform->mPosition, Vector2(89, 64)); // where the player stood after the move
    EXPECT_EQ(waveTransform->mDirection, Vector2());
    EXPECT_DOUBLE_EQ(mComponent->mStepCooldown, 0.32 - dt); // set to 0.32, then one tick ran down
    // Ticks 3 and 4 run the cooldown down to 0.02 and step nothing; the cooldown reaches 0 on
    // tick 5 after its move, so the second step comes with the move of tick 6.
    for (int i = 0; i < 3; ++i) Walk({50, 0}, dt);
    EXPECT_EQ(Waves().size(), 1u);
    Walk({50, 0}, dt);
    waves = Waves();
    ASSERT_EQ(waves.size(), 2u);
    EXPECT_DOUBLE_EQ(waves[1]->mInitialEnergy, logic.mSoundwaveLifetime * (50.0 / 125.0));
    EXPECT_EQ(logic.GetLevelCounters().mSteps, 2);
    EXPECT_EQ(Logic::LogicManager::GetInstance().GetGameCounters().mSteps, 2);
    // White steps make white waves.
    mComponent->mWhiteSteps = true;
    for (int i = 0; i < 4; ++i) Walk({50, 0}, dt);
    ASSERT_EQ(Waves().size(), 3u);
    EXPECT_EQ(Waves()[2]->mKind, Logic::kWhite);
    EXPECT_EQ(logic.GetLevelCounters().mSteps, 3);
}

TEST_F(ComponentPlayerTest, NoFootstepsWithAStepPeriodOfZeroNorWhenStandingStill) {
    Walk({0, 0}, 0.1);
    Walk({0, 0}, 0.1); // standing still: no MessageMoved, no step
    EXPECT_TRUE(Waves().empty());
    Logic::LogicManager::GetInstance().mSoundwaveStepPeriod = 0.0;
    for (int i = 0; i < 20; ++i) Walk({100, 0}, 0.05);
    EXPECT_TRUE(Waves().empty());
    EXPECT_EQ(Logic::LogicManager::GetInstance().GetLevelCounters().mSteps, 0);
    EXPECT_EQ(mComponent->mStepCooldown, 0.0);
}

TEST_F(ComponentPlayerTest, TheExitWinsOnlyWhenThePlayerMovesOnIt) {
    Walk({100, 0}, 0.1);
    Walk({100, 0}, 0.1);
    EXPECT_EQ(mBroadcasts.Count("MessageLevelWon"), 0) << "without a level there is no exit";
    // Floor at cell (1, 1), the exit at (2, 1), walls round them. A new level ends the old one,
    // so the walker is made afterwards.
    UseLevel({"1 1 1 1", "1 0 8 1", "1 1 1 1"});
    mPlayer = Spawn("player", {80, 48}); // standing on the exit already
    mComponent = mPlayer->GetComponent<ComponentPlayer>();
    mTransform = mPlayer->GetComponent<Graphics::ComponentTransform>();
    Walk({0, 0}, 0.1);
    Walk({0, 0}, 0.1);
    EXPECT_EQ(mBroadcasts.Count("MessageLevelWon"), 0);
    mTransform->mPosition = {50, 48}; // floor, walking onto the exit
    Walk({100, 0}, 0.1);
    Walk({100, 0}, 0.1); // to x = 60: still floor
    EXPECT_EQ(mBroadcasts.Count("MessageLevelWon"), 0);
    Walk({100, 0}, 0.1); // to x = 70: the exit
    EXPECT_EQ(mBroadcasts.Count("MessageLevelWon"), 1);
}

TEST_F(ComponentPlayerTest, OnlyACatchingGuardsTouchLosesTheLevel) {
    Entity* harmless = Guard(false);
    Touch(*mPlayer, *harmless);
    Touch(*harmless, *mPlayer);
    EXPECT_EQ(mBroadcasts.Count("MessageLevelLost"), 0);
    Entity* catcher = Guard(true);
    Touch(*catcher, *mPlayer); // the player is the second of the pair here
    EXPECT_EQ(mBroadcasts.Count("MessageLevelLost"), 1);
    Touch(*mPlayer, *catcher);
    EXPECT_EQ(mBroadcasts.Count("MessageLevelLost"), 2);
    // A contact naming an entity that is gone does nothing.
    Physics::MessageBodyCollision ghostly(mPlayer->GetId(), 999999);
    mPlayer->HandleMessage(ghostly);
    EXPECT_EQ(mBroadcasts.Count("MessageLevelLost"), 2);
}

TEST_F(ComponentPlayerTest, BeingSeenCountsInGameAndLevel) {
    Ai::MessageEntitySeen seen(42);
    mPlayer->HandleMessage(seen);
    mPlayer->HandleMessage(seen);
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    EXPECT_EQ(logic.GetLevelCounters().mSeen, 2);
    EXPECT_EQ(Logic::LogicManager::GetInstance().GetGameCounters().mSeen, 2);
    Ai::MessageEntityVisible visible(42); // only sight reports count
    mPlayer->HandleMessage(visible);
    EXPECT_EQ(logic.GetLevelCounters().mSeen, 2);
}

TEST_F(ComponentPlayerTest, MoveTowardsConvertsThroughTheViewAndStopsAtSpeedZero) {
    // An 800 × 600 window showing the world rectangle (0, 0) … (400, 300): two pixels a unit.
    mTransform->mPosition = {100, 100};
    mComponent->MoveTowards({600, 200}, 132, 800, 600, 0, 0, 400, 300); // world (300, 100)
    EXPECT_EQ(mTransform->mDirection, Vector2(1, 0));
    EXPECT_EQ(mComponent->mVelocity, Vector2(132, 0));
    mComponent->MoveTowards({200, 500}, 10, 800, 600, 0, 0, 400, 300); // world (100, 250)
    EXPECT_EQ(mTransform->mDirection, Vector2(0, 1));
    EXPECT_EQ(mComponent->mVelocity, Vector2(0, 10));
    mComponent->MoveTowards({200, 200}, 10, 800, 600, 0, 0, 400, 300); // the player's own spot
    EXPECT_EQ(mComponent->mVelocity, Vector2(0, 10));
    mComponent->MoveTowards({600, 200}, 0, 800, 600, 0, 0, 400, 300);
    EXPECT_EQ(mComponent->mVelocity, Vector2());
    EXPECT_EQ(mTransform->mDirection, Vector2(0, 1)); // speed 0 changes nothing else
    // The velocity reaches the body on the next tick.
    mComponent->MoveTowards({600, 200}, 50, 800, 600, 0, 0, 400, 300);
    Tick(*mPlayer, 0.1);
    EXPECT_EQ(mBody->mVelocityX, 50.0);
    EXPECT_EQ(mBody->mVelocityY, 0.0);
}

TEST_F(ComponentPlayerTest, FaceTowardsLooksFromTheWindowCentre) {
    mComponent->FaceTowards({400, 0}, 800, 600);
    EXPECT_EQ(mTransform->mDirection, Vector2(0, -1));
    mComponent->FaceTowards({700, 700}, 800, 600); // (300, 400) from the centre
    EXPECT_NEAR(mTransform->mDirection.x, 0.6, 1e-12);
    EXPECT_NEAR(mTransform->mDirection.y, 0.8, 1e-12);
    mComponent->FaceTowards({400, 300}, 800, 600); // the centre: no direction to face
    EXPECT_NEAR(mTransform->mDirection.x, 0.6, 1e-12);
}

TEST_F(ComponentPlayerTest, DebugSwitchDrawsVelocityAndShowsSpeedAndPosition) {
    Graphics::DebugDrawManager& draw = Graphics::DebugDrawManager::GetInstance();
    draw.SetWatch("player.speed", "untouched", 1.0);
    mComponent->mVelocity = {30, 40};
    Tick(*mPlayer, 0.01);
    EXPECT_EQ(draw.GetWatches().at("player.speed").mText, "untouched");
    Logic::LogicManager::GetInstance().mDebugPlayer = true;
    const unsigned before = draw.GetLines().mCount;
    Tick(*mPlayer, 0.01);
    EXPECT_GT(draw.GetLines().mCount, before);
    ASSERT_EQ(draw.GetWatches().count("player.speed"), 1u);
    EXPECT_EQ(draw.GetWatches().at("player.speed").mText, "Player speed 50");
    ASSERT_EQ(draw.GetWatches().count("player.position"), 1u);
    EXPECT_EQ(draw.GetWatches().at("player.position").mText.rfind("Player at (", 0), 0u);
}

} // namespace
} // namespace Velmora::Tests
