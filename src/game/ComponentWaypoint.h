#pragma once

#include "core/Component.h"
#include "core/TComponent.h"

namespace Velmora::Graphics {
class ComponentTransform;
}

namespace Velmora::Logic {

/// A patrol point. Its identity is its entity name, by which guards' patrols find it; it shows
/// only in the level editor, which labels its spawn with that name. Reads no data; needs a
/// transform.
class ComponentWaypoint : public Component, public TComponent<ComponentWaypoint> {
    VELMORA_COMPONENT(ComponentWaypoint)
public:
    explicit ComponentWaypoint(Entity* owner) : Component(owner) {}

    /// MessageEndLevel destroys the entity.
    void HandleMessage(Message& message) override;
    /// Binds the entity's transform.
    void Initialize() override;

    Graphics::ComponentTransform* mTransform = nullptr; ///< bound in Initialize; not owned
};

} // namespace Velmora::Logic
