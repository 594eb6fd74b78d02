#include "script/ScriptBudget.h"

#include <lua.hpp>

#include <cstdlib>

namespace Velmora::Script {

void* ScriptBudget::Allocate(void* budget, void* block, size_t oldSize, size_t newSize) {
    auto* self = static_cast<ScriptBudget*>(budget);
    if (newSize == 0) {
        std::free(block);
        self->mUsedBytes -= oldSize;
        return nullptr;
    }
    // Lua passes the old size as 0 for a new block, so this is the growth in every case.
    if (newSize > oldSize && self->mUsedBytes - oldSize + newSize > self->mMemoryLimit) return nullptr;
    void* moved = std::realloc(block, newSize);
    if (!moved) return nullptr;
    self->mUsedBytes = self->mUsedBytes - oldSize + newSize;
    return moved;
}

ScriptBudget& ScriptBudget::Of(lua_State* state) {
    void* budget = nullptr;
    lua_getallocf(state, &budget);
    return *static_cast<ScriptBudget*>(budget);
}

void ScriptBudget::Install(lua_State* state) {
    mMainThread = state;
    lua_sethook(state, Hook, LUA_MASKCOUNT, kHookInterval);
}

void ScriptBudget::Begin() {
    if (mDepth++ > 0) return;
    mRemaining = mInstructionLimit;
    // Setting the hook again also restarts its count and undoes the every-instruction hook
    // that an earlier overrun left.
    if (mMainThread) lua_sethook(mMainThread, Hook, LUA_MASKCOUNT, kHookInterval);
}

void ScriptBudget::End() {
    if (mDepth > 0) --mDepth;
}

void ScriptBudget::Hook(lua_State* state, lua_Debug*) { Of(state).Charge(state); }

void ScriptBudget::Charge(lua_State* state) {
    if (!IsActive()) return;
    mRemaining -= lua_gethookcount(state);
    if (mRemaining > 0) {
        // A coroutine made during an overrun still looks at every instruction.
        if (lua_gethookcount(state) != kHookInterval) lua_sethook(state, Hook, LUA_MASKCOUNT, kHookInterval);
        return;
    }
    // From now on every instruction fails, on this thread and the main one: a script that
    // catches the error with pcall cannot loop on, because the code around its pcall fails too.
    lua_sethook(state, Hook, LUA_MASKCOUNT, 1);
    if (mMainThread && mMainThread != state) lua_sethook(mMainThread, Hook, LUA_MASKCOUNT, 1);
    luaL_error(state, "instruction budget of %d exceeded", static_cast<int>(mInstructionLimit));
}

} // namespace Velmora::Script
