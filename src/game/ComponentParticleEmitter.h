#pragma once

#include "core/Component.h"
#include "core/TComponent.h"

namespace Velmora::Graphics {
class ComponentTransform;
}

namespace Velmora::Logic {

/// Marks an entity as a place particles may come from, so archetypes can carry it. It caches
/// the entity's transform and otherwise does nothing: every message is ignored and it emits no
/// particles of its own. Registered by the particle manager.
class ComponentParticleEmitter : public Component, public TComponent<ComponentParticleEmitter> {
    VELMORA_COMPONENT(ComponentParticleEmitter)
public:
    explicit ComponentParticleEmitter(Entity* owner) : Component(owner) {}

    /// Caches the transform.
    void Initialize() override;

    Graphics::ComponentTransform* mTransform = nullptr; ///< not owned; null until Initialize
};

} // namespace Velmora::Logic
