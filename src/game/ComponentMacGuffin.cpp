#include "game/ComponentMacGuffin.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Game.h"
#include "game/ComponentPlayer.h"
#include "game/LogicManager.h"
#include "game/PickupMessages.h"
#include "physics/BodyMessages.h"
#include "world/LevelMessages.h"

namespace Velmora::Logic {

void ComponentMacGuffin::HandleMessage(Message& message) {
    if (message.Is<MessageEndLevel>()) {
        mOwner->Destroy();
        return;
    }
    const auto* collision = MessageCast<Physics::MessageBodyCollision>(message);
    if (!collision) return;
    const int otherId = collision->mFirstId == mOwner->GetId() ? collision->mSecondId : collision->mFirstId;
    const Entity* other = EntityManager::GetInstance().FindById(otherId);
    if (!other || !other->GetComponent<ComponentPlayer>()) return;
    // Destroyed first: the entity hears nothing more, so a second contact in the same update
    // cannot take the same briefcase twice.
    mOwner->Destroy();
    MessageGotMacGuffin got;
    Game::GetInstance().SendMessage(got);
    LogicManager::GetInstance().FireTriggerEvent(kEventMacGuffin);
}

} // namespace Velmora::Logic
