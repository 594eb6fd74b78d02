#include "game/ComponentPlayer.h"

#include "ai/ComponentGhost.h"
#include "ai/PerceptionMessages.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/Random.h"
#include "graphics/DebugDrawManager.h"
#include "graphics/DebugWatch.h"
#include "graphics/ComponentTransform.h"
#include "graphics/GraphicsManager.h"
#include "world/Level.h"
#include "world/LevelMessages.h"
#include "game/LogicManager.h"
#include "world/SoundwaveKind.h"
#include "world/Tile.h"
#include "physics/BodyMessages.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"

#include <algorithm>

namespace Velmora::Logic {

namespace {

constexpr uint32_t kVelocityColor = 0xFF00FF00u;  // opaque green
constexpr uint32_t kRayHitColor = 0xFF0000FFu;    // opaque red
constexpr uint32_t kRayMask = 15;                 // any of the four blocking bits
constexpr double kRayMarkRadius = 5.0;
constexpr double kRayMarkSetBack = 10.0;
constexpr double kFootstepSpread = 360.0;

} // namespace

ComponentPlayer::ComponentPlayer(Entity* owner) : Component(owner) {
    Audio::AudioManager& audio = Audio::AudioManager::GetInstance();
    mFootSamples[0] = audio.LoadSample("SFX/Player/foot1.ogg");
    mFootSamples[1] = audio.LoadSample("SFX/Player/foot2.ogg");
}

void ComponentPlayer::Initialize() {
    mTransform = mOwner->GetComponent<Graphics::ComponentTransform>();
    mBody = mOwner->GetComponent<Physics::ComponentBody>();
    if (mBody) mBody->SetCollisionMask(kTileBlocksPlayer);
}

void ComponentPlayer::HandleMessage(Message& message) {
    if (const auto* update = MessageCast<MessageUpdateLogic>(message)) {
        Update(update->mDt);
    } else if (const auto* moved = MessageCast<Physics::MessageMoved>(message)) {
        Step(*moved);
        CheckExit();
    } else if (message.Is<Ai::MessageEntitySeen>()) {
        LogicManager::GetInstance().FireTriggerEvent(kEventSeen);
    } else if (const auto* collision = MessageCast<Physics::MessageBodyCollision>(message)) {
        Touch(*collision);
    } else if (message.Is<MessageEndLevel>()) {
        mOwner->Destroy();
    }
}

void ComponentPlayer::Update(double dt) {
    mStepCooldown = std::max(0.0, mStepCooldown - dt);
    if (mBody) {
        mBody->mVelocityX = mVelocity.x;
        mBody->mVelocityY = mVelocity.y;
    }
    if (LogicManager::GetInstance().mDebugPlayer) DrawDebug();
}

void ComponentPlayer::DrawDebug() const {
    if (!mTransform) return;
    Graphics::DebugDrawManager& draw = Graphics::DebugDrawManager::GetInstance();
    const Vector2 p = mTransform->mPosition;
    const Vector2 tip = p + mVelocity;
    draw.DrawLine(p.x, p.y, tip.x, tip.y, kVelocityColor);
    Graphics::DebugWatch("player.speed") << "Player speed " << mVelocity.Length();
    const Vector2 direction = mVelocity.Normalized();
    if (direction != Vector2()) {
        const Vector2 end = p + direction * kDebugRayReach;
        Physics::RayHit hit;
        if (Physics::PhysicsManager::GetInstance().RayCast(kRayMask, p.x, p.y, end.x, end.y, hit)) {
            const Vector2 mark = Vector2(hit.mPointX, hit.mPointY) - direction * kRayMarkSetBack;
            draw.DrawCircle(mark.x, mark.y, kRayMarkRadius, kRayHitColor);
        }
    }
    Graphics::DebugWatch("player.position") << "Player at (" << p.x << "," << p.y << ")";
}

void ComponentPlayer::Step(const Physics::MessageMoved& moved) {
    LogicManager& logic = LogicManager::GetInstance();
    const double period = logic.mSoundwaveStepPeriod;
    if (mStepCooldown != 0.0 || period == 0.0 || !mTransform) return;
    mStepCooldown = period;
    const SoundwaveKind kind = mWhiteSteps ? kWhite : kSound;
    logic.CreateSoundwave(kind, mTransform->mPosition, moved.mSpeed / kStepStrengthDivisor, Vector2(), kFootstepSpread);
    logic.FireTriggerEvent(kEventStep);
    if (!mWhiteSteps) Audio::AudioManager::GetInstance().PlaySampleHandle(mFootSamples[GetRandom().Below(2)]);
}

void ComponentPlayer::CheckExit() const {
    const Level* level = LogicManager::GetInstance().GetLevel();
    if (!level || !mTransform) return;
    if (level->GetTileIdAt(mTransform->mPosition.x, mTransform->mPosition.y) != kTileExit) return;
    MessageLevelWon won;
    Game::GetInstance().SendMessage(won);
}

void ComponentPlayer::Touch(const Physics::MessageBodyCollision& collision) const {
    const int otherId = collision.mFirstId == mOwner->GetId() ? collision.mSecondId : collision.mFirstId;
    const Entity* other = EntityManager::GetInstance().FindById(otherId);
    if (!other) return;
    const auto* ghost = other->GetComponent<Ai::ComponentGhost>();
    if (!ghost || !ghost->mCatchesPlayer) return;
    MessageLevelLost lost;
    Game::GetInstance().SendMessage(lost);
}

void ComponentPlayer::MoveTowards(const Vector2& windowPoint, double speed) {
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    const Graphics::View& view = graphics.GetView();
    MoveTowards(windowPoint, speed, graphics.GetWidth(), graphics.GetHeight(), view.mLeft, view.mBottom, view.mRight,
                view.mTop);
}

void ComponentPlayer::MoveTowards(const Vector2& windowPoint, double speed, double windowWidth, double windowHeight,
                                  double viewLeft, double viewBottom, double viewRight, double viewTop) {
    if (speed == 0.0) {
        mVelocity = Vector2();
        return;
    }
    if (!mTransform || windowWidth <= 0.0 || windowHeight <= 0.0) return;
    const Vector2 world(windowPoint.x / windowWidth * (viewRight - viewLeft) + viewLeft,
                        windowPoint.y / windowHeight * (viewTop - viewBottom) + viewBottom);
    const Vector2 d = world - mTransform->mPosition;
    if (d == Vector2()) return;
    const Vector2 facing = d.Normalized();
    mTransform->mDirection = facing;
    mVelocity = facing * speed;
}

void ComponentPlayer::FaceTowards(const Vector2& windowPoint) {
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    FaceTowards(windowPoint, graphics.GetWidth(), graphics.GetHeight());
}

void ComponentPlayer::FaceTowards(const Vector2& windowPoint, double windowWidth, double windowHeight) {
    if (!mTransform) return;
    const Vector2 v = windowPoint - Vector2(windowWidth / 2.0, windowHeight / 2.0);
    if (v.Length() != 0.0) mTransform->mDirection = v / v.Length();
}

} // namespace Velmora::Logic
