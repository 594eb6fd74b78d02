#pragma once

#include <cstddef>

struct lua_State;

namespace Velmora::Script {

/// The libraries a level script gets. Level files are downloaded and shared, so their scripts
/// may compute, format text and read the clock, and nothing more: base (without dofile,
/// loadfile and newproxy; load and loadstring take source text only), string (without dump;
/// rep refuses results beyond the memory ceiling), table, math, and os.clock, os.date,
/// os.difftime and os.time. Not opened: io, package (so no require), debug.
class ScriptSandbox {
public:
    /// Opens the libraries above in the state's globals. Call inside a protected call.
    static void Open(lua_State* state);
    /// Compiles Lua source text onto the stack like luaL_loadbuffer (status 0 and the function,
    /// or an error status and the message), but refuses precompiled chunks: bytecode is not
    /// checked by Lua 5.1 and could break out of the interpreter.
    static int LoadText(lua_State* state, const char* text, size_t size, const char* chunkName);

private:
    static int SafeLoadString(lua_State* state);
    static int SafeLoad(lua_State* state);
    static int SafeRep(lua_State* state);
    static int PushLoadResult(lua_State* state, const char* text, size_t size, const char* chunkName);
};

} // namespace Velmora::Script
