#pragma once

#include <cstddef>

struct lua_State;
struct lua_Debug;

namespace Velmora::Script {

/// The limits a Lua state runs under: a memory ceiling enforced by its allocator and an
/// instruction budget enforced by a count hook. Level files are shared between players, so a
/// script must never be able to take the machine's memory or freeze the game; either overrun
/// ends the running chunk with a Lua error, which the caller's protected call reports.
///
/// The budget is the allocator's user data: create the state with lua_newstate(Allocate, this)
/// and call Install once; the object must outlive the state.
class ScriptBudget {
public:
    /// Bytes the state may hold at once.
    static constexpr size_t kDefaultMemoryLimit = 64u << 20;
    /// Lua VM instructions one chunk (a trigger callback, a console line) may run.
    static constexpr long kDefaultInstructionLimit = 10'000'000;
    /// Instructions between two looks at the budget.
    static constexpr int kHookInterval = 1000;

    /// The allocator of the state: refuses any growth beyond the memory limit (shrinking and
    /// freeing always succeed, as Lua requires).
    static void* Allocate(void* budget, void* block, size_t oldSize, size_t newSize);
    /// The budget of a state created with Allocate.
    static ScriptBudget& Of(lua_State* state);

    /// Puts the count hook on the state's main thread (coroutines inherit it).
    void Install(lua_State* state);
    /// Starts a budget of mInstructionLimit for a chunk. Nested starts share the outer budget.
    void Begin();
    /// Ends the chunk started by the matching Begin.
    void End();
    /// True between the outermost Begin and its End.
    bool IsActive() const { return mDepth > 0; }

    /// Bytes the state holds now.
    size_t GetUsedBytes() const { return mUsedBytes; }

    size_t mMemoryLimit = kDefaultMemoryLimit;
    long mInstructionLimit = kDefaultInstructionLimit;

private:
    static void Hook(lua_State* state, lua_Debug* debug);
    void Charge(lua_State* state);

    lua_State* mMainThread = nullptr;
    size_t mUsedBytes = 0;
    long mRemaining = 0;
    int mDepth = 0;
};

} // namespace Velmora::Script
