#include "script/ScriptSandbox.h"

#include "script/ScriptBudget.h"

#include <lua.hpp>

#include <iterator>

namespace Velmora::Script {

namespace {

// Globals of the base library a shared level must not have: files, and newproxy, whose
// userdata can carry a finaliser that would run outside every budget.
const char* const kRemovedGlobals[] = {"dofile", "loadfile", "newproxy"};
// Of os only the clock remains: no programs, files, environment, exit or process-wide locale.
const char* const kRemovedOs[] = {"execute", "exit", "getenv", "remove", "rename", "setlocale", "tmpname"};

void OpenLibrary(lua_State* state, lua_CFunction open, const char* name) {
    lua_pushcfunction(state, open);
    lua_pushstring(state, name);
    lua_call(state, 1, 0);
}

void ClearFields(lua_State* state, const char* table, const char* const* names, size_t count) {
    lua_getglobal(state, table);
    for (size_t i = 0; i < count; ++i) {
        lua_pushnil(state);
        lua_setfield(state, -2, names[i]);
    }
    lua_pop(state, 1);
}

} // namespace

void ScriptSandbox::Open(lua_State* state) {
    OpenLibrary(state, luaopen_base, "");
    OpenLibrary(state, luaopen_table, LUA_TABLIBNAME);
    OpenLibrary(state, luaopen_string, LUA_STRLIBNAME);
    OpenLibrary(state, luaopen_math, LUA_MATHLIBNAME);
    OpenLibrary(state, luaopen_os, LUA_OSLIBNAME);
    ClearFields(state, "_G", kRemovedGlobals, std::size(kRemovedGlobals));
    ClearFields(state, LUA_OSLIBNAME, kRemovedOs, std::size(kRemovedOs));
    const char* const dump[] = {"dump"};
    ClearFields(state, LUA_STRLIBNAME, dump, 1);
    lua_register(state, "loadstring", SafeLoadString);
    lua_register(state, "load", SafeLoad);
    lua_getglobal(state, LUA_STRLIBNAME);
    lua_pushcfunction(state, SafeRep);
    lua_setfield(state, -2, "rep");
    lua_pop(state, 1);
}

int ScriptSandbox::LoadText(lua_State* state, const char* text, size_t size, const char* chunkName) {
    if (size > 0 && text[0] == LUA_SIGNATURE[0]) {
        lua_pushliteral(state, "precompiled chunks are not accepted");
        return LUA_ERRSYNTAX;
    }
    return luaL_loadbuffer(state, text, size, chunkName);
}

int ScriptSandbox::PushLoadResult(lua_State* state, const char* text, size_t size, const char* chunkName) {
    if (LoadText(state, text, size, chunkName) == 0) return 1;
    lua_pushnil(state);
    lua_insert(state, -2);
    return 2; // nil and the message, as the standard loaders answer
}

int ScriptSandbox::SafeLoadString(lua_State* state) {
    size_t size = 0;
    const char* text = luaL_checklstring(state, 1, &size);
    const char* chunkName = luaL_optstring(state, 2, text);
    return PushLoadResult(state, text, size, chunkName);
}

int ScriptSandbox::SafeLoad(lua_State* state) {
    luaL_checktype(state, 1, LUA_TFUNCTION);
    const char* chunkName = luaL_optstring(state, 2, "=(load)");
    lua_settop(state, 2);
    luaL_Buffer buffer;
    luaL_buffinit(state, &buffer);
    for (;;) {
        lua_pushvalue(state, 1);
        lua_call(state, 0, 1);
        if (lua_isnil(state, -1) || (lua_isstring(state, -1) && lua_objlen(state, -1) == 0)) {
            lua_pop(state, 1);
            break;
        }
        if (!lua_isstring(state, -1)) return luaL_error(state, "reader function must return a string");
        luaL_addvalue(&buffer);
    }
    luaL_pushresult(&buffer);
    size_t size = 0;
    const char* text = lua_tolstring(state, -1, &size);
    return PushLoadResult(state, text, size, chunkName);
}

int ScriptSandbox::SafeRep(lua_State* state) {
    size_t size = 0;
    const char* text = luaL_checklstring(state, 1, &size);
    lua_Integer count = luaL_checkinteger(state, 2);
    // An empty text repeated a huge number of times would loop in C, out of the budget's reach.
    if (count <= 0 || size == 0) {
        lua_pushliteral(state, "");
        return 1;
    }
    if (static_cast<size_t>(count) > ScriptBudget::Of(state).mMemoryLimit / size) {
        return luaL_error(state, "resulting string too large");
    }
    luaL_Buffer buffer;
    luaL_buffinit(state, &buffer);
    while (count-- > 0) luaL_addlstring(&buffer, text, size);
    luaL_pushresult(&buffer);
    return 1;
}

} // namespace Velmora::Script
