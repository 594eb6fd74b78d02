#include "game/ParticleManager.h"

#include "core/ComponentFactory.h"
#include "core/FrameMessages.h"
#include "core/Random.h"
#include "game/ComponentParticleEmitter.h"
#include "graphics/Batch.h"
#include "graphics/Renderer.h"
#include "graphics/TextureManager.h"
#include "graphics/Vertex.h"
#include "physics/PhysicsManager.h"
#include "world/Tile.h"

#include <algorithm>

namespace Velmora::Logic {

namespace {

constexpr int kGlassShards = 60;
constexpr int kDoorGroups = 4;       // rows, and as many columns
constexpr int kDoorGroupLength = 15; // particles per row or column
constexpr unsigned kBatchVertices = ParticleManager::kPoolSize * 4;

double Uniform(double low, double high) { return GetRandom().Uniform(low, high); }

} // namespace

ParticleManager& ParticleManager::GetInstance() {
    static ParticleManager* instance = new ParticleManager(); // lives to process exit, like every system
    return *instance;
}

ParticleManager::ParticleManager() = default;
ParticleManager::~ParticleManager() = default;

void ParticleManager::Initialize() {
    mPool = std::make_unique<Particle[]>(kPoolSize);
    mCount = 0;
    ComponentFactory::GetInstance().Register<ComponentParticleEmitter>();
}

void ParticleManager::Deinitialize() {
    mPool.reset();
    mCount = 0;
}

void ParticleManager::HandleMessage(Message& message) {
    if (const auto* update = MessageCast<MessageUpdateLogic>(message)) Update(update->mDt);
}

bool ParticleManager::AddParticle(const Particle& particle) {
    if (!mPool || mCount >= kPoolSize) return false;
    mPool[mCount++] = particle;
    return true;
}

void ParticleManager::EmitSpark(const Vector2& position, uint32_t color, double life) {
    Particle spark;
    spark.mX = position.x;
    spark.mY = position.y;
    spark.mDrag = 1.0;
    spark.mSize = 7.0;
    spark.mLife = life;
    spark.mLifeInitial = life;
    spark.mColor = color;
    spark.mMoving = false;
    spark.mCollides = true;
    spark.mBounces = true;
    spark.mU0 = 0.75;
    spark.mU1 = 1.0;
    spark.mV0 = 0.5;
    spark.mV1 = 0.75;
    AddParticle(spark);
}

void ParticleManager::EmitGlassBurst(const Vector2& position) {
    for (int i = 0; i < kGlassShards && mCount < kPoolSize; ++i) {
        Particle shard;
        shard.mX = position.x;
        shard.mY = position.y;
        shard.mVelX = Uniform(-250.0, 250.0);
        shard.mVelY = Uniform(-250.0, 250.0);
        shard.mDrag = Uniform(0.965, 0.975);
        shard.mSize = Uniform(1.0, 7.0);
        shard.mLife = 15.0;
        shard.mLifeInitial = 15.0;
        shard.mColor = Graphics::PackColor(60, 30, 200, 225);
        shard.mMoving = shard.mCollides = shard.mBounces = true;
        const int k = GetRandom().Below(4); // one of the four shard pictures
        shard.mU0 = k * 0.25;
        shard.mU1 = k * 0.25 + 0.25;
        shard.mV0 = 0.0;
        shard.mV1 = 0.25;
        if (!AddParticle(shard)) return;
    }
}

void ParticleManager::EmitDoorBurst(const Vector2& position) {
    // Two sets of four groups: rows of horizontal streaks, then columns of vertical ones.
    for (int set = 0; set < 2; ++set) {
        const bool rows = set == 0;
        for (int g = 0; g < kDoorGroups; ++g) {
            for (int j = 0; j < kDoorGroupLength; ++j) {
                if (mCount >= kPoolSize) return;
                Particle streak;
                const double along = 0.5 * j;
                const double across = 8.0 * g + 4.0;
                streak.mX = position.x + (rows ? along : across);
                streak.mY = position.y + (rows ? across : along);
                streak.mVelX = rows ? Uniform(-2000.0, 2000.0) : Uniform(-2.0, 2.0);
                streak.mVelY = rows ? Uniform(-2.0, 2.0) : Uniform(-2000.0, 2000.0);
                streak.mDrag = 1.0;
                streak.mSize = Uniform(2.0, 3.0);
                streak.mLife = 1.0;
                streak.mLifeInitial = 1.0;
                streak.mColor = Graphics::PackColor(255, 10, 10, 225);
                streak.mMoving = streak.mCollides = streak.mBounces = true;
                streak.mU0 = rows ? 0.25 : 0.0;
                streak.mU1 = rows ? 0.5 : 0.25;
                streak.mV0 = rows ? 0.5 : 0.75;
                streak.mV1 = rows ? 0.75 : 1.0;
                AddParticle(streak);
            }
        }
    }
}

void ParticleManager::Update(double dt) {
    if (dt <= kMinStep || !mPool) return;
    for (int i = 0; i < mCount; ++i) {
        Particle& particle = mPool[i];
        particle.mLife -= dt;
        if (particle.mLife <= 0.0) {
            // The last live particle takes the slot and moves on in this update without ageing
            // twice; when the dead one was the last, nothing is left to move here.
            particle = mPool[mCount - 1];
            --mCount;
            if (i == mCount) break;
        }
        MoveParticle(particle, dt);
    }
}

void ParticleManager::MoveParticle(Particle& particle, double dt) const {
    if (!particle.mMoving) return; // a still particle has no target: nothing to move or test
    Vector2 target(particle.mX + particle.mVelX * dt, particle.mY + particle.mVelY * dt);
    particle.mVelX *= particle.mDrag;
    particle.mVelY *= particle.mDrag;
    if (particle.mVelX * particle.mVelX + particle.mVelY * particle.mVelY < kFreezeSpeedSquared) {
        particle.mMoving = false;
        particle.mCollides = false;
    }
    if (particle.mCollides) {
        const Physics::PhysicsManager& physics = Physics::PhysicsManager::GetInstance();
        Physics::RayHit hit;
        for (int hits = 0; hits < kMaxHits; ++hits) {
            if (Physics::PhysicsManager::InSameCell(particle.mX, particle.mY, target.x, target.y)) break;
            if (!physics.RayCast(kTileBlocksSound, particle.mX, particle.mY, target.x, target.y, hit)) break;
            if (!particle.mBounces) {
                // It stops where it met the wall rather than inside it.
                particle.mMoving = false;
                target = Vector2(hit.mPointX, hit.mPointY);
                break;
            }
            const Vector2 old(particle.mX, particle.mY);
            particle.mX = hit.mPointX;
            particle.mY = hit.mPointY;
            const double rest = 1.0 - hit.mFraction;
            if (hit.mNormalX != 0.0) {
                target.x = hit.mPointX - (target.x - old.x) * rest;
                particle.mVelX = -particle.mVelX;
            } else {
                target.y = hit.mPointY - (target.y - old.y) * rest;
                particle.mVelY = -particle.mVelY;
            }
        }
    }
    particle.mX = target.x;
    particle.mY = target.y;
}

void ParticleManager::Draw(Graphics::Renderer& renderer) const {
    if (!mPool || mCount == 0) return;
    Graphics::Texture* texture = Graphics::TextureManager::GetInstance().GetTexture("particle.png");
    Graphics::Batch& batch =
        renderer.GetBatch(Graphics::kPrimitiveQuads, texture, kLayer, kBatchVertices, Graphics::kBlendAdditive);
    for (int i = 0; i < mCount; ++i) {
        const Particle& p = mPool[i];
        const double share = p.mLifeInitial > 0.0 ? std::clamp(p.mLife / p.mLifeInitial, 0.0, 1.0) : 0.0;
        const uint32_t color = Graphics::WithAlpha(p.mColor, static_cast<uint8_t>(share * 255.0));
        const double s = p.mSize;
        if (batch.GetRoom() < 4) renderer.Flush();
        batch.AddVertex(p.mX - s, p.mY - s, p.mU0, p.mV0, color);
        batch.AddVertex(p.mX + s, p.mY - s, p.mU1, p.mV0, color);
        batch.AddVertex(p.mX + s, p.mY + s, p.mU1, p.mV1, color);
        batch.AddVertex(p.mX - s, p.mY + s, p.mU0, p.mV1, color);
    }
}

} // namespace Velmora::Logic
