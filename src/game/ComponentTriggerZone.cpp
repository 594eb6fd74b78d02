#include "game/ComponentTriggerZone.h"

#include "core/Entity.h"
#include "core/ValueCursor.h"
#include "game/LogicManager.h"
#include "graphics/Batch.h"
#include "graphics/FontManager.h"
#include "graphics/MessageRenderEdit.h"
#include "graphics/Renderer.h"
#include "world/LevelMessages.h"

#include <algorithm>
#include <string>
#include <vector>

namespace Velmora::Logic {

void ComponentTriggerZone::HandleMessage(Message& message) {
    if (message.Is<MessageEndLevel>()) {
        mOwner->Destroy();
    } else if (const auto* render = MessageCast<Editor::MessageRenderEdit>(message)) {
        if (render->mRenderer) Draw(*render->mRenderer);
    }
}

void ComponentTriggerZone::LoadInstance(ValueCursor& cursor) {
    Vector2 first;
    Vector2 second;
    cursor >> mZoneId >> first >> second;
    mMin = Vector2(std::min(first.x, second.x), std::min(first.y, second.y));
    mMax = Vector2(std::max(first.x, second.x), std::max(first.y, second.y));
}

bool ComponentTriggerZone::Contains(const Vector2& point) const {
    return mMin.x <= point.x && point.x < mMax.x && mMin.y <= point.y && point.y < mMax.y;
}

void ComponentTriggerZone::UpdateZones(const Vector2& point) {
    UpdateZones(point, [](int event, int zoneId) {
        LogicManager::GetInstance().FireTriggerEvent(static_cast<TriggerEvent>(event), zoneId);
    });
}

void ComponentTriggerZone::UpdateZones(const Vector2& point, const EventSink& sink) {
    // A copy: a callback may spawn entities, zones among them, while the events run.
    const std::vector<ComponentTriggerZone*> zones(GetInstances().begin(), GetInstances().end());
    for (ComponentTriggerZone* zone : zones) {
        if (zone->mOwner->IsDestroyed()) continue;
        const bool inside = zone->Contains(point);
        if (inside == zone->mInside) continue;
        zone->mInside = inside;
        sink(inside ? kEventEnterZone : kEventExitZone, zone->mZoneId);
    }
}

void ComponentTriggerZone::Draw(Graphics::Renderer& renderer) const { DrawOutline(renderer, mMin, mMax, mZoneId); }

void ComponentTriggerZone::DrawOutline(Graphics::Renderer& renderer, const Vector2& first, const Vector2& second,
                                       int zoneId) {
    const Vector2 low(std::min(first.x, second.x), std::min(first.y, second.y));
    const Vector2 high(std::max(first.x, second.x), std::max(first.y, second.y));
    Graphics::Batch& lines =
        renderer.GetBatch(Graphics::kPrimitiveLines, nullptr, kLayer, kBatchCapacity, Graphics::kBlendAlpha);
    lines.AddLine(low.x, low.y, high.x, low.y, kOutlineColor);
    lines.AddLine(high.x, low.y, high.x, high.y, kOutlineColor);
    lines.AddLine(high.x, high.y, low.x, high.y, kOutlineColor);
    lines.AddLine(low.x, high.y, low.x, low.y, kOutlineColor);
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    fonts.DrawTextScaled(renderer, fonts.GetFont(kFontName), std::to_string(zoneId), low.x, low.y, 0, kLabelScale,
                         kLabelScale, kLabelColor);
}

} // namespace Velmora::Logic
