// Every shipped level saved by the editor's writer reads back as the same level, the file it
// replaces is kept as a backup, and a save that cannot be written leaves the old file and the
// edits in memory alone.
#include "core/Game.h"
#include "graphics/DebugDrawManager.h"
#include "graphics/Renderer.h"
#include "unit/logic/WorldFixtures.h"
#include "world/Level.h"
#include "world/LevelFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace Velmora {
namespace {

using Logic::Level;
using Logic::LevelFile;

class LevelRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override {
        Tests::ContentTiles();
        mSavedRoot = Game::GetInstance().GetRootPath();
        Game::GetInstance().SetRootPath(mRoot);
    }
    void TearDown() override {
        // Saving puts "LEVEL `NAME` SAVED!" on screen for a while; it must not outlive the test.
        Graphics::Renderer renderer{[](const Graphics::Batch&) {}};
        Graphics::DebugDrawManager::GetInstance().RenderOverlay(60.0, renderer);
        Game::GetInstance().SetRootPath(mSavedRoot);
        std::error_code ignored;
        std::filesystem::remove_all(mRoot, ignored);
    }

    static void ExpectSameLevel(const Level& a, const Level& b, const std::string& what) {
        EXPECT_EQ(a.GetName(), b.GetName()) << what;
        EXPECT_EQ(a.GetWidth(), b.GetWidth()) << what;
        EXPECT_EQ(a.GetStoredCells(), b.GetStoredCells()) << what;
        EXPECT_EQ(a.GetMedalTimes().mGold, b.GetMedalTimes().mGold) << what;
        EXPECT_EQ(a.GetMedalTimes().mSilver, b.GetMedalTimes().mSilver) << what;
        EXPECT_EQ(a.GetMedalTimes().mBronze, b.GetMedalTimes().mBronze) << what;
        ASSERT_EQ(a.GetSpawnList().size(), b.GetSpawnList().size()) << what;
        for (size_t i = 0; i < a.GetSpawnList().size(); ++i) {
            const Logic::SpawnInfo& x = *a.GetSpawnList()[i];
            const Logic::SpawnInfo& y = *b.GetSpawnList()[i];
            EXPECT_TRUE(x.mArchetype == y.mArchetype && x.mName == y.mName && x.mPosition == y.mPosition &&
                        x.mDirection == y.mDirection && x.mData == y.mData)
                << what << " spawn " << i;
        }
        ASSERT_EQ(a.GetTriggers().size(), b.GetTriggers().size()) << what;
        for (size_t i = 0; i < a.GetTriggers().size(); ++i) {
            const Logic::Trigger& x = a.GetTriggers()[i];
            const Logic::Trigger& y = b.GetTriggers()[i];
            EXPECT_EQ(x.mEvent, y.mEvent) << what;
            EXPECT_EQ(x.mSource, y.mSource) << what;
            EXPECT_TRUE(x.mRules == y.mRules) << what << " trigger " << i;
        }
    }

    std::string mRoot = Tests::MakeTempDir();
    std::string mSavedRoot;
};

TEST_F(LevelRoundTripTest, EveryShippedLevelSavesAndReadsBackTheSame) {
    int levels = 0;
    for (const auto& folder : std::filesystem::directory_iterator(Tests::SourceDir() + "/data/level")) {
        const std::string campaign = folder.path().filename().string();
        std::filesystem::create_directories(mRoot + "/data/level/" + campaign);
        for (const auto& file : std::filesystem::directory_iterator(folder.path())) {
            if (file.path().extension() != ".xml" || file.path().stem() == "campaign") continue;
            const auto original = LevelFile::ReadLevel(file.path().string(), campaign);
            ASSERT_NE(original, nullptr) << file.path();
            ASSERT_TRUE(LevelFile::SaveLevel(*original)) << file.path();
            const auto back = LevelFile::ReadLevel(LevelFile::LevelPath(campaign, original->GetName()), campaign);
            ASSERT_NE(back, nullptr) << file.path();
            ExpectSameLevel(*original, *back, file.path().string());
            ++levels;
        }
    }
    EXPECT_GE(levels, 3);
}

TEST_F(LevelRoundTripTest, HostileNamesAndValuesAreWrittenSoTheyReadBackAndTheOldFileIsKept) {
    Tests::WriteFile(LevelFile::LevelPath("camp", "odd"), "previous");
    auto level = Tests::MakeLevel({"1 0", "0 8"});
    level->SetFolder("camp");
    level->SetName("odd");
    level->SetMedalTimes({150.25, 100.5, 1.0 / 3.0});
    Logic::SpawnInfo spawn;
    spawn.mArchetype = "a</archetype><x>";
    spawn.mName = "]]> & \"quoted\" 'single'";
    spawn.mPosition = {1e7 + 0.125, -1.0 / 7.0};
    spawn.mDirection = {0.6, -0.8};
    spawn.mData = {Value("<data>&amp;"), Value(-5), Value(1.0 / 3.0), Value(Vector2(1e-7 / 3.0, 12345.678901)),
                   Value(Color::FromRgba(1, 2, 3))};
    level->AddSpawn(std::make_unique<Logic::SpawnInfo>(spawn));
    {
        Tests::LogCapture capture;
        ASSERT_TRUE(LevelFile::SaveLevel(*level));
        EXPECT_TRUE(capture.Contains("[EDITOR:1] LEVEL `odd` SAVED!"));
    }
    const auto back = LevelFile::LoadLevel("camp", "odd");
    ASSERT_NE(back, nullptr);
    ExpectSameLevel(*level, *back, "odd");
    std::ifstream backup(LevelFile::LevelPath("camp", "odd") + ".bak");
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(backup)), std::istreambuf_iterator<char>()), "previous");
}

TEST_F(LevelRoundTripTest, AFailedSaveKeepsTheOldFileAndTheEdits) {
    const std::string path = LevelFile::LevelPath("camp", "keep");
    Tests::WriteFile(path, "old contents");
    // The temporary file's place is taken by a directory: writing fails as in a read-only folder.
    std::filesystem::create_directories(path + ".tmp");
    auto level = Tests::MakeLevel({"1 0"});
    level->SetFolder("camp");
    level->SetName("keep");
    level->PaintCell(1, 0, 13);
    Tests::LogCapture capture;
    EXPECT_FALSE(LevelFile::SaveLevel(*level));
    EXPECT_TRUE(capture.Contains(path + "` FOR WRITING (")) << "the reason is given";
    EXPECT_TRUE(capture.mCritical.empty()) << "the editor tells the designer; no error box";
    std::ifstream in(path);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), "old contents");
    EXPECT_EQ(level->GetStoredCell(1, 0), 13);
}

} // namespace
} // namespace Velmora
