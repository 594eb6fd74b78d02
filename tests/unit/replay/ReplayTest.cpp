// Recorded runs played headless through the game's own play screen: the same inputs give the
// same state after every tick, a recording replays to its own result and hash, and a level made
// unwinnable (its exit walled off, in a copy of the content) fails a shipped run. That the
// shipped runs win is checked by the `shipped_runs` test (velmora --verify).
#include "core/Game.h"
#include "core/UserFiles.h"
#include "replay/RunPlayer.h"
#include "replay/RunRecorder.h"
#include "replay/RunVerifier.h"
#include "screens/PlayScreen.h"
#include "script/ScriptManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace Velmora::Replay {
namespace {

namespace fs = std::filesystem;

class ReplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        mSavedRoot = Game::GetInstance().GetRootPath();
        mSavedSystems = Game::GetInstance().mSystems;
        UseRoot(Tests::SourceDir());
        std::string error;
        ASSERT_TRUE(RunPlayer::Prepare(error)) << error;
    }
    void TearDown() override {
        Game::GetInstance().mSystems = mSavedSystems;
        UseRoot(mSavedRoot);
        if (!mTempRoot.empty()) fs::remove_all(mTempRoot);
    }
    static void UseRoot(const std::string& root) { Game::GetInstance().SetRootPath(root); }

    static RunFile LoadRun(const std::string& path) {
        RunFile run;
        std::string error;
        EXPECT_TRUE(run.Load(path, error)) << path << ": " << error;
        return run;
    }
    // A copy of the content whose training level `walk` has walls where its exit was.
    std::string ContentWithWalledExit() {
        mTempRoot = Tests::MakeTempDir();
        const fs::path source = Tests::SourceDir();
        fs::copy_file(source / "config.xml", fs::path(mTempRoot) / "config.xml");
        fs::create_directories(fs::path(mTempRoot) / "data");
        for (const char* folder : {"object", "misc", "level"}) {
            fs::copy(source / "data" / folder, fs::path(mTempRoot) / "data" / folder, fs::copy_options::recursive);
        }
        const fs::path level = fs::path(mTempRoot) / "data/level/training/walk.xml";
        std::stringstream text;
        text << std::ifstream(level).rdbuf();
        std::ofstream(level) << std::regex_replace(text.str(), std::regex(" 8 8 "), " 1 1 ");
        return mTempRoot;
    }

    std::string mSavedRoot;
    std::vector<ISystem*> mSavedSystems;
    std::string mTempRoot;
};

TEST_F(ReplayTest, GuardsHearSeeAndChaseTheSameWayEveryTime) {
    RunHeader header;
    header.mCampaign = "test";
    header.mLevel = "guards";
    header.mGun = Logic::kSoundGun;
    std::vector<uint64_t> hashes[2];
    RunOutcome outcomes[2];
    for (int attempt = 0; attempt < 2; ++attempt) {
        uint32_t tick = 0;
        // North-east, shooting now and then, until caught or 20 seconds have passed.
        outcomes[attempt] = RunPlayer::Play(
            header,
            [&tick](Logic::TickInput& input) {
                ++tick;
                input = Logic::TickInput{Vector2(90.0, 90.0), Vector2(0.7, 0.7), tick % 50 < 10, tick == 1};
                return tick <= 1200;
            },
            nullptr, RunFile::kMaxTicks, [&](uint32_t, uint64_t hash) { hashes[attempt].push_back(hash); });
        ASSERT_TRUE(outcomes[attempt].mPlayed) << outcomes[attempt].mError;
    }
    EXPECT_GT(hashes[0].size(), 100u);
    EXPECT_EQ(hashes[0], hashes[1]);
    EXPECT_EQ(outcomes[0].mResult, outcomes[1].mResult);
}

TEST_F(ReplayTest, TheRecorderKeepsEachLevelPlayedAsARunThatReplaysTheSame) {
    const Logic::TickHooks saved = Logic::PlayScreen::Hooks();
    RunRecorder& recorder = RunRecorder::GetInstance();
    mTempRoot = Tests::MakeTempDir();
    const std::string target = mTempRoot + "/mine.vrun";
    recorder.SetTarget(target);
    recorder.Connect();
    RunHeader header;
    header.mCampaign = "training";
    header.mLevel = "walk";
    uint32_t tick = 0;
    // Walk east and keep tapping fire: the walk level's exit lies straight east of the start.
    const RunOutcome live = RunPlayer::Play(header, [&tick](Logic::TickInput& input) {
        input = Logic::TickInput{Vector2(132.0, 0.0), Vector2(1.0, 0.1), ++tick % 20 < 3, tick == 1};
        return true;
    });
    Logic::PlayScreen::Hooks() = saved;
    recorder.SetTarget({});
    ASSERT_EQ(live.mResult, RunResult::kWon) << live.mError;
    for (const std::string& path : {target, RunRecorder::LastRunPath("training", "walk")}) {
        const RunFile run = LoadRun(path);
        EXPECT_EQ(run.mHeader.mResult, RunResult::kWon) << path;
        EXPECT_EQ(run.mHeader.mFinalHash, live.mHash) << path;
        EXPECT_EQ(run.GetTickCount(), live.mTicks) << path;
        EXPECT_EQ(RunPlayer::PlayRun(run).mHash, live.mHash) << path;
    }
}

TEST_F(ReplayTest, TheConsoleNamesARunFileOnlyInsideThePlayersRunsFolder) {
    Tests::LogCapture log;
    Script::ScriptManager::GetInstance().Execute(
        "print(Engine.Record('mine'), Engine.Record('../../.bashrc'), Engine.Record('/tmp/x'))");
    EXPECT_TRUE(log.Contains("[LUA:1] truefalsefalse"));
    EXPECT_EQ(RunRecorder::GetInstance().GetTarget(), UserDataFolder() + "/runs/mine.vrun");
    Script::ScriptManager::GetInstance().Execute("Engine.Record()");
    EXPECT_EQ(RunRecorder::GetInstance().GetTarget(), "");
}

TEST_F(ReplayTest, AWalledOffExitFailsVerification) {
    const std::string walk = Tests::SourceDir() + "/data/runs/training/walk.vrun";
    const RunFile run = LoadRun(walk);
    RunFile elsewhere = run;
    elsewhere.mHeader.mLevel = "nosuchlevel";
    EXPECT_EQ(RunPlayer::PlayRun(elsewhere).mError, "campaign `training` has no level `nosuchlevel`");
    UseRoot(ContentWithWalledExit());
    std::ostringstream out;
    EXPECT_EQ(VerifyRuns({walk}, out), 1);
    EXPECT_NE(out.str().find("recorded against other content (run "), std::string::npos) << out.str();
    // Played regardless of the content check, the same inputs no longer reach an exit.
    RunCursor cursor(run);
    const RunOutcome outcome =
        RunPlayer::Play(run.mHeader, [&](Logic::TickInput& input) { return cursor.Next(input); });
    ASSERT_TRUE(outcome.mPlayed) << outcome.mError;
    EXPECT_EQ(outcome.mResult, RunResult::kUnfinished);
}

} // namespace
} // namespace Velmora::Replay
