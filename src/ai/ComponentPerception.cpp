#include "ai/ComponentPerception.h"

#include "ai/AiHost.h"
#include "ai/PerceptionMessages.h"
#include "ai/VisibilityRegistry.h"
#include "core/Color.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/ValueCursor.h"
#include "debug/PerformanceManager.h"
#include "graphics/Batch.h"
#include "graphics/ComponentTransform.h"
#include "graphics/DebugDrawManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"

#include <cmath>
#include <numbers>
#include <set>
#include <vector>

namespace Velmora::Ai {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr uint32_t kRangeColor = 0xFF0000FFu;
constexpr uint32_t kNearColor = 0xFF00FFFFu;
constexpr uint32_t kSightLineColor = 0xFFFFFF00u;
constexpr double kSeenMarkRadius = 5.0;
constexpr int kArcSegments = ComponentPerception::kOutlinePoints - 1;

// The entity of an id, unless it is gone or going.
Entity* FindLive(uint32_t id) {
    Entity* entity = EntityManager::GetInstance().FindById(static_cast<int>(id));
    return entity && !entity->IsDestroyed() ? entity : nullptr;
}

} // namespace

void ComponentPerception::Initialize() { mTransform = mOwner->GetComponent<Graphics::ComponentTransform>(); }

void ComponentPerception::Load(ValueCursor& cursor) {
    Color color(mConeColor);
    cursor >> mFieldOfView >> mSightRange >> mNearRadius >> mAlertFieldOfView >> mAlertSightRange >> mAlertNearRadius >>
        color;
    mFieldOfView *= kRadiansPerDegree;
    mAlertFieldOfView *= kRadiansPerDegree;
    mConeColor = (color.GetPacked() & 0x00FFFFFFu) | static_cast<uint32_t>(kConeAlpha) << 24;
    UseNormalSet();
}

void ComponentPerception::UseNormalSet() {
    mCurrentFieldOfView = mFieldOfView;
    mCurrentSightRange = mSightRange;
    mCurrentNearRadius = mNearRadius;
}

void ComponentPerception::UseAlertSet() {
    mCurrentFieldOfView = mAlertFieldOfView;
    mCurrentSightRange = mAlertSightRange;
    mCurrentNearRadius = mAlertNearRadius;
}

void ComponentPerception::HandleMessage(Message& message) {
    if (message.Is<MessageUpdateLogic>()) {
        Update();
    } else if (const auto* render = MessageCast<Graphics::MessageRender>(message)) {
        if (render->mRenderer) Draw(*render->mRenderer);
    }
}

bool ComponentPerception::IsVisible(const Vector2& point) const {
    if (!mTransform) return false;
    const Vector2 guard = mTransform->mPosition;
    const Vector2 d = point - guard;
    const double distance = d.Length();
    // Written so that a NaN distance (a point that is not finite) is never seen.
    if (!(distance <= mCurrentSightRange)) return false;
    Physics::RayHit hit;
    if (Physics::PhysicsManager::GetInstance().CastRay(kTileBlocksVision, guard.x, guard.y, point.x, point.y, hit)) {
        return false;
    }
    if (distance <= mCurrentNearRadius) return true;
    const double half = mCurrentFieldOfView * 0.5;
    const Vector2 left = mTransform->mDirection.Rotated(half);
    const Vector2 right = mTransform->mDirection.Rotated(-half);
    return Cross(left, d) < 0.0 && Cross(right, d) > 0.0;
}

void ComponentPerception::Update() {
    Debug::PerformanceManager& performance = Debug::PerformanceManager::GetInstance();
    static const int sTimer = performance.RegisterTimer("Perception");
    Debug::ScopedTimer timer(sTimer);
    if (!mTransform) return;
    UpdateVisibility();
    RebuildOutlines();
}

void ComponentPerception::UpdateVisibility() {
    VisibilityRegistry& registry = GetAiHost().GetVisibilityRegistry();
    const auto self = static_cast<uint32_t>(mOwner->GetId());
    // Messages may spawn or destroy entities (an emote, a capture); the bodies are copied so the
    // walk is not disturbed. Steps never nest, so one scratch list serves every guard.
    static std::vector<const Physics::ComponentBody*> sBodies;
    const auto& bodies = TComponent<Physics::ComponentBody>::GetInstances();
    sBodies.assign(bodies.begin(), bodies.end());
    const std::set<uint32_t>* seen = registry.FindVisible(self);
    for (const Physics::ComponentBody* body : sBodies) {
        Entity* other = body->mOwner;
        if (other == mOwner || other->IsDestroyed() || !body->mTransform) continue;
        const auto otherId = static_cast<uint32_t>(other->GetId());
        if (IsVisible(body->mTransform->mPosition)) {
            if (!registry.AddVisible(self, otherId)) continue;
            seen = registry.FindVisible(self);
            MessageEntityVisible visible(otherId);
            mOwner->HandleMessage(visible);
            MessageEntitySeen seenBy(self);
            other->HandleMessage(seenBy);
        } else if (seen && seen->contains(otherId) && registry.RemoveVisible(self, otherId)) {
            MessageEntityHidden hidden(otherId);
            mOwner->HandleMessage(hidden);
        }
    }
    // An entity that went away while seen has no body left to be tested: it is hidden now, so
    // no behaviour keeps chasing what is not there.
    seen = registry.FindVisible(self);
    if (!seen) return;
    std::vector<uint32_t> gone;
    for (const uint32_t id : *seen) {
        if (!FindLive(id)) gone.push_back(id);
    }
    for (const uint32_t id : gone) {
        if (!registry.RemoveVisible(self, id)) continue;
        MessageEntityHidden hidden(id);
        mOwner->HandleMessage(hidden);
    }
}

void ComponentPerception::RebuildOutlines() {
    if (!mTransform) return;
    const Vector2 facing =
        mTransform->mDirection.LengthSquared() > 0.0 ? mTransform->mDirection.Normalized() : mTransform->mDirection;
    const double half = mCurrentFieldOfView * 0.5;
    // Point i of the cone lies (i − 18) steps from straight ahead.
    const double coneStep = mCurrentFieldOfView / kArcSegments;
    BuildArc(mConePoints, facing * mCurrentSightRange, -0.5 * kArcSegments * coneStep, coneStep);
    if (mCurrentNearRadius > 0.0) {
        const double rearStep = (2.0 * std::numbers::pi - mCurrentFieldOfView) / kArcSegments;
        BuildArc(mNearPoints, facing * mCurrentNearRadius, half, rearStep);
    }
}

void ComponentPerception::BuildArc(std::array<Vector2, kOutlinePoints>& points, const Vector2& radius, double first,
                                   double step) const {
    const Physics::PhysicsManager& physics = Physics::PhysicsManager::GetInstance();
    const Vector2 guard = mTransform->mPosition;
    // One rotation by the step, applied point after point: two sines per arc instead of 37.
    const double c = std::cos(step);
    const double s = std::sin(step);
    Vector2 arm = radius.Rotated(first);
    for (Vector2& out : points) {
        Vector2 point = guard + arm;
        Physics::RayHit hit;
        // A point in the guard's own cell is never clipped: the cast would test no cell at all.
        if (!Physics::PhysicsManager::InSameCell(guard.x, guard.y, point.x, point.y) &&
            physics.CastRay(kTileBlocksVision, guard.x, guard.y, point.x, point.y, hit)) {
            point = Vector2(hit.mPointX, hit.mPointY);
        }
        out = point;
        arm = Vector2(arm.x * c - arm.y * s, arm.x * s + arm.y * c);
    }
}

void ComponentPerception::Draw(Graphics::Renderer& renderer) const {
    if (!mTransform) return;
    Graphics::Batch& batch =
        renderer.GetBatch(Graphics::kPrimitiveTriangles, nullptr, kLayer, kBatchVertices, Graphics::kBlendAdditive);
    const Vector2 guard = mTransform->mPosition;
    const auto fan = [&](const std::array<Vector2, kOutlinePoints>& points) {
        for (size_t i = 0; i + 1 < points.size(); ++i) {
            if (batch.GetRoom() < 3) return;
            batch.AddVertex(points[i].x, points[i].y, 0.0, 0.0, mConeColor);
            batch.AddVertex(points[i + 1].x, points[i + 1].y, 0.0, 0.0, mConeColor);
            batch.AddVertex(guard.x, guard.y, 0.0, 0.0, mConeColor);
        }
    };
    fan(mConePoints);
    if (mCurrentNearRadius > 0.0) fan(mNearPoints);
    DrawDebug();
}

void ComponentPerception::DrawDebug() const {
    const AiHost& host = GetAiHost();
    Graphics::DebugDrawManager& draw = Graphics::DebugDrawManager::GetInstance();
    const Vector2 guard = mTransform->mPosition;
    if (host.IsDebugOn(AiHost::kDebugPerception)) {
        draw.DrawCircle(guard.x, guard.y, mCurrentSightRange, kRangeColor);
        draw.DrawCircle(guard.x, guard.y, mCurrentNearRadius, kNearColor);
        const Vector2 reach = mTransform->mDirection * mCurrentSightRange;
        const double half = mCurrentFieldOfView * 0.5;
        for (const double angle : {half, -half}) {
            const Vector2 edge = guard + reach.Rotated(angle);
            draw.DrawLine(guard.x, guard.y, edge.x, edge.y, kRangeColor);
        }
    }
    if (!host.IsDebugOn(AiHost::kDebugVisibility)) return;
    for (const uint32_t id : GetAiHost().GetVisibilityRegistry().GetVisible(static_cast<uint32_t>(mOwner->GetId()))) {
        const Entity* seen = FindLive(id);
        const auto* transform = seen ? seen->GetComponent<Graphics::ComponentTransform>() : nullptr;
        if (!transform) continue;
        const Vector2 p = transform->mPosition;
        draw.DrawLine(guard.x, guard.y, p.x, p.y, kSightLineColor);
        draw.DrawCircle(p.x, p.y, kSeenMarkRadius, kSightLineColor);
    }
}

} // namespace Velmora::Ai
