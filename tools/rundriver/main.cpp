// rundriver ROOT CAMPAIGN OUT_DIR: plays the campaign's levels in order with the scripted Driver,
// headless and deterministic, and writes each level's run to OUT_DIR/LEVEL.vrun. The gun the
// player ends a level with is carried into the next, as in the game. Exits 1 when a level is not
// won (nothing is written for it).
#include "Driver.h"

#include "core/Game.h"
#include "core/LogRecord.h"
#include "game/LogicManager.h"
#include "replay/ContentHash.h"
#include "replay/RunPlayer.h"
#include "replay/StateHash.h"

#include <cstdio>
#include <string>

namespace {

constexpr uint32_t kMaxTicks = 60 * 60 * 5; // five minutes of play per level at most

bool RecordLevel(const std::string& campaign, const std::string& level, const std::string& outDir,
                 Velmora::Logic::GunType& gun) {
    using namespace Velmora::Replay;
    RunFile run;
    run.mHeader.mCampaign = campaign;
    run.mHeader.mLevel = level;
    run.mHeader.mGun = gun;
    run.mHeader.mContentHash = ContentHash(campaign, level);
    Velmora::Tools::Driver driver(kMaxTicks);
    const RunOutcome outcome = RunPlayer::Play(
        run.mHeader, [&driver](Velmora::Logic::TickInput& input) { return driver.Next(input); }, &run);
    if (!outcome.mPlayed || outcome.mResult != RunResult::kWon) {
        std::fprintf(stderr, "%s/%s: not won (%s) after %u ticks %s\n", campaign.c_str(), level.c_str(),
                     RunResultName(outcome.mResult), outcome.mTicks, outcome.mError.c_str());
        return false;
    }
    run.mHeader.mResult = outcome.mResult;
    run.mHeader.mFinalHash = outcome.mHash;
    const std::string path = outDir + "/" + level + ".vrun";
    if (!run.Save(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s: won in %u ticks, hash %s\n", path.c_str(), outcome.mTicks, HashText(outcome.mHash).c_str());
    gun = driver.GetGun();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: rundriver ROOT CAMPAIGN OUT_DIR\n");
        return 2;
    }
    Velmora::LogRecord::SetCriticalHandler([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    Velmora::Game::GetInstance().SetRootPath(argv[1]);
    std::string error;
    if (!Velmora::Replay::RunPlayer::Prepare(error)) {
        std::fprintf(stderr, "rundriver: %s\n", error.c_str());
        return 2;
    }
    Velmora::Logic::LogicManager& logic = Velmora::Logic::LogicManager::GetInstance();
    if (!logic.LoadCampaign(argv[2])) {
        std::fprintf(stderr, "rundriver: no campaign %s\n", argv[2]);
        return 2;
    }
    const std::vector<std::string> levels = logic.GetLevelNames();
    Velmora::Logic::GunType gun = Velmora::Logic::kGunNone;
    for (const std::string& level : levels) {
        if (!RecordLevel(argv[2], level, argv[3], gun)) return 1;
    }
    return 0;
}
