// The test room of the real content drawn through the level renderer into a real window (under
// Xvfb in the test run), with the real tile textures; the pixels are read back.
#include "core/Game.h"
#include "graphics/GraphicsManager.h"
#include "graphics/TextureManager.h"
#include "graphics/Vertex.h"
#include "support/GraphicsFixtures.h"
#include "support/TestSupport.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/TileManager.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace Velmora::Logic {
namespace {

class LevelRendering : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Tests::OpenGameWindow(640, 480)) << SDL_GetError();
        Graphics::GraphicsManager::GetInstance().ResetState();
        mTiles.LoadCatalogue(Tests::SourceDir() + "/data/misc/tiles.xml", [](const std::string& name) {
            return Graphics::TextureManager::GetInstance().GetTexture(name);
        });
        mLevel = LevelFile::ReadLevel(Tests::SourceDir() + "/data/level/test/room.xml", "test", &mTiles);
        ASSERT_NE(mLevel, nullptr);
        ASSERT_EQ(mLevel->GetWidth(), 12);
        ASSERT_EQ(mLevel->GetHeight(), 9);
    }

    // Draws the whole room so that it fills the 640 × 480 window: 9 rows of 32 units on 480
    // pixels, 12 columns on 640.
    void Draw() {
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        graphics.ResetState();
        Graphics::View& view = graphics.GetView();
        view.SetZoom(9.0);
        view.SetPosition(6 * kTileSize, 4.5 * kTileSize);
        view.ApplyView();
        mLevel->Render(graphics.GetRenderer(), view.mLeft, view.mBottom, view.mRight, view.mTop);
        graphics.GetRenderer().Flush();
    }

    // The mean colour of the middle 32 × 32 pixels of a cell (a cell is 53⅓ pixels wide), so
    // the textures' patterns (mortar lines, grain) average out.
    static uint32_t CellColor(int x, int y) {
        const double pixelsPerCell = 480.0 / 9.0;
        constexpr int kSide = 32;
        std::vector<uint8_t> rgba(kSide * kSide * 4);
        glReadPixels(static_cast<int>((x + 0.5) * pixelsPerCell) - kSide / 2,
                     static_cast<int>((y + 0.5) * pixelsPerCell) - kSide / 2, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE,
                     rgba.data());
        int sum[3] = {};
        for (size_t i = 0; i < rgba.size(); i += 4) {
            for (int c = 0; c < 3; ++c) sum[c] += rgba[i + c];
        }
        const int n = kSide * kSide;
        return Graphics::PackColor(static_cast<uint8_t>(sum[0] / n), static_cast<uint8_t>(sum[1] / n),
                                   static_cast<uint8_t>(sum[2] / n));
    }

    static int Difference(uint32_t a, uint32_t b) {
        int sum = 0;
        for (int shift = 0; shift < 24; shift += 8)
            sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        return sum;
    }

    TileManager mTiles;
    std::unique_ptr<Level> mLevel;
};

TEST_F(LevelRendering, WallFloorAndExitShowTheirOwnColours) {
    Draw();
    const uint32_t wall = CellColor(0, 0);
    const uint32_t floor = CellColor(2, 6);
    const uint32_t exit = CellColor(9, 5);
    EXPECT_EQ(mLevel->GetLiveCell(0, 0), 1);
    EXPECT_EQ(mLevel->GetLiveCell(2, 6), 0);
    EXPECT_EQ(mLevel->GetLiveCell(9, 5), kTileExit);
    for (const uint32_t color : {wall, floor, exit}) EXPECT_GT(Difference(color, 0), 30) << std::hex << color;
    EXPECT_GT(Difference(wall, floor), 30) << std::hex << wall << " " << floor;
    EXPECT_GT(Difference(wall, exit), 30) << std::hex << wall << " " << exit;
    EXPECT_GT(Difference(floor, exit), 30) << std::hex << floor << " " << exit;
    // Two cells of the same floor tile look alike.
    EXPECT_LT(Difference(floor, CellColor(3, 7)), 30);
}

TEST_F(LevelRendering, OpeningTheDoorAndBreakingGlassChangeWhatIsDrawn) {
    Draw();
    const uint32_t door = CellColor(5, 4);
    const uint32_t glass = CellColor(2, 3);
    ASSERT_TRUE(mLevel->OpenDoor(5, 4));
    ASSERT_TRUE(mLevel->ShatterTile(2, 3));
    Draw();
    EXPECT_GT(Difference(door, CellColor(5, 4)), 30);
    EXPECT_GT(Difference(door, CellColor(5, 5)), 30);
    EXPECT_GT(Difference(glass, CellColor(2, 3)), 15) << std::hex << glass << " " << CellColor(2, 3);
    EXPECT_LT(Difference(glass, CellColor(8, 3)), 5); // the other pane is whole
}

} // namespace
} // namespace Velmora::Logic
