#include "game/LevelScriptBindings.h"

#include "core/LogRecord.h"
#include "game/LogicManager.h"
#include "script/ScriptManager.h"
#include "world/Level.h"

#include <lua.hpp>

#include <algorithm>
#include <string>

namespace Velmora::Logic {

namespace {

// The C++ work of each binding happens in these helpers, outside the Lua functions' frames: a
// Lua error unwinds those frames without running C++ destructors.

LevelScriptBindings::VideoPlayer& Player() {
    static LevelScriptBindings::VideoPlayer player;
    return player;
}

void PlayFile(const char* file) {
    if (Player()) {
        Player()(file);
        return;
    }
    VELMORA_LOG("LUA") << "playVideo: no video player is connected; `" << file << "` not played";
}

// A notification is measured and drawn every frame: a script's megabyte of text would stall the
// game for as long as it shows.
constexpr size_t kMaxNotificationLength = 256;

void AddNotification(const char* text, size_t length) {
    LogicManager::GetInstance().AddNotification(std::string(text, std::min(length, kMaxNotificationLength)));
}

bool LoadLevelFrom(const char* folder, const char* name) { return LogicManager::GetInstance().LoadLevel(folder, name); }

int Fail(lua_State* state, const char* reason) {
    lua_pushboolean(state, 0);
    lua_pushstring(state, reason);
    return 2;
}

} // namespace

void LevelScriptBindings::Register(lua_State* state) {
    lua_register(state, "notify", Notify);
    lua_register(state, "clearNotifications", ClearNotifications);
    lua_register(state, "openDoor", OpenDoor);
    lua_register(state, "closeDoor", CloseDoor);
    lua_register(state, "playVideo", PlayVideo);
    Script::ScriptManager::SetTableFunction(state, "Engine", "LoadLevel", LoadLevel);
}

void LevelScriptBindings::SetVideoPlayer(VideoPlayer player) { Player() = std::move(player); }

int LevelScriptBindings::Notify(lua_State* state) {
    size_t length = 0;
    const char* text = luaL_checklstring(state, 1, &length);
    AddNotification(text, length);
    return 0;
}

int LevelScriptBindings::ClearNotifications(lua_State*) {
    LogicManager::GetInstance().ClearNotifications();
    return 0;
}

int LevelScriptBindings::OpenDoor(lua_State* state) { return ChangeDoor(state, true); }

int LevelScriptBindings::CloseDoor(lua_State* state) { return ChangeDoor(state, false); }

int LevelScriptBindings::ChangeDoor(lua_State* state, bool open) {
    const lua_Integer x = luaL_checkinteger(state, 1);
    const lua_Integer y = luaL_checkinteger(state, 2);
    Level* level = LogicManager::GetInstance().GetLevel();
    if (!level) return Fail(state, "no level loaded");
    if (x < 0 || y < 0 || x >= level->GetWidth() || y >= level->GetHeight()) return Fail(state, "invalid position");
    const int cellX = static_cast<int>(x);
    const int cellY = static_cast<int>(y);
    if (open ? level->OpenDoor(cellX, cellY) : level->CloseDoor(cellX, cellY)) {
        lua_pushboolean(state, 1);
        return 1;
    }
    return Fail(state, open ? "not a closed door" : "not an open door");
}

int LevelScriptBindings::PlayVideo(lua_State* state) {
    PlayFile(luaL_checkstring(state, 1));
    return 0;
}

int LevelScriptBindings::LoadLevel(lua_State* state) {
    const char* folder = luaL_checkstring(state, 1);
    const char* name = luaL_checkstring(state, 2);
    lua_pushinteger(state, LoadLevelFrom(folder, name) ? 1 : 0);
    return 1;
}

} // namespace Velmora::Logic
