#include "core/Entity.h"

#include "core/Component.h"
#include "core/EntityManager.h"
#include "core/ValueCursor.h"

namespace Velmora {

Entity::Entity(int id, EntityManager* manager) : mId(id), mManager(manager ? manager : &EntityManager::GetInstance()) {}

Entity::~Entity() {
    // Each component leaves the map before it is deleted, so a destructor that looks at its
    // siblings never finds one already gone.
    while (!mComponents.empty()) {
        Component* component = mComponents.extract(mComponents.begin()).mapped();
        delete component;
    }
}

void Entity::AddComponent(Component* component) {
    if (!component) return;
    Component*& slot = mComponents[component->GetName()];
    Component* const replaced = slot;
    slot = component;
    if (!replaced || replaced == component) return;
    // The replaced component would otherwise stay in its type's instance set with nobody
    // owning it, and outlive this entity.
    if (mSpawned) replaced->Deinitialize();
    delete replaced;
}

Component* Entity::GetComponent(const std::string& name) const {
    const auto it = mComponents.find(name);
    return it == mComponents.end() ? nullptr : it->second;
}

void Entity::HandleMessage(Message& message) {
    if (mState == kStateDestroyed) return;
    for (const auto& [name, component] : mComponents) component->HandleMessage(message);
}

void Entity::Spawn(const ValueList* instance) {
    if (mState != kStateCreated) return;
    mState = kStateSpawned;
    mSpawned = true;
    mManager->Index(*this);
    for (const auto& [name, component] : mComponents) {
        ValueCursor cursor(instance);
        component->LoadInstance(cursor);
    }
    for (const auto& [name, component] : mComponents) component->Initialize();
}

void Entity::SetName(const std::string& name) {
    const std::string oldName = mName;
    mName = name;
    mManager->Rename(*this, oldName);
}

void Entity::Destroy() {
    if (mState == kStateDestroyed) return;
    mState = kStateDestroyed;
    mManager->Doom(*this);
}

int Entity::GetScriptRef() {
    if (mScriptRef == kNoScriptRef) mScriptRef = mManager->MakeScriptRef(*this);
    return mScriptRef;
}

} // namespace Velmora
