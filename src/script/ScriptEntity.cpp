#include "script/ScriptEntity.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/Vector2.h"
#include "graphics/ComponentTransform.h"
#include "script/ScriptManager.h"

#include <lua.hpp>

#include <cstdint>
#include <string>

namespace Velmora::Script {

namespace {

enum class CreateResult { kCreated, kFailed, kNoTransform };

// Builds the entity outside the Lua function's frame, which must hold no C++ object when a
// Lua error unwinds it.
CreateResult CreateEntity(const char* resource, double x, double y, Entity*& entity) {
    entity = Factory::GetInstance().Create(resource, nullptr);
    if (!entity) return CreateResult::kFailed;
    auto* transform = entity->GetComponent<Graphics::ComponentTransform>();
    if (!transform) {
        entity->Destroy();
        return CreateResult::kNoTransform;
    }
    transform->mPosition = Vector2(x, y);
    return CreateResult::kCreated;
}

} // namespace

void ScriptEntity::Register(lua_State* state) {
    ScriptManager::SetTableFunction(state, "Entity", "GetByID", GetById);
    ScriptManager::SetTableFunction(state, "Entity", "CreateAt", CreateAt);
    // The methods live in a table of their own and the metatable is hidden from scripts, so a
    // script cannot give the objects a finaliser or change how they behave.
    luaL_newmetatable(state, kTypeName);
    lua_newtable(state);
    lua_pushcfunction(state, GetId);
    lua_setfield(state, -2, "GetID");
    lua_pushcfunction(state, Destroy);
    lua_setfield(state, -2, "Destroy");
    lua_setfield(state, -2, "__index");
    lua_pushboolean(state, 0);
    lua_setfield(state, -2, "__metatable");
    lua_pop(state, 1);
}

int ScriptEntity::MakeReference(lua_State* state, Entity& entity) {
    auto* id = static_cast<uint32_t*>(lua_newuserdata(state, sizeof(uint32_t)));
    *id = static_cast<uint32_t>(entity.GetId());
    luaL_getmetatable(state, kTypeName);
    lua_setmetatable(state, -2);
    return luaL_ref(state, LUA_REGISTRYINDEX);
}

int ScriptEntity::Push(lua_State* state, Entity& entity) {
    const int reference = entity.GetScriptRef();
    if (reference < 0) return 0;
    lua_rawgeti(state, LUA_REGISTRYINDEX, reference);
    return 1;
}

Entity* ScriptEntity::ToEntity(lua_State* state, int index) {
    const auto* id = static_cast<const uint32_t*>(luaL_checkudata(state, index, kTypeName));
    Entity* entity = EntityManager::GetInstance().FindById(static_cast<int>(*id));
    // A destroyed entity is gone for scripts, though it is deleted only at the end of the frame.
    return entity && !entity->IsDestroyed() ? entity : nullptr;
}

int ScriptEntity::GetById(lua_State* state) {
    const lua_Integer id = luaL_checkinteger(state, 1);
    Entity* entity = EntityManager::GetInstance().FindById(static_cast<int>(id));
    if (!entity || entity->IsDestroyed() || entity->GetId() != id) return 0;
    return Push(state, *entity);
}

int ScriptEntity::CreateAt(lua_State* state) {
    const char* resource = luaL_checkstring(state, 1);
    luaL_argcheck(state, lua_istable(state, 2), 2, "second argument must be a table");
    const double x = luaL_checknumber(state, 3);
    const double y = luaL_checknumber(state, 4);
    Entity* entity = nullptr;
    switch (CreateEntity(resource, x, y, entity)) {
        case CreateResult::kFailed:
            return luaL_error(state, "Failed to create requested entity from resource `%s`", resource);
        case CreateResult::kNoTransform:
            return luaL_error(state, "Entity resource `%s` has no Transform component", resource);
        case CreateResult::kCreated:
            break;
    }
    if (Push(state, *entity) == 0) lua_pushnil(state);
    return 1;
}

int ScriptEntity::GetId(lua_State* state) {
    const Entity* entity = ToEntity(state, 1);
    if (!entity) return 0;
    lua_pushinteger(state, entity->GetId());
    return 1;
}

int ScriptEntity::Destroy(lua_State* state) {
    if (Entity* entity = ToEntity(state, 1)) entity->Destroy();
    return 0;
}

} // namespace Velmora::Script
