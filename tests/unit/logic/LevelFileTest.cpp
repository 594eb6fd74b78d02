// Level files: the reader's failures with their channels and paths, the writer's exact text,
// and a save into a folder that is not there.
#include "WorldFixtures.h"

#include "core/Game.h"
#include "world/LevelFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace Velmora {
namespace {

using Logic::Level;
using Logic::LevelFile;

std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<data>";
    for (int i = 0; i < depth; ++i) text += "</data>";
    return text;
}

class LevelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Tests::ContentTiles();
        mSavedRoot = Game::GetInstance().GetRootPath();
        Game::GetInstance().SetRootPath(mRoot);
    }
    void TearDown() override { Game::GetInstance().SetRootPath(mSavedRoot); }

    // Writes a level file into the campaign folder "camp" and reads it back.
    std::unique_ptr<Level> Read(const std::string& text, const std::string& name = "test") {
        mPath = LevelFile::LevelPath("camp", name);
        Tests::WriteFile(mPath, text);
        return LevelFile::LoadLevel("camp", name);
    }

    static std::string Body(const std::string& tilemap, const std::string& rest = "") {
        return "<level><name>test</name>" + tilemap + "<medals gold='1' silver='2' bronze='3'/>" + rest + "</level>";
    }

    std::string mRoot = Tests::MakeTempDir();
    std::string mSavedRoot;
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
        {Body("<tilemap height='3'/>"), "[LEVEL:1] Level has invalid size: "},
        {Body("<tilemap width='5000' height='1'/>"), "[LEVEL:1] Level has invalid size: "},
        {Body("<tilemap width='2048' height='1024'/>"), "[LEVEL:1] Level has invalid size: "},
        {Body("<tilemap width='99999999999' height='99999999999'/>"), "[LEVEL:1] Level has invalid size: "},
        {Body(tilemap, "<!--entity-->"), "[LOGIC:1] Level has invalid <entity> element: "},
        {Body(tilemap, "<entity><name>n</name></entity>"),
         "[LOGIC:1] Level has invalid <entity> element, missing <archetype>: "},
        {Body(tilemap, "<entity><archetype>a</archetype><position x='nan' y='0'/></entity>"),
         "[LOGIC:1] Level has invalid <entity> element, position or direction is not a finite number: "},
        {Body(tilemap, "<entity><archetype>a</archetype><direction x='1' y='-1e999'/></entity>"),
         "[LOGIC:1] Level has invalid <entity> element, position or direction is not a finite number: "},
        {Body(tilemap, Nested(300)), "[LOGIC:1] Failed to load level file: "},
    };
    for (const auto& c : cases) {
        Tests::LogCapture capture;
        EXPECT_EQ(Read(c.mText), nullptr) << c.mText;
        EXPECT_TRUE(capture.CriticalContains(c.mLine + mPath)) << c.mLine;
    }
    Tests::LogCapture capture;
    for (const std::string name : {"../../object/player", "..", "a/b", "a\\b"}) {
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
    EXPECT_EQ(level->GetLiveCells(), level->GetStoredCells());
    EXPECT_EQ(level->GetCellFlags(0, 0), 0x0Fu);
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
    EXPECT_EQ(level->GetMedalTimes().mGold, 1.0);
    EXPECT_EQ(level->GetMedalTimes().mSilver, 2.0);
    EXPECT_EQ(level->GetMedalTimes().mBronze, 3.0);
    ASSERT_EQ(level->GetSpawnList().size(), 2u);
    const Logic::SpawnInfo& guard = *level->GetSpawnList()[0];
    EXPECT_EQ(guard.mArchetype, "guard");
    EXPECT_EQ(guard.mName, "");
    EXPECT_EQ(guard.mPosition, Vector2(3, 4));
    EXPECT_EQ(guard.mDirection, Vector2());
    EXPECT_EQ(guard.mData, (ValueList{1.5})); // values stop at the first non-value
    const Logic::SpawnInfo& player = *level->GetSpawnList()[1];
    EXPECT_EQ(player.mPosition, Vector2());
    EXPECT_EQ(player.mDirection, Vector2(0, 1));
}

TEST_F(LevelFileTest, WriterProducesTheExactText) {
    Level level(&Tests::ContentTiles());
    level.SetName("a<b");
    level.SetCells(2, 2, {1, 2, 8, 0});
    level.SetStoredCell(1, 1, 13); // stored, not live, cells are written
    level.SetMedalTimes({150.0, 100.0, 42.5});
    auto spawn = std::make_unique<Logic::SpawnInfo>();
    spawn->mArchetype = "guard";
    spawn->mName = "g1";
    spawn->mPosition = {1.5, 2.0 / 3.0};
    spawn->mDirection = {0, -1};
    spawn->mData = {Value(7), Value("x")};
    level.AddSpawn(std::move(spawn));
    auto bare = std::make_unique<Logic::SpawnInfo>();
    bare->mArchetype = "player";
    level.AddSpawn(std::move(bare));
    std::ostringstream out;
    LevelFile::WriteLevel(level, out);
    EXPECT_EQ(out.str(),
              "<?xml verison=\"1.0\"?>\n"
              "<!-- LEVEL FILE -->\n"
              "<level>\n"
              "\t<name>a&lt;b</name>\n"
              "\t<!-- TILEMAP DATA -->\n"
              "\t<tilemap width='2' height='2'>\n"
              "\t\t1 2 \n"
              "\t\t8 13 \n"
              "\t</tilemap>\n"
              "\n"
              "\t<!-- SPAWN LIST -->\n"
              "\t<entity>\n"
              "\t\t<archetype>guard</archetype>\n"
              "\t\t<name>g1</name>\n"
              "\t\t<data>\n"
              "\t\t\t<integer>7</integer>\n"
              "\t\t\t<string>x</string>\n"
              "\t\t</data>\n"
              "\t\t<position x='1.5' y='0.6666666666666666'/>\n"
              "\t\t<direction x='0' y='-1'/>\n"
              "\t</entity>\n"
              "\t<entity>\n"
              "\t\t<archetype>player</archetype>\n"
              "\t\t<name></name>\n"
              "\t\t<position x='0' y='0'/>\n"
              "\t\t<direction x='0' y='0'/>\n"
              "\t</entity>\n"
              "\n"
              "<medals gold ='42.5' silver='100' bronze ='150'></medals>\n"
              "\t<!-- TRIGGERS -->\n"
              "</level>\n");
}

TEST_F(LevelFileTest, ASaveIntoAMissingFolderFailsAndSaysWhere) {
    auto level = Tests::MakeLevel({"1 0"});
    level->SetFolder("camp");
    level->SetName("keep");
    Tests::LogCapture capture;
    EXPECT_FALSE(LevelFile::SaveLevel(*level));
    EXPECT_TRUE(capture.Contains("[EDITOR:1] " + LevelFile::LevelPath("camp", "keep") + "` FOR WRITING"));
}

} // namespace
} // namespace Velmora
