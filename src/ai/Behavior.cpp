#include "ai/Behavior.h"

#include "ai/ComponentGhost.h"
#include "core/Entity.h"
#include "core/EntityManager.h"

namespace Velmora::Ai {

Behavior::Behavior(uint32_t entity, uint32_t lanes, bool blocking) : Action(lanes, blocking), mEntity(entity) {}

Entity* Behavior::GetEntity() const { return EntityManager::GetInstance().FindById(static_cast<int>(mEntity)); }

ComponentGhost* Behavior::GetGhost() const {
    const Entity* entity = GetEntity();
    return entity ? entity->GetComponent<ComponentGhost>() : nullptr;
}

} // namespace Velmora::Ai
