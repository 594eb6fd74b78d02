// Sound waves: the launch fan, energy and bounces, reflection and its limits, shock waves on
// walls and on glass, reaching bodies, tearing bands, the ribbon and the wave's end.
#include "unit/logic/GameFixtures.h"

#include "world/LevelMessages.h"
#include "world/SoundwaveMessages.h"

#include <cmath>
#include <numbers>

namespace Velmora {
namespace {

using Logic::ComponentSoundwave;
using Logic::LogicManager;
using Logic::SoundwaveRay;

// Records the sound-wave collisions its entity receives.
class ComponentEar : public Component, public TComponent<ComponentEar> {
    VELMORA_COMPONENT(ComponentEar)
public:
    explicit ComponentEar(Entity* owner) : Component(owner) {}
    void HandleMessage(Message& message) override {
        if (const auto* heard = MessageCast<Logic::MessageSoundwaveCollision>(message)) mHeard.push_back(*heard);
    }
    std::vector<Logic::MessageSoundwaveCollision> mHeard;
};

class SoundwaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        Game::GetInstance().SetRootPath(Tests::SourceDir());
        Tests::InstallSoundwaveArchetype();
        Logic::ParticleManager::GetInstance().Initialize();
        Tests::ResetWorld();
    }
    void TearDown() override { Tests::ResetWorld(); }

    // A wave through the logic manager; its component.
    static ComponentSoundwave& Fire(Logic::SoundwaveKind kind, Vector2 position, double strength, Vector2 direction,
                                    double spread) {
        Entity* entity = LogicManager::GetInstance().CreateSoundwave(kind, position, strength, direction, spread);
        EXPECT_NE(entity, nullptr);
        return *entity->GetComponent<ComponentSoundwave>();
    }
    static void SetSpeedAndLifetime(double speed, double lifetime) {
        LogicManager::GetInstance().mSoundwaveSpeed = speed;
        LogicManager::GetInstance().mSoundwaveLifetime = lifetime;
    }
    // A listening body of the given radius at a position.
    ComponentEar& AddBody(Vector2 position, double radius) {
        auto* entity = new Entity(1000000 + static_cast<int>(mBodies++));
        auto* transform = new Graphics::ComponentTransform(entity);
        transform->mPosition = position;
        auto* body = new Physics::ComponentBody(entity);
        body->mRadius = radius;
        auto* ear = new ComponentEar(entity);
        entity->AddComponent(transform);
        entity->AddComponent(body);
        entity->AddComponent(ear);
        entity->Spawn(nullptr);
        return *ear;
    }
    static double AngleOf(const SoundwaveRay& ray) {
        return std::atan2(ray.mDirY, ray.mDirX) * 180.0 / std::numbers::pi;
    }
    static int Sparks() { return Logic::ParticleManager::GetInstance().GetCount(); }

    size_t mBodies = 0;
};

TEST_F(SoundwaveTest, CreateSetsTheWaveUpAndLaunchFansTheRaysAllRoundOrNot) {
    Tests::UseLevel({"0 0 0 0 0 0"});
    SetSpeedAndLifetime(150.0, 80.0);
    ComponentSoundwave& wave = Fire(Logic::kWhite, {100.0, 20.0}, 2.0, {0.0, 3.0}, 90.0);
    EXPECT_EQ(wave.mRaySpeed, 150.0);
    ASSERT_EQ(wave.GetRayCountAllocated(), 61u);
    EXPECT_NEAR(AngleOf(wave.GetRay(0)), 45.0, 1e-4);
    EXPECT_NEAR(AngleOf(wave.GetRay(30)), 90.0, 1e-4);
    EXPECT_NEAR(AngleOf(wave.GetRay(60)), 135.0, 1e-4);
    EXPECT_NEAR(wave.mChord, 2.0 * std::sin(0.75 * std::numbers::pi / 180.0), 1e-12);
    for (uint32_t i = 0; i < 61; ++i) EXPECT_EQ(wave.GetRay(i).mEnergy, 160.0);
    // Shock waves always lose 1000 at a wall.
    LogicManager::GetInstance().mSoundwaveColEnergyLoss = 7.0;
    EXPECT_EQ(Fire(Logic::kShock, {0.0, 0.0}, 1.0, {1.0, 0.0}, 10.0).mCollisionEnergyLoss, 1000.0);
    EXPECT_EQ(Fire(Logic::kSound, {0.0, 0.0}, 1.0, {1.0, 0.0}, 10.0).mCollisionEnergyLoss, 7.0);
    // All round, the first and last rays coincide.
    ComponentSoundwave& round = Fire(Logic::kSound, {50.0, 50.0}, 1.0, {0.0, 0.0}, 360.0);
    EXPECT_NEAR(round.GetRay(0).mDirX, round.GetRay(60).mDirX, 1e-12);
    EXPECT_NEAR(round.GetRay(0).mDirY, round.GetRay(60).mDirY, 1e-12);
    EXPECT_NEAR(round.mChord, 2.0 * std::sin(3.0 * std::numbers::pi / 180.0), 1e-12);
}

TEST_F(SoundwaveTest, ARayLivesItsEnergyOverSpeedLessTheLossAtEachWallEvent) {
    // A 3 × 3 room: every ray bounces several times in a second.
    Tests::UseLevel({"1 1 1 1 1", "1 0 0 0 1", "1 0 0 0 1", "1 0 0 0 1", "1 1 1 1 1"});
    SetSpeedAndLifetime(256.0, 128.0);
    ComponentSoundwave& wave = Fire(Logic::kSound, {80.0, 80.0}, 2.0, {0.0, 0.0}, 360.0); // 256 units: 1 s
    const double dt = 1.0 / 64.0;                                                         // 4 units a step
    for (int i = 0; i < 63; ++i) wave.Update(dt);
    for (uint32_t i = 0; i < 61; ++i) EXPECT_EQ(wave.GetRay(i).mEnergy, 4.0);
    wave.Update(dt);
    for (uint32_t i = 0; i < 61; ++i) {
        EXPECT_EQ(wave.GetRay(i).mEnergy, 0.0);
        EXPECT_GE(wave.GetRay(i).mBounces, 2u); // 48 units to the first wall, 96 to the next
        // Still inside the room.
        const Vector2 at = wave.GetRay(i).mTrail[wave.CurrentSlot()];
        EXPECT_GE(at.x, 32.0);
        EXPECT_LE(at.x, 128.0);
        EXPECT_GE(at.y, 32.0);
        EXPECT_LE(at.y, 128.0);
    }
    EXPECT_FALSE(wave.mOwner->IsDestroyed()); // every ray was alive when this step began
    wave.Update(dt);
    EXPECT_TRUE(wave.mOwner->IsDestroyed());

    // A collision loss comes off at every wall event.
    SetSpeedAndLifetime(256.0, 1000.0);
    LogicManager::GetInstance().mSoundwaveColEnergyLoss = 10.0;
    ComponentSoundwave& lossy = Fire(Logic::kSound, {80.0, 80.0}, 1.0, {0.0, 0.0}, 360.0);
    for (int i = 0; i < 40; ++i) lossy.Update(dt);
    for (uint32_t i = 0; i < 61; ++i) {
        EXPECT_DOUBLE_EQ(lossy.GetRay(i).mEnergy, 1000.0 - 40 * 4.0 - 10.0 * lossy.GetRay(i).mBounces);
    }
}

TEST_F(SoundwaveTest, AReflectingRayTurnsBackAndLeavesASpark) {
    Tests::UseLevel({"0 0 0 1"});
    SetSpeedAndLifetime(600.0, 80.0);
    ComponentSoundwave& wave = Fire(Logic::kSound, {40.0, 16.0}, 1.0, {1.0, 0.0}, 1.0);
    wave.Update(0.1); // 60 units: the middle ray meets x = 96 and comes back 4 units
    const SoundwaveRay& ray = wave.GetRay(30);
    EXPECT_EQ(ray.mBounces, 1u);
    EXPECT_DOUBLE_EQ(ray.mDirX, -1.0);
    EXPECT_DOUBLE_EQ(ray.mTrail[wave.CurrentSlot()].x, 92.0);
    ASSERT_GE(Sparks(), 1);
    const Logic::Particle& spark = Logic::ParticleManager::GetInstance().GetParticles()[0];
    EXPECT_DOUBLE_EQ(spark.mX, 96.0);
    EXPECT_EQ(spark.mColor, Graphics::PackColor(4, 10, 24, 225));
}

TEST_F(SoundwaveTest, AStepEndingExactlyOnAWallTurnsTheRayBack) {
    // The middle ray faces exactly +x and moves 4 units a step: its fourth step ends at x = 64,
    // the face of the wall, with nothing left to travel after the reflection.
    Tests::UseLevel({"0 0 1 0 0"});
    SetSpeedAndLifetime(256.0, 80.0);
    ComponentSoundwave& wave = Fire(Logic::kSound, {48.0, 16.0}, 1.0, {1.0, 0.0}, 1.0);
    for (int i = 0; i < 4; ++i) wave.Update(1.0 / 64.0);
    const SoundwaveRay& ray = wave.GetRay(30);
    EXPECT_EQ(ray.mTrail[wave.CurrentSlot()].x, 64.0);
    EXPECT_EQ(ray.mBounces, 1u);
    EXPECT_EQ(ray.mDirX, -1.0);
    for (int i = 0; i < 10; ++i) {
        wave.Update(1.0 / 64.0);
        EXPECT_LE(ray.mTrail[wave.CurrentSlot()].x, 64.0); // never into the wall
    }
    EXPECT_EQ(ray.mTrail[wave.CurrentSlot()].x, 24.0);
}

TEST_F(SoundwaveTest, AtMostFiveWallEventsPerRayInOneUpdate) {
    // A corridor one cell wide; each step would cross it about thirty times.
    Tests::UseLevel({"1 0 1", "1 0 1", "1 0 1", "1 0 1"});
    SetSpeedAndLifetime(64000.0, 80.0);
    ComponentSoundwave& wave = Fire(Logic::kSound, {48.0, 64.0}, 100.0, {1.0, 0.0}, 1.0);
    wave.Update(1.0 / 64.0);
    for (uint32_t i = 0; i < 61; ++i) {
        EXPECT_EQ(wave.GetRay(i).mBounces, 5u);
        EXPECT_EQ(wave.GetRay(i).mEnergy, 8000.0 - 1000.0);
    }
    EXPECT_EQ(Sparks(), 61 * 5);
}

TEST_F(SoundwaveTest, AShockWaveIsSpentOnAWall) {
    Tests::UseLevel({"0 0 0 1", "0 0 0 1", "0 0 0 1"});
    SetSpeedAndLifetime(200.0, 80.0);
    ComponentSoundwave& wave = Fire(Logic::kShock, {40.0, 48.0}, 1.0, {1.0, 0.0}, 10.0);
    for (int i = 0; i < 20 && !wave.mOwner->IsDestroyed(); ++i) wave.Update(1.0 / 60.0);
    EXPECT_TRUE(wave.mOwner->IsDestroyed());
    for (uint32_t i = 0; i < 61; ++i) {
        const SoundwaveRay& ray = wave.GetRay(i);
        EXPECT_LE(ray.mEnergy, 0.0);
        EXPECT_EQ(ray.mBounces, 5u); // the same wall met again until the step's events run out
        // Absorbed where it met the wall: not turned back, not through.
        EXPECT_GT(ray.mDirX, 0.0) << i;
        EXPECT_GT(ray.mTrail[wave.CurrentSlot()].x, 80.0) << i;
        EXPECT_LT(ray.mTrail[wave.CurrentSlot()].x, 100.0) << i;
    }
    ASSERT_EQ(Sparks(), 61 * 5);
    EXPECT_EQ(Logic::ParticleManager::GetInstance().GetParticles()[0].mColor, Graphics::PackColor(255, 20, 10, 225));
}

// The whole pane breaking and the collision map following are the level's tests (LevelTest).
TEST_F(SoundwaveTest, AShockWaveBreaksThePaneOnceAndEachBrokenCellSounds) {
    Logic::Level& level = Tests::UseLevel({"1 1 1 1 1 1", "1 0 0 2 0 1", "1 0 0 2 0 1", "1 1 1 1 1 1"});
    ComponentSoundwave& shock = Fire(Logic::kShock, {40.0, 64.0}, 1.0, {1.0, 0.0}, 10.0);
    for (int i = 0; i < 20 && level.GetLiveCell(3, 1) == 2; ++i) shock.Update(1.0 / 60.0);
    EXPECT_EQ(level.GetLiveCell(3, 1), Logic::kTileShatteredGlass);
    // One all-round blue wave of strength 3 at each broken cell's centre.
    std::vector<Vector2> centres;
    for (const ComponentSoundwave* wave : TComponent<ComponentSoundwave>::GetInstances()) {
        if (wave == &shock) continue;
        EXPECT_EQ(wave->mSpread, 360.0);
        EXPECT_EQ(wave->mInitialEnergy, 240.0);
        centres.push_back(wave->GetRay(0).mTrail[0]);
    }
    ASSERT_EQ(centres.size(), 2u);
    EXPECT_TRUE((centres[0] == Vector2(112, 48) && centres[1] == Vector2(112, 80)) ||
                (centres[1] == Vector2(112, 48) && centres[0] == Vector2(112, 80)));
    // The rays that broke it are spent; the rest now pass where the glass was.
    for (int i = 0; i < 60; ++i) shock.Update(1.0 / 60.0);
    EXPECT_EQ(LogicManager::GetInstance().GetLevelCounters().mShatter, 1);
}

TEST_F(SoundwaveTest, BodiesAreReachedOnlyOnceTheFrontHasTravelledFiveUnits) {
    Tests::UseLevel({"0 0 0 0 0 0 0 0", "0 0 0 0 0 0 0 0", "0 0 0 0 0 0 0 0"});
    SetSpeedAndLifetime(60.0, 80.0);
    ComponentEar& near = AddBody({40.0, 48.0}, 10.0); // at the source
    ComponentEar& far = AddBody({220.0, 48.0}, 10.0);
    ComponentSoundwave& wave = Fire(Logic::kWhite, {40.0, 48.0}, 1.0, {0.0, 0.0}, 360.0);
    for (int i = 0; i < 5; ++i) wave.Update(1.0 / 60.0); // 5 units: not yet
    EXPECT_TRUE(near.mHeard.empty());
    wave.Update(1.0 / 60.0);
    ASSERT_EQ(near.mHeard.size(), 1u); // one message per update, however many rays reach it
    const Logic::MessageSoundwaveCollision& heard = near.mHeard[0];
    EXPECT_EQ(heard.mKind, Logic::kWhite);
    // The first ray in order, with the energy it had before this step's move.
    EXPECT_NEAR(std::hypot(heard.mForceX, heard.mForceY), 80.0 - 5.0, 1e-9);
    EXPECT_NEAR(heard.mForceX, wave.GetRay(0).mDirX * 75.0, 1e-9);
    wave.Update(1.0 / 60.0);
    EXPECT_EQ(near.mHeard.size(), 2u);
    EXPECT_TRUE(far.mHeard.empty());
}

TEST_F(SoundwaveTest, BandsTearOnlyBeyondTheSplitDistance) {
    Tests::UseLevel({"0 0 0 0 0 0 0 0", "0 0 0 0 0 0 0 0", "0 0 0 0 0 0 0 0", "0 0 0 0 0 0 0 0"});
    SetSpeedAndLifetime(60.0, 80.0);
    ComponentSoundwave& wave = Fire(Logic::kSound, {20.0, 40.0}, 1.0, {1.0, 0.0}, 10.0);
    // Ray 10 goes its own way at once.
    wave.mRays[10].mDirX = 0.0;
    wave.mRays[10].mDirY = 1.0;
    for (int i = 0; i < 20; ++i) wave.Update(1.0 / 60.0);
    for (uint32_t i = 0; i < 61; ++i) EXPECT_TRUE(wave.GetRay(i).mLinked) << i; // not beyond 20 yet
    wave.Update(1.0 / 60.0);
    for (uint32_t i = 0; i < 61; ++i) EXPECT_EQ(wave.GetRay(i).mLinked, i != 9 && i != 10) << i;
    // A torn band never heals, even when its rays meet again.
    wave.mRays[10].mTrail = wave.mRays[11].mTrail;
    wave.mRays[10].mDirX = wave.mRays[11].mDirX;
    wave.mRays[10].mDirY = wave.mRays[11].mDirY;
    wave.Update(1.0 / 60.0);
    EXPECT_FALSE(wave.GetRay(9).mLinked);
    EXPECT_FALSE(wave.GetRay(10).mLinked);
}

TEST_F(SoundwaveTest, TheLevelsEndDestroysTheWave) {
    ComponentSoundwave& wave = Fire(Logic::kSound, {0.0, 0.0}, 1.0, {0.0, 0.0}, 360.0);
    MessageUpdateLogic tick(1.0 / 60.0);
    wave.mOwner->HandleMessage(tick);
    EXPECT_EQ(wave.mStep, 17u);
    Logic::MessageEndLevel end;
    EntityManager::GetInstance().SendToAll(end);
    EXPECT_TRUE(wave.mOwner->IsDestroyed());
}

// Where the ribbon's quads lie and how they look is checked with GL (tests/gl, SoundwaveRendering).
TEST_F(SoundwaveTest, TheRibbonLeavesOutTornBandsAndSpentRays) {
    SetSpeedAndLifetime(60.0, 80.0);
    ComponentSoundwave& wave = Fire(Logic::kSound, {0.0, 0.0}, 5.0, {1.0, 0.0}, 60.0);
    for (int i = 0; i < 20; ++i) wave.Update(1.0 / 60.0);
    Graphics::Renderer renderer([](const Graphics::Batch&) {});
    Graphics::Batch& batch = renderer.GetBatch(Graphics::kPrimitiveQuads, nullptr, 500, 4096, Graphics::kBlendAdditive);
    EXPECT_EQ(wave.AppendRibbon(renderer, batch), 60);
    wave.mRays[5].mLinked = false;
    wave.mRays[20].mEnergy = 0.0;
    EXPECT_EQ(wave.AppendRibbon(renderer, batch), 57) << "a torn band and the two bands of a spent ray";
}

TEST_F(SoundwaveTest, TheWorldRenderDrawsOnlyLiveWaves) {
    ComponentSoundwave& live = Fire(Logic::kSound, {0.0, 0.0}, 1.0, {1.0, 0.0}, 60.0);
    ComponentSoundwave& gone = Fire(Logic::kShock, {0.0, 0.0}, 1.0, {1.0, 0.0}, 60.0);
    gone.mOwner->Destroy();
    live.Update(1.0 / 60.0);
    size_t vertices = 0;
    Graphics::Renderer renderer([&](const Graphics::Batch& batch) { vertices += batch.mCount; });
    LogicManager::GetInstance().RenderSoundwaves(renderer);
    renderer.Flush();
    EXPECT_EQ(vertices, 60u * 8u); // the live wave's ribbon; none of the destroyed one
}

TEST_F(SoundwaveTest, TheNumberOfLiveWavesIsBounded) {
    LogicManager& logic = LogicManager::GetInstance();
    for (size_t i = TComponent<ComponentSoundwave>::GetInstances().size(); i < LogicManager::kMaxSoundwaves; ++i) {
        ASSERT_NE(logic.CreateSoundwave(Logic::kSound, {0.0, 0.0}, 1.0, {0.0, 0.0}, 360.0), nullptr);
    }
    EXPECT_EQ(logic.CreateSoundwave(Logic::kSound, {0.0, 0.0}, 1.0, {0.0, 0.0}, 360.0), nullptr);
    Tests::ClearEntities();
    EXPECT_NE(logic.CreateSoundwave(Logic::kSound, {0.0, 0.0}, 1.0, {0.0, 0.0}, 360.0), nullptr);
}

} // namespace
} // namespace Velmora
