#pragma once

#include "core/Component.h"
#include "core/TComponent.h"
#include "core/Vector2.h"

namespace Velmora::Graphics {

/// Where an entity is and which way it faces, in world units. It has no behaviour and reads no
/// data: whoever spawns the entity writes both fields, and movement code updates them.
class ComponentTransform : public Component, public TComponent<ComponentTransform> {
    VELMORA_COMPONENT(ComponentTransform)
public:
    explicit ComponentTransform(Entity* owner) : Component(owner) {}

    Vector2 mPosition;  ///< world units; (0, 0) when created
    Vector2 mDirection; ///< facing; not necessarily unit length; (0, 0) when created
};

} // namespace Velmora::Graphics
