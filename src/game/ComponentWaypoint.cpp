#include "game/ComponentWaypoint.h"

#include "core/Entity.h"
#include "graphics/ComponentTransform.h"
#include "world/LevelMessages.h"

namespace Velmora::Logic {

void ComponentWaypoint::HandleMessage(Message& message) {
    if (message.Is<MessageEndLevel>()) mOwner->Destroy();
}

void ComponentWaypoint::Initialize() { mTransform = mOwner->GetComponent<Graphics::ComponentTransform>(); }

} // namespace Velmora::Logic
