#pragma once

#include "core/ISystem.h"

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace Velmora {

class Entity;

/// Owns every entity: indexes spawned entities by id and by name, keeps them in a list for
/// delivery to all (newest first), and deletes destroyed ones at the end of the frame
/// (on MessageEndFrame) and after each logic tick, so no entity is deleted during a delivery.
class EntityManager : public ISystem {
public:
    /// Makes the script-side object of an entity; returns its reference (negative: none made).
    using ScriptRefMaker = std::function<int(Entity& entity)>;
    /// Releases a script reference made by the ScriptRefMaker.
    using ScriptRefReleaser = std::function<void(int reference)>;

    /// The game's entity manager, created on first use, never deleted.
    static EntityManager& GetInstance();
    /// A separate manager, for tests and tools.
    EntityManager() = default;
    /// Deletes whatever entities remain (only separate managers are ever destroyed).
    ~EntityManager() override;
    EntityManager(const EntityManager&) = delete;
    EntityManager& operator=(const EntityManager&) = delete;

    /// Shutdown: marks every entity destroyed, then deletes them all with their components,
    /// without Deinitialize and without releasing script references. Leaves the manager empty.
    void Deinitialize() override;
    /// Deletes the destroyed entities on MessageEndFrame.
    void HandleMessage(Message& message) override;

    /// The spawned entity with that id, or null.
    Entity* FindById(int id) const;
    /// The most recent entity given that name, or null.
    Entity* FindByName(const std::string& name) const;
    /// Entity::HandleMessage on every listed entity, newest first. Entities spawned during the
    /// delivery are not reached by it; destroyed ones stay listed but silent.
    void SendToAll(Message& message);
    /// Deletes the destroyed entities, last destroyed first: unlink, Deinitialize each component
    /// (if the entity had spawned), release its script reference, unindex, delete. Entities
    /// destroyed meanwhile are deleted in the same pass. Does nothing while a SendToAll runs.
    void DestroyPending();

    /// Installed by the script manager: how script references are made and released.
    void SetScriptHooks(ScriptRefMaker maker, ScriptRefReleaser releaser);
    /// Every entity forgets its script reference without releasing it: the script state that
    /// held them has been closed, and a new state must never see the old numbers.
    void ForgetScriptRefs();

    /// Newest spawned entity; walk on with Entity::GetNext().
    Entity* GetFirst() const { return mFirst; }
    /// Number of spawned entities not yet deleted.
    std::size_t GetEntityCount() const { return mEntitiesById.size(); }
    /// Number of entities waiting for deletion.
    std::size_t GetDoomedCount() const { return mDoomed.size(); }

private:
    friend class Entity;

    void Index(Entity& entity);
    void Rename(Entity& entity, const std::string& oldName);
    void Doom(Entity& entity);
    int MakeScriptRef(Entity& entity);
    void Unlink(Entity& entity);
    void Unindex(const Entity& entity);
    void DeletePending(Entity* entity);

    std::unordered_map<int, Entity*> mEntitiesById;
    std::unordered_map<std::string, Entity*> mEntitiesByName;
    std::vector<Entity*> mDoomed;
    Entity* mFirst = nullptr;
    int mDeliveries = 0; // SendToAll calls in progress
    ScriptRefMaker mScriptRefMaker;
    ScriptRefReleaser mScriptRefReleaser;
};

} // namespace Velmora
