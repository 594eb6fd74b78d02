#pragma once

struct lua_State;

namespace Velmora::Script {

/// The global `print`, which writes one log line on "LUA", and the engine's own part of the
/// `Engine` table: Quit, ReloadTextures and DebugLevel.
class ScriptEngineBindings {
public:
    /// Registers them in the state's globals; call inside a protected call.
    static void Register(lua_State* state);

    /// The most a log level can be set to from a script; the least is 1.
    static constexpr int kMaxLogLevel = 9;

private:
    static int Print(lua_State* state);
    static int Quit(lua_State* state);
    static int ReloadTextures(lua_State* state);
    static int DebugLevel(lua_State* state);
};

} // namespace Velmora::Script
