#pragma once

#include <string>

namespace Velmora {

class Entity;
class IComponentCreator;
class Message;
class ValueCursor;

/// Base of every component. An entity holds at most one component per name and hands it every
/// message it receives. A concrete component class:
///
///     class ComponentSprite : public Component, public TComponent<ComponentSprite> {
///         VELMORA_COMPONENT(ComponentSprite)
///     public:
///         explicit ComponentSprite(Entity* owner) : Component(owner) {}
///         void Load(ValueCursor& cursor) override { cursor >> mTexture >> mColor; }
///     };
///
/// VELMORA_COMPONENT gives the class its static name (StaticName(), "ComponentSprite") and
/// GetName(); ComponentCreator<T> and Entity::GetComponent<T>() use that name, and T must be
/// constructible from its owner. Every operation but GetName does nothing by default.
class Component {
public:
    /// The owner is fixed for the component's whole life.
    explicit Component(Entity* owner) : mOwner(owner) {}
    /// Components are never copied; they belong to one entity.
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    /// The component type's name, the key under which the entity stores it.
    virtual const std::string& GetName() const = 0;
    /// Tells the creator that made the component (if any) that it is gone.
    virtual ~Component();
    /// Every message delivered to the owning entity, in ascending order of component names.
    virtual void HandleMessage(Message&) {}
    /// Once after the entity has been spawned, when all its components exist and have read their data.
    virtual void Initialize() {}
    /// Reads the archetype data, leaving the cursor on the next component's name.
    virtual void Load(ValueCursor&) {}
    /// Reads the per-instance spawn data (for example a level entity's <data>); called at spawn
    /// with a cursor at the start of that data.
    virtual void LoadInstance(ValueCursor&) {}
    /// When the entity is destroyed (at the end of the frame), before any component is deleted.
    /// Not called for an entity that never spawned, nor at the final shutdown.
    virtual void Deinitialize() {}

    /// The entity that holds this component; never null for components built by the factory.
    Entity* const mOwner;
    /// The creator that made the component; set by ComponentCreator<T>, null otherwise.
    IComponentCreator* mCreator = nullptr;
};

} // namespace Velmora

/// Declares a component class's static name and its GetName(). Put it first in the class body.
#define VELMORA_COMPONENT(ClassName)                                     \
public:                                                                  \
    static const std::string& StaticName() {                             \
        static const std::string name(#ClassName);                       \
        return name;                                                     \
    }                                                                    \
    const std::string& GetName() const override { return StaticName(); } \
                                                                         \
private:
