// The tile catalogue reader: the packing of colours and flags, and every fatal message with the
// path it names.
#include "support/TestSupport.h"
#include "world/TileManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Velmora {
namespace {

using Logic::TileManager;

std::string Tile(int id, const std::string& body) {
    return "<tile id='" + std::to_string(id) + "'>" + body + "</tile>";
}

std::string Named(int id, const std::string& extra = "") {
    return Tile(
        id, "<name>T" + std::to_string(id) + "</name>" + extra + "<texture>t" + std::to_string(id) + ".png</texture>");
}

class TileManagerTest : public ::testing::Test {
protected:
    // Writes the text as a catalogue and loads it into mTiles, recording the texture requests.
    void Load(const std::string& text) {
        mPath = mDir + "/tiles.xml";
        Tests::WriteFile(mPath, text);
        mTiles.LoadCatalogue(mPath, [this](const std::string& name) {
            mRequested.push_back(name);
            return nullptr;
        });
    }

    // Loads the text and expects the fatal message (and the path where the message names it).
    void ExpectFatal(const std::string& text, const std::string& message) {
        Tests::LogCapture capture;
        EXPECT_THROW(Load(text), Tests::FatalError);
        EXPECT_TRUE(capture.CriticalContains("[ASSERT:1] Fatal Error: " + message)) << message;
    }

    std::string mDir = Tests::MakeTempDir();
    std::string mPath;
    TileManager mTiles;
    std::vector<std::string> mRequested;
};

TEST_F(TileManagerTest, ColoursAndFlagsArePackedAndOnlyTheFirstChildOfANameCounts) {
    Load("<tiles>" +
         Tile(0, "<name>T0</name><name>Second</name><other/><texture>t0.png</texture><texture>b</texture>") +
         "<!-- between -->" + Named(1, "<color red='255' green='0' blue='0'/><flags blkvision='1'/>") +
         Named(2, "<color red='511' green='-1'/><flags blkplayer='1' shatters='2'/><group>3</group>") +
         Named(3, "<flags blkenemy='0' blksound='7'/><group>abc</group>") + "</tiles>");
    ASSERT_EQ(mTiles.GetTileCount(), 4);
    EXPECT_EQ(mTiles.GetTile(0)->mName, "T0");
    EXPECT_EQ(mTiles.GetTile(0)->mColor.GetPacked(), 0xFFFFFFFFu);
    EXPECT_EQ(mTiles.GetTile(0)->mFlags, 0u);
    EXPECT_EQ(mTiles.GetTile(1)->mColor.GetPacked(), 0xFF0000FFu);
    EXPECT_EQ(mTiles.GetTile(1)->mFlags, 0x08u);
    EXPECT_EQ(mTiles.GetTile(2)->mColor.GetPacked(), 0xFF00FFFFu); // low 8 bits of 511 and -1; blue missing
    EXPECT_EQ(mTiles.GetTile(2)->mFlags, 0x11u);
    EXPECT_EQ(mTiles.GetTile(2)->mGroup, 3);
    EXPECT_EQ(mTiles.GetTile(3)->mFlags, 0x04u);
    EXPECT_EQ(mTiles.GetTile(3)->mGroup, 0);
    EXPECT_EQ(mRequested, (std::vector<std::string>{"t0.png", "t1.png", "t2.png", "t3.png"}));
    EXPECT_EQ(mTiles.GetFlags(99), 0u); // unknown ids have no flags
}

TEST_F(TileManagerTest, EveryFaultIsFatalWithItsMessage) {
    const std::string path = mDir + "/tiles.xml";
    ExpectFatal("<tiles>" + Named(0) + Named(1) + Named(3) + "</tiles>", "Tile id sequence is out of order in " + path);
    EXPECT_EQ(mTiles.GetTileCount(), 2); // stopped at the third tile
    ExpectFatal("<tiles><tile id='zero'><name>a</name><texture>a</texture></tile></tiles>",
                "Tile id sequence is out of order in " + path);
    ExpectFatal("<tiles>" + Named(0) + "<floor/></tiles>", "Unknown element floor in " + path);
    ExpectFatal("<tiles>" + Tile(0, "<texture>a</texture>") + "</tiles>", "Tile missing <name> element in " + path);
    ExpectFatal("<tiles>" + Tile(0, "<name>a</name>") + "</tiles>", "Tile missing <texture> element in " + path);
    ExpectFatal("<catalogue/>", "Tiles definition file is missing root <tiles> element");
    ExpectFatal("<tiles><tile id='0'>", "Cannot open tiles definition file " + path + ": ");
}

} // namespace
} // namespace Velmora
