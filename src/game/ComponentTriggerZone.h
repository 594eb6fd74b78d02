#pragma once

#include "core/Component.h"
#include "core/TComponent.h"
#include "core/Vector2.h"

#include <cstdint>
#include <functional>

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Logic {

/// A rectangle of the level that turns the player's movement into the trigger events
/// ENTER_ZONE and EXIT_ZONE, carrying its zone id. Invisible in play; the editor's pass
/// (Editor::MessageRenderEdit) outlines it in red and labels it with its id.
///
/// Spawn data, in order: the zone id (integer) and two corners (vectors) in world units, in
/// any order; the corners are sorted per axis into the minimum and the maximum. A point is
/// inside when min ≤ point < max on both axes, so the maximum edge is outside.
class ComponentTriggerZone : public Component, public TComponent<ComponentTriggerZone> {
    VELMORA_COMPONENT(ComponentTriggerZone)
public:
    /// Draw layer, line batch capacity (vertices) and colours of the editor's outline and label.
    static constexpr int kLayer = 8000;
    static constexpr unsigned kBatchCapacity = 1024;
    static constexpr uint32_t kOutlineColor = 0xFF0000FFu;
    static constexpr uint32_t kLabelColor = 0xFFFFFFFFu;
    static constexpr const char* kFontName = "menu_small";
    /// World units per font pixel of the label.
    static constexpr double kLabelScale = 0.5;

    /// Receives a zone event: ENTER_ZONE or EXIT_ZONE and the zone's id.
    using EventSink = std::function<void(int event, int zoneId)>;

    explicit ComponentTriggerZone(Entity* owner) : Component(owner) {}

    /// MessageEndLevel destroys the entity; Editor::MessageRenderEdit draws the outline.
    void HandleMessage(Message& message) override;
    /// Reads the zone id and the two corners.
    void LoadInstance(ValueCursor& cursor) override;

    /// True when the point lies in the zone (the maximum edges excluded).
    bool Contains(const Vector2& point) const;
    /// Tests the point against every live zone: a zone the point has entered fires ENTER_ZONE,
    /// one it has left EXIT_ZONE, with the zone's id, through the logic manager's triggers.
    static void UpdateZones(const Vector2& point);
    /// The same, handing the events to `sink`.
    static void UpdateZones(const Vector2& point, const EventSink& sink);
    /// Adds the outline to the renderer's line batch and the id as text at the minimum corner.
    void Draw(Graphics::Renderer& renderer) const;
    /// The same for a zone of that id between two corners given in any order (the editor draws
    /// zones from their spawn data with it).
    static void DrawOutline(Graphics::Renderer& renderer, const Vector2& first, const Vector2& second, int zoneId);

    int mZoneId = 0;
    Vector2 mMin;
    Vector2 mMax;
    bool mInside = false; ///< the point was inside at the last test
};

} // namespace Velmora::Logic
