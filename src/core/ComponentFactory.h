#pragma once

#include "core/ComponentCreator.h"
#include "core/ISystem.h"

#include <map>
#include <memory>
#include <string>

namespace Velmora {

class Component;
class Entity;
class ValueCursor;

/// The registry of component creators by component name. Systems register the creators of
/// their components in their Initialize; the Factory asks it for components by name.
class ComponentFactory : public ISystem {
public:
    /// The game's component factory, created on first use, never deleted.
    static ComponentFactory& GetInstance();
    /// A separate registry, for tests and tools.
    ComponentFactory() = default;
    ComponentFactory(const ComponentFactory&) = delete;
    ComponentFactory& operator=(const ComponentFactory&) = delete;

    /// Takes the creator and files it under its GetName(). A name already present keeps its
    /// first creator (the new one is deleted) and false is returned.
    bool Register(std::unique_ptr<IComponentCreator> creator);
    /// Registers a ComponentCreator<T>.
    template <class T>
    bool Register() {
        return Register(std::make_unique<ComponentCreator<T>>());
    }

    /// The creator filed under the name, or null.
    IComponentCreator* FindCreator(const std::string& name) const;

    /// A new component of that name for the entity, which has read its archetype data from the
    /// cursor (Load). The caller adds it to the entity. Unknown names log "Attempt to lookup
    /// non-existant component `name`" (channel CORE) and give null.
    Component* Create(const std::string& name, Entity* owner, ValueCursor& cursor);

private:
    std::map<std::string, std::unique_ptr<IComponentCreator>> mCreators;
};

} // namespace Velmora
