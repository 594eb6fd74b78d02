// The player built from its archetype: footsteps from movement, the exit, guards' touches,
// being seen, and facing the pointer.
#include "unit/logic/GameFixtures.h"

#include "ai/ComponentGhost.h"
#include "ai/PerceptionMessages.h"
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
    const auto* waveTransform = waves[0]->mOwner->GetComponent<Graphics::ComponentTransform>();
    EXPECT_EQ(waveTransform->mPosition, Vector2(89, 64)); // where the player stood after the move
    // Ticks 3 and 4 run the cooldown down to 0.02 and step nothing; the cooldown reaches 0 on
    // tick 5 after its move, so the second step comes with the move of tick 6.
    for (int i = 0; i < 3; ++i) Walk({50, 0}, dt);
    EXPECT_EQ(Waves().size(), 1u);
    Walk({50, 0}, dt);
    waves = Waves();
    ASSERT_EQ(waves.size(), 2u);
    EXPECT_DOUBLE_EQ(waves[1]->mInitialEnergy, logic.mSoundwaveLifetime * (50.0 / 125.0));
    EXPECT_EQ(logic.GetLevelCounters().mSteps, 2);
    EXPECT_EQ(logic.GetGameCounters().mSteps, 2);
    mComponent->mWhiteSteps = true; // white steps make white waves
    for (int i = 0; i < 4; ++i) Walk({50, 0}, dt);
    ASSERT_EQ(Waves().size(), 3u);
    EXPECT_EQ(Waves()[2]->mKind, Logic::kWhite);
}

TEST_F(ComponentPlayerTest, NoFootstepsWithAStepPeriodOfZeroNorWhenStandingStill) {
    Walk({0, 0}, 0.1);
    Walk({0, 0}, 0.1); // standing still: no MessageMoved, no step
    EXPECT_TRUE(Waves().empty());
    Logic::LogicManager::GetInstance().mSoundwaveStepPeriod = 0.0;
    for (int i = 0; i < 20; ++i) Walk({100, 0}, 0.05);
    EXPECT_TRUE(Waves().empty());
    EXPECT_EQ(Logic::LogicManager::GetInstance().GetLevelCounters().mSteps, 0);
}

TEST_F(ComponentPlayerTest, TheExitWinsOnlyWhenThePlayerMovesOnIt) {
    // Floor at cell (1, 1), the exit at (2, 1), walls round them. A new level ends the old one,
    // so the walker is made afterwards.
    UseLevel({"1 1 1 1", "1 0 8 1", "1 1 1 1"});
    mPlayer = Spawn("player", {80, 48}); // standing on the exit already
    mComponent = mPlayer->GetComponent<ComponentPlayer>();
    mTransform = mPlayer->GetComponent<Graphics::ComponentTransform>();
    Walk({0, 0}, 0.1);
    Walk({0, 0}, 0.1);
    EXPECT_EQ(mBroadcasts.Count("MessageLevelWon"), 0);
    mTransform->mPosition = {60, 48}; // floor, walking onto the exit
    Walk({100, 0}, 0.1);
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
    Physics::MessageBodyCollision gone(mPlayer->GetId(), 999999); // a contact naming no entity
    mPlayer->HandleMessage(gone);
    EXPECT_EQ(mBroadcasts.Count("MessageLevelLost"), 2);
}

TEST_F(ComponentPlayerTest, BeingSeenCountsInGameAndLevel) {
    Ai::MessageEntitySeen seen(42);
    mPlayer->HandleMessage(seen);
    mPlayer->HandleMessage(seen);
    Ai::MessageEntityVisible visible(42); // only sight reports count
    mPlayer->HandleMessage(visible);
    EXPECT_EQ(Logic().GetLevelCounters().mSeen, 2);
    EXPECT_EQ(Logic().GetGameCounters().mSeen, 2);
}

TEST_F(ComponentPlayerTest, FaceTowardsLooksFromTheWindowCentre) {
    mComponent->FaceTowards({400, 0}, 800, 600);
    EXPECT_EQ(mTransform->mDirection, Vector2(0, -1));
    mComponent->FaceTowards({700, 700}, 800, 600); // (300, 400) from the centre
    EXPECT_NEAR(mTransform->mDirection.y, 0.8, 1e-12);
    mComponent->FaceTowards({400, 300}, 800, 600); // the centre: no direction to face
    EXPECT_NEAR(mTransform->mDirection.x, 0.6, 1e-12);
}

} // namespace
} // namespace Velmora::Tests
