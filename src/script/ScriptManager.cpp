#include "script/ScriptManager.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/LogRecord.h"
#include "script/ScriptEngineBindings.h"
#include "script/ScriptEntity.h"
#include "script/ScriptSandbox.h"
#include "script/ScriptVector2.h"

#include <lua.hpp>

#include <cstdio>

namespace Velmora::Script {

namespace {

// The message a failed load or call left on top of the stack, popped. Only strings are read
// in place: converting a number would allocate outside any protected call.
std::string TakeMessage(lua_State* state) {
    std::string message;
    if (lua_type(state, -1) == LUA_TSTRING) {
        size_t length = 0;
        const char* text = lua_tolstring(state, -1, &length);
        message.assign(text, length);
    } else if (lua_type(state, -1) == LUA_TNUMBER) {
        char text[64];
        std::snprintf(text, sizeof text, "%.14g", lua_tonumber(state, -1));
        message = text;
    } else {
        message = std::string("(error object is a ") + luaL_typename(state, -1) + " value)";
    }
    lua_pop(state, 1);
    return message;
}

struct CompileJob {
    std::string_view mSource;
    const char* mChunkName;
    int mStatus = 0;
    int mReference = LUA_NOREF;
};

// Compiles and keeps the result (the function, or the error message) in the registry, all
// inside one protected call: making the reference may need memory the ceiling refuses.
int CompileProtected(lua_State* state) {
    auto* job = static_cast<CompileJob*>(lua_touserdata(state, 1));
    job->mStatus = ScriptSandbox::LoadText(state, job->mSource.data(), job->mSource.size(), job->mChunkName);
    job->mReference = luaL_ref(state, LUA_REGISTRYINDEX);
    return 0;
}

} // namespace

ScriptManager& ScriptManager::GetInstance() {
    static ScriptManager* instance = new ScriptManager(); // lives to process exit, like every system
    return *instance;
}

ScriptManager::~ScriptManager() { Close(); }

void ScriptManager::Initialize() { Open(); }

void ScriptManager::Deinitialize() { Close(); }

lua_State* ScriptManager::GetState() {
    if (!mState) Open();
    return mState;
}

void ScriptManager::Open() {
    if (mState) return;
    lua_State* state = lua_newstate(ScriptBudget::Allocate, &mBudget);
    if (!state) {
        VELMORA_FATAL << "Failed to initialize Lua";
        return;
    }
    lua_atpanic(state, Panic);
    mBudget.Install(state);
    mState = state;
    ++mGeneration;
    if (lua_cpcall(state, SetUp, this) != 0) {
        const std::string message = TakeMessage(state);
        Close();
        VELMORA_FATAL << "Failed to initialize Lua: " << message;
        return;
    }
    for (const auto& [key, binder] : mBinders) RunBinder(binder);
    EntityManager::GetInstance().SetScriptHooks(
        [this](Entity& entity) { return mState ? ScriptEntity::MakeReference(mState, entity) : Entity::kNoScriptRef; },
        [this](int reference) { ReleaseReference(reference, mGeneration); });
}

int ScriptManager::SetUp(lua_State* state) {
    ScriptSandbox::Open(state);
    ScriptEngineBindings::Register(state);
    ScriptEntity::Register(state);
    ScriptVector2::Register(state);
    return 0;
}

void ScriptManager::Close() {
    if (!mState) return;
    EntityManager& entities = EntityManager::GetInstance();
    entities.SetScriptHooks(nullptr, nullptr);
    entities.ForgetScriptRefs();
    lua_close(mState);
    mState = nullptr;
}

int ScriptManager::Panic(lua_State* state) {
    const char* message = lua_tostring(state, -1);
    VELMORA_FATAL << "Lua: unprotected error: " << (message ? message : "?");
    return 0;
}

void ScriptManager::AddBindings(const std::string& key, Binder binder) {
    for (auto& [existing, registered] : mBinders) {
        if (existing == key) {
            registered = std::move(binder);
            if (mState) RunBinder(registered);
            return;
        }
    }
    mBinders.emplace_back(key, std::move(binder));
    if (mState) RunBinder(mBinders.back().second);
}

void ScriptManager::RunBinder(const Binder& binder) {
    if (!binder) return;
    if (lua_cpcall(mState, RunBinderProtected, const_cast<Binder*>(&binder)) != 0) {
        VELMORA_LOG("LUA") << "Failed to register script functions: " << TakeMessage(mState);
    }
}

int ScriptManager::RunBinderProtected(lua_State* state) {
    const auto* binder = static_cast<const Binder*>(lua_touserdata(state, 1));
    (*binder)(state);
    return 0;
}

void ScriptManager::SetTableFunction(lua_State* state, const char* table, const char* name,
                                     int (*function)(lua_State*)) {
    lua_getglobal(state, table);
    if (!lua_istable(state, -1)) {
        lua_pop(state, 1);
        lua_newtable(state);
        lua_pushvalue(state, -1);
        lua_setglobal(state, table);
    }
    lua_pushcfunction(state, function);
    lua_setfield(state, -2, name);
    lua_pop(state, 1);
}

void ScriptManager::Execute(std::string_view text) {
    if (!GetState()) return;
    std::string error;
    // The text is its own chunk name, as Lua's stand-alone interpreter names a line it is given.
    const std::string name(text.substr(0, text.find('\0')));
    if (!LoadChunk(text, name.c_str(), error)) {
        VELMORA_LOG("LUA") << "Parse error: " << error;
        return;
    }
    if (!RunLoadedChunk(error)) VELMORA_LOG("LUA") << "Runtime error: " << error;
}

bool ScriptManager::LoadChunk(std::string_view text, const char* chunkName, std::string& error) {
    if (ScriptSandbox::LoadText(mState, text.data(), text.size(), chunkName) == 0) return true;
    error = TakeMessage(mState);
    return false;
}

bool ScriptManager::RunLoadedChunk(std::string& error) {
    mBudget.Begin();
    const int status = lua_pcall(mState, 0, 0, 0);
    mBudget.End();
    if (status == 0) return true;
    error = TakeMessage(mState);
    // Whatever the failed chunk built is garbage now; give its memory back at once.
    if (status == LUA_ERRMEM) lua_gc(mState, LUA_GCCOLLECT, 0);
    return false;
}

ScriptFunction ScriptManager::Compile(std::string_view source, const char* chunkName, std::string& error) {
    if (!GetState()) {
        error = "no script state";
        return {};
    }
    CompileJob job{source, chunkName};
    if (lua_cpcall(mState, CompileProtected, &job) != 0) {
        error = TakeMessage(mState);
        return {};
    }
    if (job.mStatus == 0) return ScriptFunction(job.mReference, mGeneration);
    lua_rawgeti(mState, LUA_REGISTRYINDEX, job.mReference);
    luaL_unref(mState, LUA_REGISTRYINDEX, job.mReference);
    error = TakeMessage(mState);
    return {};
}

bool ScriptManager::Call(const ScriptFunction& function, std::string& error) {
    if (!mState || !function.IsValid() || function.GetGeneration() != mGeneration) {
        error = "the function belongs to a script state that has been closed";
        return false;
    }
    lua_rawgeti(mState, LUA_REGISTRYINDEX, function.GetReference());
    return RunLoadedChunk(error);
}

void ScriptManager::ReleaseReference(int reference, unsigned generation) {
    if (!mState || generation != mGeneration || reference < 0) return;
    luaL_unref(mState, LUA_REGISTRYINDEX, reference);
}

} // namespace Velmora::Script
