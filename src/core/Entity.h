#pragma once

#include "core/Value.h"

#include <map>
#include <string>

namespace Velmora {

class Component;
class EntityManager;
class Message;

/// A game object: a numbered, optionally named set of components, at most one per component
/// name. Entities are built by the Factory and owned by the EntityManager; never delete one
/// yourself, call Destroy() and the manager deletes it after the current logic tick or at the end of the frame.
class Entity {
public:
    static constexpr int kStateCreated = -1;  ///< built, not yet spawned
    static constexpr int kStateSpawned = 1;   ///< indexed, listed, receiving messages
    static constexpr int kStateDestroyed = 0; ///< silent, waiting for deletion
    static constexpr int kNoScriptRef = -2;   ///< no script-side object has been made

    /// An empty, unnamed, unlinked entity in the created state. `manager` is the entity manager
    /// that will own it (null: EntityManager::GetInstance()).
    explicit Entity(int id, EntityManager* manager = nullptr);
    /// Deletes the components (in name order). Only the EntityManager deletes entities.
    ~Entity();
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    /// Takes ownership of the component and stores it under its GetName(). A component already
    /// stored under that name is replaced and deleted (deinitialised first if the entity has
    /// spawned). Meant for building an entity, not for use inside one of its deliveries.
    void AddComponent(Component* component);
    /// The component stored under the name, or null.
    Component* GetComponent(const std::string& name) const;
    /// The component of class T (looked up by T's static name), or null.
    template <class T>
    T* GetComponent() const {
        return static_cast<T*>(GetComponent(T::StaticName()));
    }
    /// All components by name.
    const std::map<std::string, Component*>& GetComponents() const { return mComponents; }

    /// Hands the message to every component in ascending name order; nothing once destroyed.
    void HandleMessage(Message& message);

    /// Makes a built entity live: indexes it by id and name, links it at the head of the
    /// manager's list, lets each component read the instance data (null: none) with its own
    /// cursor, then initialises each component. Only a created (never spawned, not destroyed)
    /// entity spawns; other calls do nothing.
    void Spawn(const ValueList* instance);
    /// Sets the name and makes FindByName return this entity for it (replacing any earlier
    /// entity of that name). The old name stops finding this entity; an empty name finds nothing.
    void SetName(const std::string& name);
    /// Marks the entity destroyed: it receives no more messages and is deleted at the next end
    /// of frame, its components alive until then. A second call does nothing.
    void Destroy();
    /// The reference of the entity's script-side object, made on first use by the hook the
    /// script manager installs (EntityManager::SetScriptHooks); kNoScriptRef while none exists.
    int GetScriptRef();

    /// The unique id the factory gave the entity (1, 2, 3 … over the run).
    int GetId() const { return mId; }
    /// The instance name; empty if none.
    const std::string& GetName() const { return mName; }
    /// kStateCreated, kStateSpawned or kStateDestroyed.
    int GetState() const { return mState; }
    /// True once Destroy() has been called.
    bool IsDestroyed() const { return mState == kStateDestroyed; }
    /// The next older entity in the manager's list (null for the oldest).
    Entity* GetNext() const { return mNext; }

private:
    friend class EntityManager;

    std::map<std::string, Component*> mComponents; // owned
    std::string mName;
    Entity* mPrev = nullptr;
    Entity* mNext = nullptr;
    int mId;
    int mScriptRef = kNoScriptRef;
    int mState = kStateCreated;
    bool mSpawned = false; // ever spawned: its components were initialised
    EntityManager* mManager;
};

} // namespace Velmora
