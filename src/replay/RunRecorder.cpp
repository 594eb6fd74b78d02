#include "replay/RunRecorder.h"

#include "core/LogRecord.h"
#include "core/Path.h"
#include "core/UserFiles.h"
#include "game/LogicManager.h"
#include "replay/ContentHash.h"
#include "replay/StateHash.h"
#include "screens/PlayScreen.h"
#include "script/ScriptManager.h"

#include <lua.hpp>

namespace Velmora::Replay {

RunRecorder& RunRecorder::GetInstance() {
    static RunRecorder recorder;
    return recorder;
}

void RunRecorder::Connect() {
    Logic::TickHooks& hooks = Logic::PlayScreen::Hooks();
    hooks.mLevelBegun = [this](const std::string& campaign, const std::string& level, Logic::GunType gun) {
        OnLevelBegun(campaign, level, gun);
    };
    hooks.mObserve = [this](const Logic::TickInput& input) { OnTick(input); };
    hooks.mLevelEnded = [this](Logic::PlayState state) {
        mEnded = state == Logic::kWon ? RunResult::kWon : RunResult::kLost;
    };
    hooks.mTickDone = [this] { OnTickDone(); };
}

std::string RunRecorder::LastRunPath(const std::string& campaign, const std::string& level) {
    const std::string folder = UserDataFolder();
    if (folder.empty() || !IsPlainFileStem(campaign) || !IsPlainFileStem(level)) return {};
    return JoinPath(JoinPath(JoinPath(folder, "runs"), campaign), level + ".vrun");
}

void RunRecorder::OnLevelBegun(const std::string& campaign, const std::string& level, Logic::GunType gun) {
    if (mRun) Finish(RunResult::kUnfinished);
    mEnded.reset();
    // A campaign outside the data folder (a path) cannot be named by a run.
    if (!IsPlainFileStem(campaign) || !IsPlainFileStem(level)) return;
    const Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    mRun.emplace();
    RunHeader& header = mRun->mHeader;
    header.mCampaign = campaign;
    header.mLevel = level;
    header.mSeed = logic.mLevelSeed;
    header.mContentHash = ContentHash(campaign, level);
    header.mTicksPerSecond = static_cast<uint32_t>(std::max(logic.mTimeIncrement.Get(), 1));
    header.mGun = gun;
}

void RunRecorder::OnTick(const Logic::TickInput& input) {
    if (!mRun) return;
    if (mRun->GetTickCount() >= RunFile::kMaxTicks) {
        VELMORA_LOG("REPLAY") << "Run of `" << mRun->mHeader.mLevel << "` too long to record; dropped";
        mRun.reset();
        return;
    }
    mRun->Append(input);
}

void RunRecorder::OnTickDone() {
    if (!mEnded) return;
    const RunResult result = *mEnded;
    mEnded.reset();
    if (mRun) Finish(result);
}

void RunRecorder::Finish(RunResult result) {
    RunFile run = std::move(*mRun);
    mRun.reset();
    run.mHeader.mResult = result;
    run.mHeader.mFinalHash = StateHash(result);
    for (const std::string& path : {LastRunPath(run.mHeader.mCampaign, run.mHeader.mLevel), mTarget}) {
        if (path.empty()) continue;
        if (run.Save(path)) {
            VELMORA_LOG("REPLAY") << "Recorded " << RunResultName(result) << " run of `" << run.mHeader.mLevel << "`, "
                                  << run.GetTickCount() << " ticks, hash " << HashText(run.mHeader.mFinalHash) << ": "
                                  << path;
        } else {
            VELMORA_LOG("REPLAY") << "Could not write the run to " << path;
        }
    }
}

void RunRecorder::RegisterBindings(lua_State* state) {
    Script::ScriptManager::SetTableFunction(state, "Engine", "Record", ScriptRecord);
}

int RunRecorder::ScriptRecord(lua_State* state) {
    RunRecorder& recorder = GetInstance();
    if (lua_gettop(state) < 1 || lua_isnil(state, 1)) {
        recorder.SetTarget({});
        lua_pushboolean(state, 1);
        return 1;
    }
    const char* name = lua_tostring(state, 1);
    const std::string folder = UserDataFolder();
    const bool accepted = name && IsPlainFileStem(name) && !folder.empty();
    if (accepted) recorder.SetTarget(JoinPath(JoinPath(folder, "runs"), std::string(name) + ".vrun"));
    lua_pushboolean(state, accepted ? 1 : 0);
    return 1;
}

} // namespace Velmora::Replay
