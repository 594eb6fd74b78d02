#pragma once

#include <string>

namespace Velmora {

class Component;
class Entity;

/// Makes components of one type for the ComponentFactory. ComponentCreator<T> is the one
/// implementation.
class IComponentCreator {
public:
    virtual ~IComponentCreator() = default;
    /// The component type's name, the same as the component's own GetName().
    virtual const std::string& GetName() const = 0;
    /// A new component owned by `owner` (the entity deletes it); it has read no data yet.
    virtual Component* Create(Entity* owner) = 0;
    /// Removes a component from the record of components this creator made; called when the
    /// component is deleted. Unknown components are ignored.
    virtual void Release(Component* component) = 0;
};

} // namespace Velmora
