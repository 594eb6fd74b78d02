#include "core/EntityManager.h"

#include "core/Component.h"
#include "core/Entity.h"
#include "core/FrameMessages.h"

namespace Velmora {

namespace {

// Counts a delivery in progress for as long as it runs, even if a handler unwinds.
class DeliveryScope {
public:
    explicit DeliveryScope(int& count) : mCount(count) { ++mCount; }
    ~DeliveryScope() { --mCount; }
    DeliveryScope(const DeliveryScope&) = delete;
    DeliveryScope& operator=(const DeliveryScope&) = delete;

private:
    int& mCount;
};

} // namespace

EntityManager& EntityManager::GetInstance() {
    static EntityManager* instance = new EntityManager();  // lives to process exit
    return *instance;
}

EntityManager::~EntityManager() { Deinitialize(); }

void EntityManager::Deinitialize() {
    // Mark first, so nothing deleted below is delivered to by a destructor. Walking the list
    // reaches every spawned entity; the doomed list then holds every entity this manager owns,
    // including builds that failed before spawning.
    for (Entity* entity = mFirst; entity; entity = entity->mNext) entity->Destroy();
    std::vector<Entity*> doomed = std::move(mDoomed);
    mDoomed.clear();
    mEntitiesById.clear();
    mEntitiesByName.clear();
    mFirst = nullptr;
    for (Entity* entity : doomed) delete entity;
}

void EntityManager::HandleMessage(Message& message) {
    if (message.Is<MessageEndFrame>()) DestroyPending();
}

Entity* EntityManager::FindById(int id) const {
    const auto it = mEntitiesById.find(id);
    return it == mEntitiesById.end() ? nullptr : it->second;
}

Entity* EntityManager::FindByName(const std::string& name) const {
    const auto it = mEntitiesByName.find(name);
    return it == mEntitiesByName.end() ? nullptr : it->second;
}

void EntityManager::SendToAll(Message& message) {
    const DeliveryScope scope(mDeliveries);
    // Nothing is unlinked during a delivery and new entities go in front of mFirst, so this
    // walk is safe and skips them.
    for (Entity* entity = mFirst; entity; entity = entity->mNext) entity->HandleMessage(message);
}

void EntityManager::DestroyPending() {
    if (mDeliveries > 0) return;
    while (!mDoomed.empty()) {
        Entity* entity = mDoomed.back();
        mDoomed.pop_back();
        DeletePending(entity);
    }
}

void EntityManager::SetScriptHooks(ScriptRefMaker maker, ScriptRefReleaser releaser) {
    mScriptRefMaker = std::move(maker);
    mScriptRefReleaser = std::move(releaser);
}

void EntityManager::Index(Entity& entity) {
    mEntitiesById[entity.mId] = &entity;
    if (!entity.mName.empty()) mEntitiesByName[entity.mName] = &entity;
    entity.mPrev = nullptr;
    entity.mNext = mFirst;
    if (mFirst) mFirst->mPrev = &entity;
    mFirst = &entity;
}

void EntityManager::Rename(Entity& entity, const std::string& oldName) {
    // The old name must not keep pointing at the entity: it would dangle once it is deleted.
    if (!oldName.empty()) {
        const auto it = mEntitiesByName.find(oldName);
        if (it != mEntitiesByName.end() && it->second == &entity) mEntitiesByName.erase(it);
    }
    if (!entity.mName.empty()) mEntitiesByName[entity.mName] = &entity;
}

void EntityManager::Doom(Entity& entity) { mDoomed.push_back(&entity); }

void EntityManager::ForgetScriptRefs() {
    for (const auto& [id, entity] : mEntitiesById) entity->mScriptRef = Entity::kNoScriptRef;
    for (Entity* entity : mDoomed) entity->mScriptRef = Entity::kNoScriptRef;
}

int EntityManager::MakeScriptRef(Entity& entity) {
    return mScriptRefMaker ? mScriptRefMaker(entity) : Entity::kNoScriptRef;
}

void EntityManager::Unlink(Entity& entity) {
    if (entity.mPrev) entity.mPrev->mNext = entity.mNext;
    else if (mFirst == &entity) mFirst = entity.mNext;
    if (entity.mNext) entity.mNext->mPrev = entity.mPrev;
    entity.mPrev = nullptr;
    entity.mNext = nullptr;
}

void EntityManager::Unindex(const Entity& entity) {
    const auto byId = mEntitiesById.find(entity.mId);
    if (byId != mEntitiesById.end() && byId->second == &entity) mEntitiesById.erase(byId);
    // The name goes whichever entity it points at: of two entities sharing a name, deleting
    // either one leaves the name unknown.
    if (!entity.mName.empty()) mEntitiesByName.erase(entity.mName);
}

void EntityManager::DeletePending(Entity* entity) {
    Unlink(*entity);
    // A build that failed before spawning was never initialised, so it is not deinitialised.
    if (entity->mSpawned) {
        for (const auto& [name, component] : entity->mComponents) component->Deinitialize();
    }
    if (entity->mScriptRef >= 0 && mScriptRefReleaser) mScriptRefReleaser(entity->mScriptRef);
    entity->mScriptRef = Entity::kNoScriptRef;
    Unindex(*entity);
    delete entity;
}

} // namespace Velmora
