// The editor's undo history on a small level of the game's tile catalogue, and its level writer.
// (Shipped levels go through the writer in the LevelFileFuzz target's seeds; EditorScreenTest
// fails a save on purpose.)
#include "editor/EditHistory.h"
#include "graphics/DebugDrawManager.h"
#include "graphics/Renderer.h"
#include "unit/logic/WorldFixtures.h"
#include "world/Level.h"
#include "world/LevelFile.h"

#include <gtest/gtest.h>

#include <fstream>

namespace Velmora {
namespace {

using Editor::EditHistory;
using Logic::LevelFile;

class EditHistoryTest : public ::testing::Test {
protected:
    void SetUp() override { mHistory.Attach(mLevel.get()); }

    std::unique_ptr<Logic::Level> mLevel = Tests::MakeLevel({"1 1 1 1", "1 0 0 1", "1 1 1 1"});
    EditHistory mHistory;
};

TEST_F(EditHistoryTest, PaintingAndUndoStepsFollowTheirLimits) {
    EXPECT_FALSE(mHistory.Undo()) << "nothing to undo at position 0";
    EXPECT_FALSE(mHistory.Redo()) << "nothing to redo at the end";
    EXPECT_TRUE(mHistory.SetTile(1, 1, 13, true));
    EXPECT_FALSE(mHistory.SetTile(1, 1, 13, true)) << "the same tile twice records once";
    EXPECT_FALSE(mHistory.SetTile(9, 9, 13, true)) << "outside the grid";
    EXPECT_EQ(mHistory.GetStepCount(), 1u);
    EXPECT_EQ(mLevel->GetLiveCell(1, 1), 13) << "the live cell shows the paint at once";
    EXPECT_TRUE(mHistory.Undo());
    EXPECT_EQ(mLevel->GetStoredCell(1, 1), 0);
    EXPECT_FALSE(mHistory.Undo());
    EXPECT_TRUE(mHistory.Redo());
    EXPECT_EQ(mLevel->GetStoredCell(1, 1), 13);
    EXPECT_FALSE(mHistory.Redo());
    // A new change after an undo drops the undone step.
    mHistory.Undo();
    mHistory.SetTile(2, 1, 2, true);
    EXPECT_EQ(mHistory.GetStepCount(), 1u);
    EXPECT_FALSE(mHistory.Redo());
}

TEST_F(EditHistoryTest, AStrokeOverManyCellsIsOneStep) {
    mHistory.BeginStroke();
    for (const auto& [x, y, tile] : {std::tuple{1, 1, 2}, {2, 1, 2}, {1, 1, 13}, {0, 0, 13}}) {
        mHistory.SetTile(x, y, static_cast<uint32_t>(tile), true);
    }
    mHistory.EndStroke();
    mHistory.BeginStroke();
    mHistory.EndStroke(); // a stroke that painted nothing
    ASSERT_EQ(mHistory.GetStepCount(), 1u);
    EXPECT_TRUE(mHistory.Undo());
    EXPECT_EQ(mLevel->GetStoredCells(), Tests::MakeLevel({"1 1 1 1", "1 0 0 1", "1 1 1 1"})->GetStoredCells());
    EXPECT_TRUE(mHistory.Redo());
    EXPECT_EQ(mLevel->GetStoredCell(1, 1), 13);
    EXPECT_EQ(mLevel->GetStoredCell(0, 0), 13);
}

TEST_F(EditHistoryTest, ResizesAreStepsAndStopAtOneCell) {
    mLevel->PaintCell(3, 2, 8);
    EXPECT_TRUE(mHistory.Resize(2, 2));
    EXPECT_FALSE(mHistory.Resize(2, 2)) << "the size it already has";
    EXPECT_FALSE(mHistory.Resize(0, 2)) << "width 1 is the least";
    EXPECT_TRUE(mHistory.Resize(1, 1));
    EXPECT_FALSE(mHistory.Resize(1, 0));
    EXPECT_TRUE(mHistory.Undo());
    EXPECT_TRUE(mHistory.Undo());
    EXPECT_EQ(mLevel->GetWidth(), 4);
    EXPECT_EQ(mLevel->GetStoredCell(3, 2), 8) << "the cells cut off come back";
}

TEST_F(EditHistoryTest, SpawnCreationMovesAndDeletionsUndo) {
    Logic::SpawnInfo guard;
    guard.mArchetype = "guard";
    guard.mPosition = {40, 40};
    guard.mData = {Value(3)};
    Logic::SpawnInfo* added = mHistory.AddSpawn(guard);
    ASSERT_NE(added, nullptr);
    const Logic::SpawnInfo before = *added;
    added->mPosition = {80, 48};
    mHistory.RecordSpawnChange(*added, before);
    mHistory.RecordSpawnChange(*added, *added); // unchanged: nothing recorded
    EXPECT_TRUE(mHistory.RemoveSpawn(added));
    EXPECT_EQ(mHistory.GetStepCount(), 3u);
    EXPECT_TRUE(mLevel->GetSpawnList().empty());
    mHistory.Undo();
    ASSERT_EQ(mLevel->GetSpawnList().size(), 1u);
    EXPECT_EQ(mLevel->GetSpawnList()[0]->mPosition, Vector2(80, 48));
    EXPECT_EQ(mLevel->GetSpawnList()[0]->mData, guard.mData);
    mHistory.Undo();
    EXPECT_EQ(mLevel->GetSpawnList()[0]->mPosition, Vector2(40, 40));
    mHistory.Undo();
    EXPECT_TRUE(mLevel->GetSpawnList().empty());
    for (int i = 0; i < 3; ++i) mHistory.Redo();
    EXPECT_TRUE(mLevel->GetSpawnList().empty());
}

TEST_F(EditHistoryTest, SpawnChangesMadeInOneStrokeAreOneStep) {
    Logic::SpawnInfo point;
    point.mArchetype = "waypoint";
    mHistory.AddSpawn(point);
    Logic::SpawnInfo guard;
    guard.mArchetype = "guard";
    mHistory.AddSpawn(guard);
    Logic::SpawnInfo& named = *mLevel->GetSpawnList()[0];
    Logic::SpawnInfo& routed = *mLevel->GetSpawnList()[1];
    // A waypoint named and added to a route together, as the editor does for an unnamed one.
    mHistory.BeginStroke();
    const Logic::SpawnInfo pointBefore = named;
    named.mName = "wp1";
    EXPECT_TRUE(mHistory.RecordSpawnChange(named, pointBefore));
    const Logic::SpawnInfo guardBefore = routed;
    routed.mData = {Value("wp1")};
    EXPECT_TRUE(mHistory.RecordSpawnChange(routed, guardBefore));
    mHistory.EndStroke();
    EXPECT_EQ(mHistory.GetStepCount(), 3u);
    EXPECT_TRUE(mHistory.Undo());
    EXPECT_EQ(mLevel->GetSpawnList()[0]->mName, "");
    EXPECT_TRUE(mLevel->GetSpawnList()[1]->mData.empty());
    EXPECT_TRUE(mHistory.Redo());
    EXPECT_EQ(mLevel->GetSpawnList()[0]->mName, "wp1");
    EXPECT_EQ(mLevel->GetSpawnList()[1]->mData, ValueList{Value("wp1")});
}

class LevelRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override { Tests::ContentTiles(); }
    void TearDown() override {
        // Saving puts "LEVEL `NAME` SAVED!" on screen for a while; it must not outlive the test.
        Graphics::Renderer renderer{[](const Graphics::Batch&) {}};
        Graphics::DebugDrawManager::GetInstance().RenderOverlay(60.0, renderer);
    }

    Tests::ScopedDataRoot mRoot;
};

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
    EXPECT_EQ(back->GetName(), "odd");
    EXPECT_EQ(back->GetStoredCells(), level->GetStoredCells());
    EXPECT_EQ(back->GetMedalTimes().mGold, 1.0 / 3.0);
    ASSERT_EQ(back->GetSpawnList().size(), 1u);
    const Logic::SpawnInfo& read = *back->GetSpawnList()[0];
    EXPECT_EQ(read.mArchetype, spawn.mArchetype);
    EXPECT_EQ(read.mName, spawn.mName);
    EXPECT_EQ(read.mPosition, spawn.mPosition);
    EXPECT_EQ(read.mDirection, spawn.mDirection);
    EXPECT_EQ(read.mData, spawn.mData);
    std::ifstream backup(LevelFile::LevelPath("camp", "odd") + ".bak");
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(backup)), std::istreambuf_iterator<char>()), "previous");
}

} // namespace
} // namespace Velmora
