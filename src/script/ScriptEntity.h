#pragma once

struct lua_State;

namespace Velmora {
class Entity;
}

namespace Velmora::Script {

/// The `Entity` table (GetByID, CreateAt) and the entity object type. An object holds only the
/// entity's id, so it may outlive its entity: once the entity is destroyed the object's methods
/// find nothing. Each entity makes its object once, on first request, and keeps a registry
/// reference to it (Entity::GetScriptRef).
class ScriptEntity {
public:
    /// Name of the objects' metatable in the registry.
    static constexpr const char* kTypeName = "Entity";

    /// Registers the table and the object type; call inside a protected call.
    static void Register(lua_State* state);
    /// Makes an entity's object and returns its registry reference. Called by the entity
    /// manager's hook from inside a Lua function, never outside a protected call.
    static int MakeReference(lua_State* state, Entity& entity);
    /// Pushes the entity's object; returns the number of values pushed (0 when none exists).
    static int Push(lua_State* state, Entity& entity);

private:
    static Entity* ToEntity(lua_State* state, int index);
    static int GetById(lua_State* state);
    static int CreateAt(lua_State* state);
    static int GetId(lua_State* state);
    static int Destroy(lua_State* state);
};

} // namespace Velmora::Script
