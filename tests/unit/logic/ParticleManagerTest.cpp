// The particle pool: burst sizes and the pool's limit, ageing and removal, drag and freezing,
// bounces off sound-blocking cells, and the one batch they are drawn with.
#include "unit/logic/GameFixtures.h"

#include "debug/PerformanceManager.h"

namespace Velmora {
namespace {

using Logic::Particle;
using Logic::ParticleManager;

class ParticleManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Game::GetInstance().SetRootPath(Tests::SourceDir());
        mParticles.Initialize();
    }
    void TearDown() override { Tests::ResetWorld(); }

    // A moving, colliding, bouncing particle with drag 1 and a long life.
    static Particle Flying(Vector2 position, Vector2 velocity) {
        Particle particle;
        particle.mX = position.x;
        particle.mY = position.y;
        particle.mVelX = velocity.x;
        particle.mVelY = velocity.y;
        particle.mLife = particle.mLifeInitial = 10.0;
        particle.mMoving = particle.mCollides = particle.mBounces = true;
        return particle;
    }
    static int Collisions() {
        const Debug::PerfCounter* counter = Debug::PerformanceManager::GetInstance().FindCounter("Ray Collisions");
        return counter ? counter->mCount : 0;
    }

    ParticleManager& mParticles = ParticleManager::GetInstance();
};

TEST_F(ParticleManagerTest, BurstsHaveTheirSizesAndNeverOverfillThePool) {
    mParticles.EmitGlassBurst({50.0, 60.0});
    EXPECT_EQ(mParticles.GetCount(), 60);
    mParticles.EmitDoorBurst({64.0, 32.0});
    EXPECT_EQ(mParticles.GetCount(), 180);
    for (int i = 180; i < 6390; ++i) mParticles.EmitSpark({1.0, 2.0}, 0xFFFFFFFFu, 3.0);
    mParticles.EmitGlassBurst({100.0, 100.0});
    EXPECT_EQ(mParticles.GetCount(), ParticleManager::kPoolSize);
    EXPECT_EQ(mParticles.GetParticles()[6399].mLife, 15.0); // the ten added are shards
    mParticles.EmitDoorBurst({0.0, 0.0});
    EXPECT_FALSE(mParticles.AddParticle(Particle()));
    EXPECT_EQ(mParticles.GetCount(), ParticleManager::kPoolSize);
}

TEST_F(ParticleManagerTest, DeadParticlesMakeRoomForTheLastOne) {
    Particle dying = Flying({0.0, 0.0}, {0.0, 0.0});
    dying.mMoving = false;
    dying.mLife = 0.01;
    Particle middle = Flying({5.0, 0.0}, {60.0, 0.0});
    Particle last = Flying({9.0, 0.0}, {0.0, 120.0});
    mParticles.AddParticle(dying);
    mParticles.AddParticle(middle);
    mParticles.AddParticle(last);
    mParticles.Update(0.5);
    ASSERT_EQ(mParticles.GetCount(), 2);
    // The last particle took slot 0 and moved on in the same update, without ageing in it.
    const Particle& moved = mParticles.GetParticles()[0];
    EXPECT_EQ(moved.mX, 9.0);
    EXPECT_DOUBLE_EQ(moved.mY, 60.0);
    EXPECT_DOUBLE_EQ(moved.mLife, 10.0);
    EXPECT_DOUBLE_EQ(mParticles.GetParticles()[1].mX, 35.0);
    EXPECT_DOUBLE_EQ(mParticles.GetParticles()[1].mLife, 9.5);
    // A dying last particle just goes.
    mParticles.Update(9.5);
    ASSERT_EQ(mParticles.GetCount(), 1);
    EXPECT_DOUBLE_EQ(mParticles.GetParticles()[0].mLife, 0.5);
}

TEST_F(ParticleManagerTest, SlowParticlesFreezeAndFadeInPlace) {
    Particle slow = Flying({100.0, 100.0}, {1.0, 0.9}); // speed² 1.81: below 2
    slow.mCollides = false;
    Particle brisk = Flying({100.0, 100.0}, {1.0, 1.0}); // speed² exactly 2: keeps going
    brisk.mCollides = false;
    brisk.mDrag = 1.0;
    mParticles.AddParticle(slow);
    mParticles.AddParticle(brisk);
    mParticles.Update(1.0);
    const Particle& frozen = mParticles.GetParticles()[0];
    mParticles.Update(1.0);
    EXPECT_DOUBLE_EQ(frozen.mX, 101.0); // the step that froze it still happened, no other
    EXPECT_DOUBLE_EQ(frozen.mLife, 8.0);
    EXPECT_DOUBLE_EQ(mParticles.GetParticles()[1].mX, 102.0);

    // Drag works per update, not per second.
    mParticles.Clear();
    Particle dragged = Flying({100.0, 100.0}, {100.0, 0.0});
    dragged.mCollides = false;
    dragged.mDrag = 0.5;
    mParticles.AddParticle(dragged);
    mParticles.Update(0.01);
    mParticles.Update(0.01);
    EXPECT_DOUBLE_EQ(mParticles.GetParticles()[0].mVelX, 25.0);
    EXPECT_DOUBLE_EQ(mParticles.GetParticles()[0].mX, 101.5);
}

TEST_F(ParticleManagerTest, WallsTurnOneComponentPerHitAtMostFiveTimesAnUpdate) {
    // One floor cell, (32 … 64)², inside stone.
    Tests::UseLevel({"1 1 1", "1 0 1", "1 1 1"});
    mParticles.AddParticle(Flying({56.0, 56.0}, {100.0, 90.0})); // crosses x = 64 first, then y = 64
    const int before = Collisions();
    mParticles.Update(0.1);
    EXPECT_EQ(Collisions(), before + 2);
    const Particle& p = mParticles.GetParticles()[0];
    EXPECT_EQ(Vector2(p.mVelX, p.mVelY), Vector2(-100.0, -90.0));
    EXPECT_NEAR(p.mX, 62.0, 1e-9);
    EXPECT_NEAR(p.mY, 63.0, 1e-9);
    // Fast enough to cross the cell thirty times: five flips.
    mParticles.Clear();
    mParticles.AddParticle(Flying({48.0, 48.0}, {10000.0, 0.0}));
    mParticles.Update(0.1);
    EXPECT_EQ(Collisions(), before + 2 + 5);
    EXPECT_DOUBLE_EQ(p.mVelX, -10000.0);
    // One that does not bounce stops at the wall.
    mParticles.Clear();
    Particle dull = Flying({40.0, 48.0}, {100.0, 0.0});
    dull.mBounces = false;
    mParticles.AddParticle(dull);
    mParticles.Update(1.0);
    EXPECT_FALSE(p.mMoving);
    EXPECT_EQ(Vector2(p.mX, p.mY), Vector2(64.0, 48.0));
}

TEST_F(ParticleManagerTest, OneAdditiveBatchWithAlphaFromTheLifeLeft) {
    Particle half = Flying({10.0, 20.0}, {0.0, 0.0});
    half.mLife = 5.0;
    half.mSize = 2.0;
    half.mU1 = 0.5;
    half.mV1 = 0.75;
    mParticles.AddParticle(half);
    mParticles.EmitGlassBurst({0.0, 0.0});
    std::vector<Graphics::Vertex> drawn;
    Graphics::Renderer renderer([&](const Graphics::Batch& batch) {
        EXPECT_EQ(batch.mBlend, Graphics::kBlendAdditive);
        drawn.insert(drawn.end(), batch.GetVertices(), batch.GetVertices() + batch.mCount);
    });
    mParticles.Draw(renderer);
    EXPECT_EQ(renderer.GetBatches().size(), 1u);
    renderer.Flush();
    ASSERT_EQ(drawn.size(), 61u * 4u);
    EXPECT_EQ(Vector2(drawn[0].mX, drawn[0].mY), Vector2(8.0, 18.0));
    EXPECT_EQ(Vector2(drawn[2].mU, drawn[2].mV), Vector2(0.5, 0.75));
    EXPECT_EQ(drawn[0].mAlpha, 127); // trunc(0.5 · 255)
    EXPECT_EQ(drawn[4].mAlpha, 255); // a new shard
}

} // namespace
} // namespace Velmora
