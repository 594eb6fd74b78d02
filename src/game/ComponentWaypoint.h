#pragma once

#include "core/Component.h"
#include "core/TComponent.h"

#include <cstdint>

namespace Velmora::Graphics {
class ComponentTransform;
class Renderer;
} // namespace Velmora::Graphics

namespace Velmora::Logic {

/// A patrol point. Its identity is its entity name, by which guards' patrols find it; it shows
/// only in the editor, where Editor::MessageRenderEdit labels it with that name. Reads no data;
/// needs a transform.
class ComponentWaypoint : public Component, public TComponent<ComponentWaypoint> {
    VELMORA_COMPONENT(ComponentWaypoint)
public:
    /// The label's font, scale (world units per font pixel) and colour.
    static constexpr const char* kFontName = "menu_small";
    static constexpr double kLabelScale = 0.5;
    static constexpr uint32_t kLabelColor = 0xFFFFFFFFu;

    explicit ComponentWaypoint(Entity* owner) : Component(owner) {}

    /// MessageEndLevel destroys the entity; Editor::MessageRenderEdit draws the label.
    void HandleMessage(Message& message) override;
    /// Binds the entity's transform.
    void Initialize() override;
    /// Draws the entity's name at the waypoint's position (nothing for an unnamed waypoint).
    void DrawLabel(Graphics::Renderer& renderer) const;

    Graphics::ComponentTransform* mTransform = nullptr; ///< bound in Initialize; not owned
};

} // namespace Velmora::Logic
