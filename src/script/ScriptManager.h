#pragma once

#include "core/ISystem.h"
#include "script/ScriptBudget.h"
#include "script/ScriptFunction.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct lua_State;

namespace Velmora::Script {

/// Owns the program's one Lua 5.1 state, in which level trigger callbacks and console lines
/// run. The state is a sandbox: the base, string, table and math libraries and the harmless part
/// of os (clock, date, difftime, time); no io, no package loading, no way to run programs,
/// touch files or load native or precompiled code (ScriptSandbox). Every chunk runs under the
/// instruction budget and the whole state under the memory ceiling of ScriptBudget.
///
/// Besides the sandbox the state offers the replaced `print` (one "LUA" log line), the `Engine`
/// table (Quit, ReloadTextures, DebugLevel; the layers above add Console and LoadLevel), the
/// `Entity` table with its object type and the `Vector2` value type; the game adds the level
/// scripting globals through AddBindings.
///
/// The state opens on first use (or in Initialize) and closes in Deinitialize. Main thread only.
class ScriptManager : public ISystem {
public:
    /// Registers functions in a freshly opened state; runs inside a protected call.
    using Binder = std::function<void(lua_State* state)>;

    /// The game's script manager, created on first use, never deleted.
    static ScriptManager& GetInstance();
    ScriptManager() = default;
    ~ScriptManager() override;
    ScriptManager(const ScriptManager&) = delete;
    ScriptManager& operator=(const ScriptManager&) = delete;

    /// Opens the state. A state that cannot be created or set up is a fatal error ("Failed to
    /// initialize Lua").
    void Initialize() override;
    /// Closes the state; the entities forget their script objects and every ScriptFunction of
    /// the old state is forgotten.
    void Deinitialize() override;

    /// The state, opened first if it is closed.
    lua_State* GetState();
    /// True while a state is open.
    bool IsOpen() const { return mState != nullptr; }
    /// Counts the states opened so far; a reference belongs to the generation it was made in.
    unsigned GetGeneration() const { return mGeneration; }

    /// Runs a chunk of Lua source under the instruction budget. A chunk that does not compile
    /// logs "Parse error: " and Lua's message on "LUA", one that fails while running logs
    /// "Runtime error: " and the message; the state stays usable either way.
    void Execute(std::string_view text);
    /// Compiles source into a function kept in the registry. chunkName is Lua's chunk name
    /// ("=name" is shown as is). On failure the result is empty and error holds Lua's message.
    ScriptFunction Compile(std::string_view source, const char* chunkName, std::string& error);
    /// Calls a compiled function with no arguments under the instruction budget. False with
    /// Lua's message in error when it fails (or belongs to a state closed since).
    bool Call(const ScriptFunction& function, std::string& error);

    /// Adds (or, under a key already used, replaces) functions registered in every state opened
    /// from now on; when a state is open they are registered in it at once.
    void AddBindings(const std::string& key, Binder binder);
    /// Releases a registry reference made in the state of that generation; nothing when that
    /// state has been closed.
    void ReleaseReference(int reference, unsigned generation);

    /// The state's limits. Change them only while no chunk runs.
    ScriptBudget& GetBudget() { return mBudget; }

    /// For binders: sets table.name to a C function, making the global table when missing.
    static void SetTableFunction(lua_State* state, const char* table, const char* name, int (*function)(lua_State*));

private:
    void Open();
    void Close();
    void RunBinder(const Binder& binder);
    bool LoadChunk(std::string_view text, const char* chunkName, std::string& error);
    bool RunLoadedChunk(std::string& error);
    static int SetUp(lua_State* state);
    static int RunBinderProtected(lua_State* state);
    static int Panic(lua_State* state);

    lua_State* mState = nullptr;
    ScriptBudget mBudget;
    std::vector<std::pair<std::string, Binder>> mBinders;
    unsigned mGeneration = 0;
};

} // namespace Velmora::Script
