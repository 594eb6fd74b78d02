#pragma once

#include "core/Archetype.h"
#include "core/ISystem.h"

#include <map>
#include <string>
#include <vector>

namespace Velmora {

class ComponentFactory;
class Entity;
class EntityManager;

/// Loads the archetypes listed in data/object/manifest.xml at start-up and builds numbered
/// entities from them. Entity ids are 1, 2, 3 … over the whole run; an id is used by every build
/// that finds its archetype, whether or not the build succeeds.
class Factory : public ISystem {
public:
    /// The game's factory (using the game's component factory and entity manager), created on
    /// first use, never deleted.
    static Factory& GetInstance();
    /// A factory building with the game's component factory and entity manager.
    Factory();
    /// A factory building with the given registry and manager (which must outlive it); for
    /// tests, tools and fuzzing.
    Factory(ComponentFactory& components, EntityManager& entities);
    Factory(const Factory&) = delete;
    Factory& operator=(const Factory&) = delete;

    /// Loads the manifest from root/data/object/manifest.xml.
    void Initialize() override;

    /// Loads a manifest and every archetype it lists, each from NAME.xml in the manifest's
    /// folder. Fatal errors: the manifest does not load ("PATH not found"), its root is not
    /// <manifest> ("PATH is missing root <manifest> element"), or a listed archetype file does
    /// not load or its name would lead out of the folder ("Failed to register archetype: NAME",
    /// after a CORE log line saying why).
    void LoadManifest(const std::string& path);
    /// Loads one archetype file and files it under the name (an archetype already filed under
    /// that name is kept). The values are those of the file's first <archetype> element, up to
    /// the first element that is not a value; a file without one gives an empty list. A file
    /// that is not XML logs "Failed to load archetype  `NAME`: PATH: REASON" and gives false.
    bool LoadArchetype(const std::string& name, const std::string& path, bool editable);

    /// Builds the entity of an archetype, spawns it with the instance data (null: none) and
    /// returns it; the entity manager owns it. Null if the archetype is unknown (logged, no id
    /// used) or one of its component names has no creator (logged, the half-built entity is
    /// destroyed at the end of the frame).
    Entity* Create(const std::string& name, const ValueList* instance);

    /// The archetype filed under the name, or null.
    const Archetype* FindArchetype(const std::string& name) const;
    /// Every archetype, in name order.
    std::vector<const Archetype*> GetArchetypes() const;
    /// The id given to the latest build (0 before the first).
    int GetLastId() const { return mNextId; }

private:
    bool BuildComponents(const Archetype& archetype, Entity& entity);

    ComponentFactory& mComponents;
    EntityManager& mEntities;
    int mNextId = 0;
    std::map<std::string, Archetype> mArchetypes;
};

} // namespace Velmora
