// The particle pool: burst layouts and the pool's limit, ageing and removal, drag and freezing,
// bounces off sound-blocking cells, pauses, and the one batch they are drawn with.
#include "unit/logic/GameFixtures.h"

#include "debug/PerformanceManager.h"

#include <cmath>

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

TEST_F(ParticleManagerTest, BurstsNeverOverfillThePool) {
    for (int i = 0; i < 6390; ++i) mParticles.EmitSpark({1.0, 2.0}, 0xFFFFFFFFu, 3.0);
    ASSERT_EQ(mParticles.GetCount(), 6390);
    mParticles.EmitGlassBurst({100.0, 100.0});
    EXPECT_EQ(mParticles.GetCount(), ParticleManager::kPoolSize);
    EXPECT_EQ(mParticles.GetParticles()[6399].mLife, 15.0); // the ten added are shards
    mParticles.EmitGlassBurst({100.0, 100.0});
    mParticles.EmitDoorBurst({0.0, 0.0});
    mParticles.EmitSpark({0.0, 0.0}, 0u, 1.0);
    EXPECT_FALSE(mParticles.AddParticle(Particle()));
    EXPECT_EQ(mParticles.GetCount(), ParticleManager::kPoolSize);
    mParticles.Clear();
    EXPECT_EQ(mParticles.GetCount(), 0);
}

TEST_F(ParticleManagerTest, SparkAndGlassBurstLayouts) {
    mParticles.EmitSpark({10.0, 20.0}, 0xE1180A04u, 3.0);
    ASSERT_EQ(mParticles.GetCount(), 1);
    const Particle spark = mParticles.GetParticles()[0];
    EXPECT_EQ(spark.mX, 10.0);
    EXPECT_EQ(spark.mVelX, 0.0);
    EXPECT_EQ(spark.mSize, 7.0);
    EXPECT_EQ(spark.mLifeInitial, 3.0);
    EXPECT_EQ(spark.mColor, 0xE1180A04u);
    EXPECT_FALSE(spark.mMoving);
    EXPECT_TRUE(spark.mCollides);
    EXPECT_TRUE(spark.mBounces);
    EXPECT_EQ(spark.mU0, 0.75);
    EXPECT_EQ(spark.mU1, 1.0);
    EXPECT_EQ(spark.mV0, 0.5);
    EXPECT_EQ(spark.mV1, 0.75);

    mParticles.Clear();
    mParticles.EmitGlassBurst({50.0, 60.0});
    ASSERT_EQ(mParticles.GetCount(), 60);
    bool pictures[4] = {};
    for (const Particle& shard : mParticles.GetParticles()) {
        EXPECT_EQ(shard.mX, 50.0);
        EXPECT_EQ(shard.mY, 60.0);
        EXPECT_LE(std::abs(shard.mVelX), 250.0);
        EXPECT_LE(std::abs(shard.mVelY), 250.0);
        EXPECT_GE(shard.mDrag, 0.965);
        EXPECT_LE(shard.mDrag, 0.975);
        EXPECT_GE(shard.mSize, 1.0);
        EXPECT_LE(shard.mSize, 7.0);
        EXPECT_EQ(shard.mLife, 15.0);
        EXPECT_EQ(shard.mColor, Graphics::PackColor(60, 30, 200, 225));
        EXPECT_TRUE(shard.mMoving && shard.mCollides && shard.mBounces);
        const int k = static_cast<int>(shard.mU0 / 0.25);
        ASSERT_GE(k, 0);
        ASSERT_LT(k, 4);
        EXPECT_EQ(shard.mU0, k * 0.25);
        EXPECT_EQ(shard.mU1, k * 0.25 + 0.25);
        EXPECT_EQ(shard.mV0, 0.0);
        EXPECT_EQ(shard.mV1, 0.25);
        pictures[k] = true;
    }
    EXPECT_TRUE(pictures[0] && pictures[1] && pictures[2] && pictures[3]);
}

TEST_F(ParticleManagerTest, DoorBurstRowsThenColumns) {
    mParticles.EmitDoorBurst({64.0, 32.0});
    ASSERT_EQ(mParticles.GetCount(), 120);
    for (int n = 0; n < 120; ++n) {
        const Particle& p = mParticles.GetParticles()[n];
        const int g = (n % 60) / 15, j = n % 15;
        EXPECT_EQ(p.mLife, 1.0);
        EXPECT_EQ(p.mDrag, 1.0);
        EXPECT_GE(p.mSize, 2.0);
        EXPECT_LE(p.mSize, 3.0);
        EXPECT_EQ(p.mColor, Graphics::PackColor(255, 10, 10, 225));
        if (n < 60) { // rows of horizontal streaks
            EXPECT_EQ(p.mX, 64.0 + 0.5 * j);
            EXPECT_EQ(p.mY, 32.0 + 8.0 * g + 4.0);
            EXPECT_LE(std::abs(p.mVelX), 2000.0);
            EXPECT_LE(std::abs(p.mVelY), 2.0);
            EXPECT_EQ(p.mU0, 0.25);
            EXPECT_EQ(p.mV1, 0.75);
        } else { // columns of vertical streaks
            EXPECT_EQ(p.mX, 64.0 + 8.0 * g + 4.0);
            EXPECT_EQ(p.mY, 32.0 + 0.5 * j);
            EXPECT_LE(std::abs(p.mVelX), 2.0);
            EXPECT_LE(std::abs(p.mVelY), 2000.0);
            EXPECT_EQ(p.mU0, 0.0);
            EXPECT_EQ(p.mV1, 1.0);
        }
    }
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
    EXPECT_FALSE(frozen.mMoving);
    EXPECT_FALSE(frozen.mCollides);
    EXPECT_DOUBLE_EQ(frozen.mX, 101.0); // the step that froze it still happens
    EXPECT_TRUE(mParticles.GetParticles()[1].mMoving);
    mParticles.Update(1.0);
    EXPECT_DOUBLE_EQ(frozen.mX, 101.0);
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

TEST_F(ParticleManagerTest, PausedUpdatesChangeNothing) {
    mParticles.AddParticle(Flying({100.0, 100.0}, {50.0, 50.0}));
    mParticles.Update(0.0);
    mParticles.Update(0.0001);
    MessageUpdateLogic paused(0.0);
    mParticles.HandleMessage(paused);
    const Particle& p = mParticles.GetParticles()[0];
    EXPECT_EQ(p.mX, 100.0);
    EXPECT_EQ(p.mLife, 10.0);
    MessageUpdateLogic tick(0.1);
    mParticles.HandleMessage(tick);
    EXPECT_DOUBLE_EQ(p.mX, 105.0);
    EXPECT_DOUBLE_EQ(p.mLife, 9.9);
}

TEST_F(ParticleManagerTest, ACornerReflectsOneComponentPerHit) {
    // One floor cell, (32 … 64)², inside stone. The move crosses x = 64 first, then y = 64.
    Tests::UseLevel({"1 1 1", "1 0 1", "1 1 1"});
    mParticles.AddParticle(Flying({56.0, 56.0}, {100.0, 90.0}));
    const int before = Collisions();
    mParticles.Update(0.1);
    EXPECT_EQ(Collisions(), before + 2);
    const Particle& p = mParticles.GetParticles()[0];
    EXPECT_DOUBLE_EQ(p.mVelX, -100.0);
    EXPECT_DOUBLE_EQ(p.mVelY, -90.0);
    EXPECT_NEAR(p.mX, 62.0, 1e-9);
    EXPECT_NEAR(p.mY, 63.0, 1e-9);
    EXPECT_TRUE(p.mMoving);
}

TEST_F(ParticleManagerTest, AtMostFiveBouncesInOneUpdate) {
    // A corridor one cell wide between stone walls; the particle would cross it thirty times.
    Tests::UseLevel({"1 0 1", "1 0 1", "1 0 1"});
    mParticles.AddParticle(Flying({48.0, 48.0}, {10000.0, 0.0}));
    const int before = Collisions();
    mParticles.Update(0.1);
    EXPECT_EQ(Collisions(), before + 5);
    EXPECT_DOUBLE_EQ(mParticles.GetParticles()[0].mVelX, -10000.0); // five flips
}

TEST_F(ParticleManagerTest, AParticleThatDoesNotBounceStopsAtTheWall) {
    Tests::UseLevel({"0 0 1"});
    Particle dull = Flying({16.0, 16.0}, {100.0, 0.0});
    dull.mBounces = false;
    mParticles.AddParticle(dull);
    mParticles.Update(1.0);
    const Particle& p = mParticles.GetParticles()[0];
    EXPECT_FALSE(p.mMoving);
    EXPECT_DOUBLE_EQ(p.mX, 64.0);
    EXPECT_DOUBLE_EQ(p.mY, 16.0);
    mParticles.Update(1.0);
    EXPECT_DOUBLE_EQ(p.mX, 64.0);
}

TEST_F(ParticleManagerTest, OneAdditiveBatchWithAlphaFromTheLifeLeft) {
    Particle half = Flying({10.0, 20.0}, {0.0, 0.0});
    half.mLife = 5.0;
    half.mSize = 2.0;
    half.mColor = Graphics::PackColor(1, 2, 3, 225);
    half.mU0 = 0.25;
    half.mU1 = 0.5;
    half.mV0 = 0.5;
    half.mV1 = 0.75;
    mParticles.AddParticle(half);
    mParticles.EmitGlassBurst({0.0, 0.0});
    std::vector<Graphics::Vertex> drawn;
    Graphics::Renderer renderer([&](const Graphics::Batch& batch) {
        EXPECT_EQ(batch.mLayer, ParticleManager::kLayer);
        EXPECT_EQ(batch.mBlend, Graphics::kBlendAdditive);
        EXPECT_EQ(batch.mPrimitive, Graphics::kPrimitiveQuads);
        drawn.insert(drawn.end(), batch.GetVertices(), batch.GetVertices() + batch.mCount);
    });
    mParticles.Draw(renderer);
    EXPECT_EQ(renderer.GetBatches().size(), 1u);
    renderer.Flush();
    ASSERT_EQ(drawn.size(), 61u * 4u);
    const Graphics::Vertex* q = drawn.data();
    EXPECT_EQ(q[0].mX, 8.0);
    EXPECT_EQ(q[0].mY, 18.0);
    EXPECT_EQ(q[0].mU, 0.25);
    EXPECT_EQ(q[0].mV, 0.5);
    EXPECT_EQ(q[1].mX, 12.0);
    EXPECT_EQ(q[1].mU, 0.5);
    EXPECT_EQ(q[2].mY, 22.0);
    EXPECT_EQ(q[2].mV, 0.75);
    EXPECT_EQ(q[3].mX, 8.0);
    EXPECT_EQ(q[3].mU, 0.25);
    EXPECT_EQ(q[0].mRed, 1);
    EXPECT_EQ(q[0].mAlpha, 127); // trunc(0.5 · 255)
    EXPECT_EQ(q[4].mAlpha, 255); // a new shard
}

TEST_F(ParticleManagerTest, InitializeRegistersTheEmitterComponent) {
    EXPECT_NE(ComponentFactory::GetInstance().FindCreator("ComponentParticleEmitter"), nullptr);
    mParticles.Deinitialize();
    mParticles.EmitGlassBurst({0.0, 0.0}); // no pool: nothing, no crash
    mParticles.Update(0.1);
    EXPECT_EQ(mParticles.GetCount(), 0);
    EXPECT_TRUE(mParticles.GetParticles().empty());
}

} // namespace
} // namespace Velmora
