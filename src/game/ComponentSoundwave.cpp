#include "game/ComponentSoundwave.h"

#include "core/Entity.h"
#include "core/FrameMessages.h"
#include "graphics/DebugDrawManager.h"
#include "debug/PerformanceManager.h"
#include "graphics/Batch.h"
#include "graphics/ComponentTransform.h"
#include "graphics/Renderer.h"
#include "graphics/Vertex.h"
#include "world/Level.h"
#include "world/LevelMessages.h"
#include "game/LogicManager.h"
#include "game/ParticleManager.h"
#include "world/SoundwaveMessages.h"
#include "world/Tile.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace Velmora::Logic {

namespace {

constexpr unsigned kTrail = SoundwaveRay::kTrailLength;
constexpr double kDegreesPerTurn = 360.0;
constexpr double kTurn = 6.283185;  // the launch converts radians to degrees with this
constexpr double kShockLoss = 1000.0;

// The rectangle holding a set of points, grown to hold circles around them.
struct Bounds {
    double mLeft = std::numeric_limits<double>::infinity();
    double mBottom = std::numeric_limits<double>::infinity();
    double mRight = -std::numeric_limits<double>::infinity();
    double mTop = -std::numeric_limits<double>::infinity();

    void Add(const Vector2& point) {
        mLeft = std::min(mLeft, point.x);
        mRight = std::max(mRight, point.x);
        mBottom = std::min(mBottom, point.y);
        mTop = std::max(mTop, point.y);
    }
    bool Touches(const Vector2& centre, double radius) const {
        return centre.x + radius >= mLeft && centre.x - radius <= mRight && centre.y + radius >= mBottom &&
               centre.y - radius <= mTop;
    }
};

} // namespace

ComponentSoundwave::ComponentSoundwave(Entity* owner)
    : Component(owner),
      mSpread(LogicManager::GetInstance().mSoundwaveSpread),
      mSplitFactor(LogicManager::GetInstance().mSoundwaveSplitFactor),
      mCollisionEnergyLoss(LogicManager::GetInstance().mSoundwaveColEnergyLoss) {}

ComponentSoundwave::~ComponentSoundwave() = default;

void ComponentSoundwave::HandleMessage(Message& message) {
    if (const auto* update = MessageCast<MessageUpdateLogic>(message)) {
        Update(update->mDt);
    } else if (message.Is<MessageEndLevel>()) {
        mOwner->Destroy();
    }
}

void ComponentSoundwave::Initialize() {
    mTransform = mOwner->GetComponent<Graphics::ComponentTransform>();
    mAllocatedRays = mRayCount;
    mRays = std::make_unique<SoundwaveRay[]>(mAllocatedRays);
}

void ComponentSoundwave::Deinitialize() {
    mRays.reset();
    mAllocatedRays = 0;
}

void ComponentSoundwave::Launch() {
    if (!mTransform || !mRays) return;
    const Vector2 origin = mTransform->mPosition;
    const Vector2 facing = mTransform->mDirection;
    mDirection = std::atan2(facing.y, facing.x) / kTurn * kDegreesPerTurn;
    mCollisionEnergyLoss = mKind == kShock ? kShockLoss : LogicManager::GetInstance().mSoundwaveColEnergyLoss.Get();
    mDistance = 0.0;
    mStep = kTrail;
    const uint32_t count = mAllocatedRays;
    constexpr double kRadians = std::numbers::pi / 180.0;
    for (uint32_t i = 0; i < count; ++i) {
        // A single ray has no fan to spread over: it takes the facing.
        const double fraction = count > 1 ? static_cast<double>(i) / (count - 1) : 0.5;
        const double theta = ((fraction - 0.5) * mSpread + mDirection) * kRadians;
        SoundwaveRay& ray = mRays[i];
        ray.mDirX = std::cos(theta);
        ray.mDirY = std::sin(theta);
        ray.mLinked = true;
        ray.mTrail.fill(origin);
        ray.mEnergy = mInitialEnergy;
        ray.mBounces = 0;
    }
    const double angle = count > 1 ? mSpread * kRadians / (count - 1) : 0.0;
    mChord = std::sqrt((std::cos(angle) - 1.0) * (std::cos(angle) - 1.0) + std::sin(angle) * std::sin(angle));
}

void ComponentSoundwave::Update(double dt) {
    if (!mRays) return;
    ++mStep;
    const unsigned cur = mStep % kTrail;
    const unsigned prev = (mStep - 1) % kTrail;
    mDistance += dt * mRaySpeed;
    mSplitFactor = LogicManager::GetInstance().mSoundwaveSplitFactor;
    const double splitDistance = mChord * mDistance * mSplitFactor;
    if (mDistance > kHitStartDistance) ReportHits(prev);
    const bool alive = MoveRays(dt, cur, prev);
    if (mDistance > kSplitStartDistance) SplitRays(cur, splitDistance);
    if (!alive) mOwner->Destroy();
}

void ComponentSoundwave::ReportHits(unsigned prev) const {
    const auto& bodies = TComponent<Physics::ComponentBody>::GetInstances();
    if (bodies.empty()) return;
    // Most bodies are nowhere near a wave: one box round the live rays rules them out before
    // any ray is looked at. The answer is the same as testing every ray.
    Bounds bounds;
    for (uint32_t i = 0; i < mAllocatedRays; ++i) {
        if (mRays[i].IsAlive()) bounds.Add(mRays[i].mTrail[prev]);
    }
    const bool debug = LogicManager::GetInstance().mDebugSoundwave;
    for (Physics::ComponentBody* body : bodies) {
        if (!body->mTransform) continue;
        const Vector2 centre = body->mTransform->mPosition;
        const double radius = body->mRadius;
        if (!bounds.Touches(centre, radius)) continue;
        for (uint32_t i = 0; i < mAllocatedRays; ++i) {
            const SoundwaveRay& ray = mRays[i];
            const Vector2 position = ray.mTrail[prev];
            if (!ray.IsAlive() || DistanceSquared(centre, position) > radius * radius) continue;
            const Vector2 push = Vector2(ray.mDirX, ray.mDirY).Normalized() * ray.mEnergy;
            MessageSoundwaveCollision collision(push.x, push.y, mKind);
            body->mOwner->HandleMessage(collision);
            if (debug) {
                const double share = mInitialEnergy > 0.0 ? ray.mEnergy / mInitialEnergy : 0.0;
                const Vector2 tail = position - Vector2(ray.mDirX, ray.mDirY) * (50.0 * share);
                Graphics::DebugDrawManager& draw = Graphics::DebugDrawManager::GetInstance();
                draw.DrawCircle(position.x, position.y, 3.0, kDebugColor);
                draw.DrawLine(position.x, position.y, tail.x, tail.y, kDebugColor);
            }
            break;
        }
    }
}

bool ComponentSoundwave::MoveRays(double dt, unsigned cur, unsigned prev) {
    bool alive = false;
    for (uint32_t i = 0; i < mAllocatedRays; ++i) {
        SoundwaveRay& ray = mRays[i];
        if (ray.IsAlive()) {
            alive = true;
            MoveRay(ray, dt, cur, prev);
        } else {
            // A spent ray stays where it ended, so its neighbours' split test sees that place
            // rather than a position from sixteen updates ago.
            ray.mTrail[cur] = ray.mTrail[prev];
        }
    }
    return alive;
}

void ComponentSoundwave::MoveRay(SoundwaveRay& ray, double dt, unsigned cur, unsigned prev) const {
    Vector2 start = ray.mTrail[prev];
    Vector2 heading(ray.mDirX, ray.mDirY);
    Vector2 end = start + heading * (mRaySpeed * dt);
    ray.mTrail[cur] = end;
    ray.mEnergy -= dt * mRaySpeed;
    unsigned events = 0;
    while (events < kMaxWallEvents && StepRay(start, end, mKind, heading)) {
        ++events;
        ray.mBounces += 1;
        ray.mEnergy -= mCollisionEnergyLoss;
    }
    if (events == 0) return;
    ray.mTrail[cur] = end;
    // A step that ends exactly on the wall leaves nothing to travel after the reflection; the
    // mirrored heading is the way on (the old one would lead into the wall).
    const Vector2 travelled = end - start;
    const Vector2 direction = travelled.LengthSquared() > 0.0 ? travelled.Normalized() : heading;
    ray.mDirX = direction.x;
    ray.mDirY = direction.y;
}

bool ComponentSoundwave::StepRay(Vector2& start, Vector2& end, SoundwaveKind kind, Vector2& heading) const {
    if (Physics::PhysicsManager::InSameCell(start.x, start.y, end.x, end.y)) return false;  // most steps
    Physics::RayHit hit;
    if (!Physics::PhysicsManager::GetInstance().RayCast(kTileBlocksSound, start.x, start.y, end.x, end.y, hit)) {
        return false;
    }
    const Vector2 point(hit.mPointX, hit.mPointY);
    uint32_t sparkColor = 0;
    double sparkLife = 0.0;
    SparkFor(kind, sparkColor, sparkLife);
    if (kind == kShock) {
        Level* level = LogicManager::GetInstance().GetLevel();
        if (level && (hit.mCellFlags & kTileShatters) != 0) {
            level->ShatterTile(hit.mCellX, hit.mCellY);
        } else {
            ParticleManager::GetInstance().EmitSpark(point, sparkColor, sparkLife);
        }
        return true;
    }
    const Vector2 normal = Vector2(hit.mNormalX, hit.mNormalY).Normalized();
    const Vector2 travel = end - start;
    const Vector2 mirrored = travel - normal * (2.0 * Dot(travel, normal));
    start = point;
    end = point + mirrored * (1.0 - hit.mFraction);
    heading = heading - normal * (2.0 * Dot(heading, normal));
    ParticleManager::GetInstance().EmitSpark(point, sparkColor, sparkLife);
    return true;
}

void ComponentSoundwave::SplitRays(unsigned cur, double splitDistance) {
    const double limit = splitDistance * splitDistance;
    for (uint32_t i = 0; i + 1 < mAllocatedRays; ++i) {
        if (DistanceSquared(mRays[i + 1].mTrail[cur], mRays[i].mTrail[cur]) > limit) mRays[i].mLinked = false;
    }
}

bool ComponentSoundwave::IsAlive() const {
    for (uint32_t i = 0; i < GetRayCountAllocated(); ++i) {
        if (mRays[i].IsAlive()) return true;
    }
    return false;
}

void ComponentSoundwave::SparkFor(SoundwaveKind kind, uint32_t& color, double& life) {
    switch (kind) {
    case kShock:
        color = Graphics::PackColor(255, 20, 10, 225);
        life = 3.0;
        break;
    case kWhite:
        color = Graphics::PackColor(24, 24, 24, 225);
        life = 7.5;
        break;
    default:
        color = Graphics::PackColor(4, 10, 24, 225);
        life = 3.0;
        break;
    }
}

uint32_t ComponentSoundwave::RibbonColor(SoundwaveKind kind, double energy) {
    if (kind == kShock) return Graphics::PackColor(255, 22, 10, 255);
    const bool white = kind == kWhite;
    const uint32_t color = white ? Graphics::PackColor(255, 255, 255) : Graphics::PackColor(51, 170, 255);
    const double alpha = white ? 180.0 : 255.0;
    // Half strength while the ray is fresh, then a quarter sine down to nothing over its last
    // 100 units: the two meet at 100, so the band never jumps in brightness.
    double faded = alpha * 0.5;
    if (energy < kFadeEnergy) faded = alpha * std::sin(std::max(energy / kFadeEnergy, 0.0) * std::numbers::pi * 0.5) * 0.5;
    return Graphics::WithAlpha(color, static_cast<uint8_t>(faded));
}

int ComponentSoundwave::AppendRibbon(Graphics::Renderer& renderer, Graphics::Batch& batch) const {
    const uint32_t count = GetRayCountAllocated();
    if (count < 2) return 0;
    const unsigned front = mStep % kTrail;
    const unsigned middle = (mStep + kTrail / 2) % kTrail;
    const unsigned oldest = (mStep + 1) % kTrail;
    int drawn = 0;
    for (uint32_t i = 0; i + 1 < count; ++i) {
        const SoundwaveRay& a = mRays[i];
        const SoundwaveRay& b = mRays[i + 1];
        // A band needs both its rays: a spent neighbour would pin it to where that ray ended.
        if (!a.mLinked || !a.IsAlive() || !b.IsAlive()) continue;
        if (batch.GetRoom() < 8) renderer.Flush();
        const uint32_t color = RibbonColor(mKind, a.mEnergy);
        batch.AddVertex(a.mTrail[front].x, a.mTrail[front].y, 0.0, 0.0, color);
        batch.AddVertex(b.mTrail[front].x, b.mTrail[front].y, 1.0, 0.0, color);
        batch.AddVertex(b.mTrail[middle].x, b.mTrail[middle].y, 1.0, 0.5, color);
        batch.AddVertex(a.mTrail[middle].x, a.mTrail[middle].y, 0.0, 0.5, color);
        batch.AddVertex(a.mTrail[middle].x, a.mTrail[middle].y, 0.0, 0.5, color);
        batch.AddVertex(b.mTrail[middle].x, b.mTrail[middle].y, 1.0, 0.5, color);
        batch.AddVertex(b.mTrail[oldest].x, b.mTrail[oldest].y, 1.0, 1.0, color);
        batch.AddVertex(a.mTrail[oldest].x, a.mTrail[oldest].y, 0.0, 1.0, color);
        ++drawn;
    }
    return drawn;
}

} // namespace Velmora::Logic
