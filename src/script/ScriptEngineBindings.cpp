#include "script/ScriptEngineBindings.h"

#include "core/Game.h"
#include "core/LogRecord.h"
#include "graphics/TextureManager.h"
#include "script/ScriptManager.h"

#include <lua.hpp>

#include <algorithm>
#include <string_view>

namespace Velmora::Script {

namespace {

// Kept out of the Lua function's frame: a Lua error there jumps past C++ destructors.
void LogLine(std::string_view text) { VELMORA_LOG("LUA") << text; }

} // namespace

void ScriptEngineBindings::Register(lua_State* state) {
    lua_register(state, "print", Print);
    ScriptManager::SetTableFunction(state, "Engine", "Quit", Quit);
    ScriptManager::SetTableFunction(state, "Engine", "ReloadTextures", ReloadTextures);
    ScriptManager::SetTableFunction(state, "Engine", "DebugLevel", DebugLevel);
}

int ScriptEngineBindings::Print(lua_State* state) {
    const int count = lua_gettop(state);
    luaL_checkstack(state, count + 2, "too many arguments to print");
    lua_getglobal(state, "tostring");
    for (int i = 1; i <= count; ++i) {
        lua_pushvalue(state, count + 1);
        lua_pushvalue(state, i);
        lua_call(state, 1, 1);
        if (!lua_isstring(state, -1)) return luaL_error(state, "'tostring' must return a string to 'print'");
    }
    lua_concat(state, count);
    size_t length = 0;
    const char* text = lua_tolstring(state, -1, &length);
    LogLine(std::string_view(text, length));
    return 0;
}

int ScriptEngineBindings::Quit(lua_State*) {
    Game::GetInstance().Quit();
    return 0;
}

int ScriptEngineBindings::ReloadTextures(lua_State*) {
    Graphics::TextureManager::GetInstance().ReloadAll();
    return 0;
}

int ScriptEngineBindings::DebugLevel(lua_State* state) {
    if (lua_gettop(state) >= 1) {
        const lua_Integer level = lua_tointeger(state, 1);
        LogRecord::sLogLevel = static_cast<int>(std::clamp<lua_Integer>(level, 1, kMaxLogLevel));
    }
    lua_pushinteger(state, LogRecord::sLogLevel);
    return 1;
}

} // namespace Velmora::Script
