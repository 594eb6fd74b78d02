#pragma once

#include "core/Component.h"
#include "core/TComponent.h"

namespace Velmora::Logic {

/// The briefcase, the level's objective: the player's touch takes it (the entity goes,
/// MessageGotMacGuffin is broadcast, trigger event MACGUFFIN counts it in the game and level
/// counters). No fields, no data; needs a body to be touched.
class ComponentMacGuffin : public Component, public TComponent<ComponentMacGuffin> {
    VELMORA_COMPONENT(ComponentMacGuffin)
public:
    explicit ComponentMacGuffin(Entity* owner) : Component(owner) {}

    /// MessageEndLevel destroys the entity; Physics::MessageBodyCollision with the player takes
    /// the briefcase.
    void HandleMessage(Message& message) override;
};

} // namespace Velmora::Logic
