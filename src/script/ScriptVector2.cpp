#include "script/ScriptVector2.h"

#include <lua.hpp>

#include <cstdio>

namespace Velmora::Script {

namespace {

struct Pair {
    double x;
    double y;
};

// A field read as a number: a numeric string converts, anything else is 0.
double NumberField(lua_State* state, const char* name) {
    lua_getfield(state, 1, name);
    const double value = lua_tonumber(state, -1);
    lua_pop(state, 1);
    return value;
}

} // namespace

void ScriptVector2::Register(lua_State* state) {
    lua_register(state, "Vector2", Create);
    luaL_newmetatable(state, kTypeName);
    lua_newtable(state);
    lua_pushcfunction(state, Serialize);
    lua_setfield(state, -2, "Serialize");
    lua_setfield(state, -2, "__index");
    lua_pushcfunction(state, Serialize);
    lua_setfield(state, -2, "__tostring");
    // Hidden, as the entity objects' metatable is.
    lua_pushboolean(state, 0);
    lua_setfield(state, -2, "__metatable");
    lua_pop(state, 1);
}

int ScriptVector2::Create(lua_State* state) {
    luaL_argcheck(state, lua_istable(state, 1), 1, "expected a table");
    const double x = NumberField(state, "x");
    const double y = NumberField(state, "y");
    auto* pair = static_cast<Pair*>(lua_newuserdata(state, sizeof(Pair)));
    *pair = {x, y};
    luaL_getmetatable(state, kTypeName);
    lua_setmetatable(state, -2);
    return 1;
}

int ScriptVector2::Serialize(lua_State* state) {
    const auto* pair = static_cast<const Pair*>(luaL_checkudata(state, 1, kTypeName));
    // %g is the default stream format of a double: six significant digits.
    char text[96];
    std::snprintf(text, sizeof text, "Vector2{x=%g, y=%g}", pair->x, pair->y);
    lua_pushstring(state, text);
    return 1;
}

} // namespace Velmora::Script
