#include "core/Game.h"
#include "core/Path.h"
#include "core/UserFiles.h"
#include "game/ProgressStore.h"
#include "support/TestSupport.h"
#include "world/LevelFile.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace Velmora::Logic {
namespace {

TEST(ProgressStore, WinsKeepTheBestTimeAndMedalAndSayWhenATimeIsANewBest) {
    ProgressStore store;
    EXPECT_FALSE(store.RecordWin("camp1", "hall", 30.0, Medal::kSilver).mNewBest); // first win
    EXPECT_FALSE(store.RecordWin("camp1", "hall", 35.0, Medal::kBronze).mNewBest);
    const ProgressStore::Result faster = store.RecordWin("camp1", "hall", 25.0, Medal::kSilver);
    EXPECT_TRUE(faster.mNewBest);
    EXPECT_EQ(faster.mPreviousBest, 30.0);
    EXPECT_EQ(store.Get("camp1", "hall"), (LevelProgress{true, 25.0, Medal::kSilver}));
    EXPECT_FALSE(store.Get("camp1", "other").mFinished);
    // Names that could lead out of a folder are not recorded.
    store.RecordWin("../x", "hall", 1.0, Medal::kGold);
    EXPECT_EQ(store.GetLevels().size(), 1u);
}

TEST(ProgressStore, SavedProgressReadsBackAndSummarisesPerCampaign) {
    const std::string path = Tests::MakeTempDir() + "/velmora/progress.xml";
    ProgressStore first(path);
    first.RecordWin("training", "walk", 12.5, Medal::kGold);
    first.RecordWin("training", "sound", 80.125, Medal::kBronze);
    first.RecordWin("camp1", "hall", 50.0, Medal::kNone);
    ProgressStore second(path);
    second.Load();
    EXPECT_EQ(second.GetLevels(), first.GetLevels());
    const CampaignProgress training = second.Summarize("training", {"walk", "sound", "guns"});
    EXPECT_EQ(DescribeCampaignProgress(training), "2 of 3 levels finished - medals: 1 gold, 1 bronze");
    EXPECT_EQ(DescribeCampaignProgress(second.Summarize("camp1", {"hall"})), "1 of 1 levels finished");
    EXPECT_EQ(DescribeCampaignProgress(second.Summarize("camp2", {"a"})), "No levels finished yet");
}

TEST(ProgressStore, HostileEntriesAreSkippedOneByOne) {
    const char* entries[] = {
        R"(<level campaign="c" name="a" finished="1" best="abc" medal="1"/>)",
        R"(<level campaign="c" name="a" finished="1" best="-4" medal="1"/>)",
        R"(<level campaign="c" name="a" finished="1" best="4" medal="9"/>)",
        R"(<level campaign="../c" name="a" finished="1" best="4" medal="1"/>)",
        "<level campaign=\"c\xff\" name=\"a\" finished=\"1\" best=\"4\" medal=\"1\"/>",
        R"(<level name="a" finished="1" best="4" medal="1"/>)",
    };
    for (const char* entry : entries) {
        ProgressStore::Levels levels;
        std::string why;
        EXPECT_TRUE(
            ProgressStore::Parse(std::string("<progress>") + entry +
                                     R"(<level campaign="c" name="b" finished="1" best="4" medal="1"/></progress>)",
                                 levels, why));
        EXPECT_EQ(levels.size(), 1u) << entry;
    }
}

TEST(ProgressStore, DamagedFileIsSetAsideAndTheGameStartsAfresh) {
    const std::string dir = Tests::MakeTempDir();
    Tests::WriteFile(dir + "/progress.xml", "<progress><level campaign=");
    Tests::LogCapture log;
    ProgressStore store(dir + "/progress.xml");
    store.Load();
    EXPECT_TRUE(store.GetLevels().empty());
    EXPECT_TRUE(IsRegularFile(dir + "/progress.xml.bad"));
    EXPECT_TRUE(log.Contains("[LOGIC:1] Damaged file " + dir + "/progress.xml"));
}

TEST(ProgressStore, PlayersLevelCopyIsPreferredAndSavedToWhenInstalled) {
    const std::string shipped = LevelFile::LevelPath("training", "walk");
    EXPECT_EQ(LevelFile::ReadPath("training", "walk"), shipped);
    const std::string user = LevelFile::UserLevelPath("training", "walk");
    ASSERT_EQ(user, JoinPath(UserDataFolder(), "level/training/walk.xml"));
    Tests::WriteFile(user, "<level/>");
    EXPECT_EQ(LevelFile::ReadPath("training", "walk"), user);
    EXPECT_EQ(LevelFile::SavePath("training", "walk"), shipped);
    Game::GetInstance().mInstalled = true;
    EXPECT_EQ(LevelFile::SavePath("training", "walk"), user);
    Game::GetInstance().mInstalled = false;
    std::remove(user.c_str());
    EXPECT_EQ(LevelFile::UserLevelPath("..", "walk"), "");
    EXPECT_EQ(LevelFile::UserLevelPath("training", "a/b"), "");
}

} // namespace
} // namespace Velmora::Logic
