// Level files: the reader's failures with their channels and paths, tile ids, spawns, and the
// writer's round trip.
#include "WorldFixtures.h"

#include "world/LevelFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace Velmora {
namespace {

using Logic::Level;
using Logic::LevelFile;

class LevelFileTest : public ::testing::Test {
protected:
    void SetUp() override { Tests::ContentTiles(); }

    // Writes a level file into the campaign folder "camp" and reads it back.
    std::unique_ptr<Level> Read(const std::string& text, const std::string& name = "test") {
        mPath = LevelFile::LevelPath("camp", name);
        Tests::WriteFile(mPath, text);
        return LevelFile::LoadLevel("camp", name);
    }

    static std::string Body(const std::string& tilemap, const std::string& rest = "") {
        return "<level><name>test</name>" + tilemap + "<medals gold='1' silver='2' bronze='3'/>" + rest + "</level>";
    }

    Tests::ScopedDataRoot mRoot;
    std::string mPath;
};

TEST_F(LevelFileTest, ReaderFailuresAreCriticalRecordsWithThePath) {
    const std::string tilemap = "<tilemap width='1' height='1'>0</tilemap>";
    const struct {
        std::string mText;
        std::string mLine;
    } cases[] = {
        {"<level><name>x", "[LOGIC:1] Failed to load level file: "},
        {"<other/>", "[LOGIC:1] Level file missing root <level> element: "},
        {"<level>" + tilemap + "</level>", "[LOGIC:1] Level file missing <name> : "},
        {"<level><name>a</name></level>", "[LOGIC:1] Level file missing <tilemap> element: "},
        {"<level><name>a</name>" + tilemap + "</level>", "[LOGIC:1] Level file missing <medals> element: "},
        {Body("<tilemap width='0' height='3'/>"), "[LEVEL:1] Level has invalid size: "},
        {Body("<tilemap width='2048' height='1024'/>"), "[LEVEL:1] Level has invalid size: "},
        {Body("<tilemap width='99999999999' height='99999999999'/>"), "[LEVEL:1] Level has invalid size: "},
        {Body(tilemap, "<!--entity-->"), "[LOGIC:1] Level has invalid <entity> element: "},
        {Body(tilemap, "<entity><name>n</name></entity>"),
         "[LOGIC:1] Level has invalid <entity> element, missing <archetype>: "},
        {Body(tilemap, "<entity><archetype>a</archetype><position x='nan' y='0'/></entity>"),
         "[LOGIC:1] Level has invalid <entity> element, position or direction is not a finite number: "},
    };
    for (const auto& c : cases) {
        Tests::LogCapture capture;
        EXPECT_EQ(Read(c.mText), nullptr) << c.mText;
        EXPECT_TRUE(capture.CriticalContains(c.mLine + mPath)) << c.mLine;
    }
    Tests::LogCapture capture;
    for (const std::string name : {"..", "a/b", "a\\b"}) {
        EXPECT_EQ(LevelFile::LoadLevel("camp", name), nullptr);
        EXPECT_TRUE(capture.CriticalContains("[LOGIC:1] Level name refused, it would lead out of the level folder: `" +
                                             name + "`"));
    }
    EXPECT_EQ(LevelFile::LoadLevel("camp", "missing"), nullptr);
    EXPECT_TRUE(capture.CriticalContains("Failed to load level file: " + LevelFile::LevelPath("camp", "missing")));
}

TEST_F(LevelFileTest, TilemapTextIsReadTokenByTokenAndShortMapsFillWithFloor) {
    auto level = Read(Body("<tilemap width='3' height='2'> 1 +2 8\n 0 </tilemap>"));
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->GetFolder(), "camp");
    EXPECT_EQ(level->GetName(), "test");
    EXPECT_EQ(level->GetStoredCells(), (std::vector<int32_t>{1, 2, 8, 0, 0, 0}));
    level = Read(Body("<tilemap width='2' height='1'>8 8 8 8 8</tilemap>"));
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->GetStoredCells(), (std::vector<int32_t>{8, 8}));
    level = Read(Body("<tilemap width='2' height='2'/>"));
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->GetStoredCells(), (std::vector<int32_t>(4, 0)));
}

TEST_F(LevelFileTest, UnknownTileIdsBecomeFloorWithOneWarningNamingThemAndTheFirstCell) {
    const struct {
        const char* mTilemap;
        std::vector<int32_t> mCells;
        const char* mWarning; // null: none
    } cases[] = {
        {"1 1 1  1 99 1", {1, 1, 1, 1, 0, 1}, "99 in 1 cell, the first at cell (1, 1)"},
        {"1 abc 1  2abc 99 abc", {1, 0, 1, 0, 0, 0}, "abc, 2abc, 99 in 4 cells, the first at cell (1, 0)"},
        {"-5 1 1  1 1 99999999999", {0, 1, 1, 1, 1, 0}, "-5, 99999999999 in 2 cells"},
        {"1 2 8  4 11 12", {1, 2, 8, 4, 11, 12}, nullptr},
    };
    for (const auto& c : cases) {
        Tests::LogCapture log;
        auto level = Read(Body(std::string("<tilemap width='3' height='2'>") + c.mTilemap + "</tilemap>"));
        ASSERT_NE(level, nullptr) << c.mTilemap;
        EXPECT_EQ(level->GetStoredCells(), c.mCells) << c.mTilemap;
        int warnings = 0;
        for (const std::string& line : log.mLines) warnings += line.find("Unknown tile ids") != std::string::npos;
        EXPECT_EQ(warnings, c.mWarning ? 1 : 0) << c.mTilemap;
        if (c.mWarning) EXPECT_TRUE(log.Contains(c.mWarning)) << c.mTilemap;
        if (c.mWarning) EXPECT_TRUE(log.Contains(mPath)) << "names the file";
    }
}

TEST_F(LevelFileTest, EntitiesReadInAnyChildOrderWithDefaults) {
    auto level = Read(Body("<tilemap width='1' height='1'>0</tilemap>",
                           "<entity><position x='3' y='4'/><archetype>guard</archetype><junk/>"
                           "<data><double>1.5</double><nil/><integer>3</integer></data></entity>"
                           "<entity><archetype>player</archetype><direction x='0' y='1'/></entity>"
                           "<trigger><anything/></trigger>"));
    ASSERT_NE(level, nullptr);
    ASSERT_EQ(level->GetSpawnList().size(), 2u);
    const Logic::SpawnInfo& guard = *level->GetSpawnList()[0];
    EXPECT_EQ(guard.mArchetype, "guard");
    EXPECT_EQ(guard.mPosition, Vector2(3, 4));
    EXPECT_EQ(guard.mDirection, Vector2());
    EXPECT_EQ(guard.mData, (ValueList{1.5})); // values stop at the first non-value
    EXPECT_EQ(level->GetSpawnList()[1]->mDirection, Vector2(0, 1));
}

TEST_F(LevelFileTest, WrittenLevelReadsBackWithStrayUtf8LeadBytesReplaced) {
    Level level(&Tests::ContentTiles());
    level.SetName("a<b\xE3");
    level.SetCells(2, 2, {1, 2, 8, 0});
    level.SetStoredCell(1, 1, 13); // stored, not live, cells are written
    level.SetMedalTimes({150.0, 100.0, 42.5});
    auto spawn = std::make_unique<Logic::SpawnInfo>();
    spawn->mArchetype = "guard";
    spawn->mName = "g\xE3";
    spawn->mPosition = {1.5, 2.0 / 3.0};
    spawn->mDirection = {0, -1};
    spawn->mData = {Value(7), Value("x\xE3")};
    level.AddSpawn(std::move(spawn));
    std::ostringstream out;
    LevelFile::WriteLevel(level, out);
    // A lead byte announcing two more bytes would swallow the "<" of the closing tag after it.
    const auto back = Read(out.str());
    ASSERT_NE(back, nullptr) << out.str();
    EXPECT_EQ(back->GetName(), "a<b?");
    EXPECT_EQ(back->GetStoredCells(), (std::vector<int32_t>{1, 2, 8, 13}));
    EXPECT_EQ(back->GetMedalTimes().mGold, 42.5);
    EXPECT_EQ(back->GetMedalTimes().mBronze, 150.0);
    ASSERT_EQ(back->GetSpawnList().size(), 1u);
    const Logic::SpawnInfo& guard = *back->GetSpawnList()[0];
    EXPECT_EQ(guard.mName, "g?");
    EXPECT_EQ(guard.mPosition, Vector2(1.5, 2.0 / 3.0));
    EXPECT_EQ(guard.mDirection, Vector2(0, -1));
    EXPECT_EQ(guard.mData, (ValueList{Value(7), Value("x?")}));
}

} // namespace
} // namespace Velmora
