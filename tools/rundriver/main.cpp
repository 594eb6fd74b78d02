// rundriver ROOT CAMPAIGN OUT_DIR: plays the campaign's levels in order with the scripted Driver,
// headless and deterministic, and writes each level's run to OUT_DIR/LEVEL.vrun. A level with a
// plan file (ROOT/tools/rundriver/plans/CAMPAIGN/LEVEL.plan, see PlanFile.h) is played by its
// plan. The gun the player ends a level with is carried into the next, as in the game. Exits 1
// when a level is not won (nothing is written for it) or its plan cannot be read.
#include "Driver.h"
#include "PlanFile.h"

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

// Reads the level's plan, ROOT/tools/rundriver/plans/CAMPAIGN/LEVEL.plan, when there is one;
// false (with the file, line and reason on stderr) when it has a line that cannot be read.
bool ReadPlan(const std::string& root, const std::string& campaign, const std::string& level,
              std::vector<Velmora::Tools::PlanStep>& steps, std::string& path) {
    path = root + "/tools/rundriver/plans/" + campaign + "/" + level + ".plan";
    Velmora::Tools::PlanFile plan;
    std::string error;
    steps.clear();
    if (plan.Read(path, error)) {
        steps = plan.GetSteps();
    } else if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}

bool RecordLevel(const std::string& root, const std::string& campaign, const std::string& level,
                 const std::string& outDir, Velmora::Logic::GunType& gun) {
    using namespace Velmora::Replay;
    RunFile run;
    run.mHeader.mCampaign = campaign;
    run.mHeader.mLevel = level;
    run.mHeader.mGun = gun;
    run.mHeader.mContentHash = ContentHash(campaign, level);
    std::vector<Velmora::Tools::PlanStep> plan;
    std::string planPath;
    if (!ReadPlan(root, campaign, level, plan, planPath)) return false;
    Velmora::Tools::Driver driver(kMaxTicks, std::move(plan), planPath);
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
        if (!RecordLevel(argv[1], argv[2], level, argv[3], gun)) return 1;
    }
    return 0;
}
