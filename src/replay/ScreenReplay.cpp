#include "replay/ScreenReplay.h"

#include "core/Game.h"
#include "core/GameScreen.h"
#include "core/LogRecord.h"
#include "game/LogicManager.h"
#include "replay/ContentHash.h"
#include "replay/RunFile.h"
#include "replay/StateHash.h"
#include "screens/PlayScreen.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace Velmora::Replay {

namespace {

// The run being shown and where it stands; lives to the end of the process with the hooks.
struct Showing {
    explicit Showing(RunFile file) : mRun(std::move(file)), mCursor(mRun) {}
    RunFile mRun;
    RunCursor mCursor;
    uint32_t mTicks = 0;
    bool mReported = false;
};

void Report(Showing& showing, RunResult result) {
    if (showing.mReported) return;
    showing.mReported = true;
    VELMORA_LOG("REPLAY") << "Replay of `" << showing.mRun.mHeader.mLevel << "`: " << RunResultName(result) << " after "
                          << showing.mTicks << " ticks, hash " << HashText(StateHash(result))
                          << " (recorded: " << RunResultName(showing.mRun.mHeader.mResult) << ", hash "
                          << HashText(showing.mRun.mHeader.mFinalHash) << ")";
}

void Connect(const std::shared_ptr<Showing>& showing) {
    Logic::TickHooks& hooks = Logic::PlayScreen::Hooks();
    hooks = Logic::TickHooks();
    auto ended = std::make_shared<std::optional<RunResult>>();
    hooks.mSupply = [showing](Logic::TickInput& input) {
        if (showing->mCursor.Next(input)) {
            ++showing->mTicks;
            return true;
        }
        Report(*showing, RunResult::kUnfinished);
        return false;
    };
    hooks.mLevelEnded = [ended](Logic::PlayState state) {
        *ended = state == Logic::kWon ? RunResult::kWon : RunResult::kLost;
    };
    hooks.mTickDone = [showing, ended] {
        if (*ended) Report(*showing, **ended);
    };
}

} // namespace

bool ScreenReplay::Start(const std::string& path, std::string& error) {
    RunFile run;
    if (!run.Load(path, error)) return false;
    const RunHeader& header = run.mHeader;
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    if (!logic.LoadCampaign(header.mCampaign)) return (error = "no campaign `" + header.mCampaign + "`"), false;
    const std::vector<std::string>& names = logic.GetLevelNames();
    if (std::find(names.begin(), names.end(), header.mLevel) == names.end()) {
        error = "campaign `" + header.mCampaign + "` has no level `" + header.mLevel + "`";
        return false;
    }
    const uint64_t content = ContentHash(header.mCampaign, header.mLevel);
    if (content != header.mContentHash) {
        error = "recorded against other content (run " + HashText(header.mContentHash) + ", game " + HashText(content) +
            ")";
        return false;
    }
    logic.mLevelSeed = header.mSeed;
    logic.mTimeIncrement = static_cast<int>(header.mTicksPerSecond);
    // The run's level takes the intro's place: it starts as soon as the preloader is done.
    Logic::LogicManager::ScreenMakers makers = logic.GetScreenMakers();
    makers.mIntro = [level = header.mLevel, gun = header.mGun](Game& game) -> GameScreen* {
        auto* play = new Logic::PlayScreen(game);
        play->StartAt(level, gun);
        return play;
    };
    logic.SetScreenMakers(std::move(makers));
    Connect(std::make_shared<Showing>(std::move(run)));
    VELMORA_LOG("REPLAY") << "Replaying " << path;
    return true;
}

} // namespace Velmora::Replay
