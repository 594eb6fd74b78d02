// Level cells: auto-tiling, world positions, shattering glass and
// opening doors (with the collision map following), and drawing the visible cells.
#include "unit/logic/GameFixtures.h"

#include "graphics/Texture.h"
#include "physics/PhysicsManager.h"

#include <map>

namespace Velmora {
namespace {

using Logic::Level;
using Tests::MakeLevel;

constexpr double kInset = 0.0078125;

TEST(LevelTest, AutoTileFramesFollowSameGroupNeighbours) {
    // Metal walls (group 3), a stone wall (group 1) beside them, floor (group 0) elsewhere.
    const auto level = MakeLevel({
        "0 5 0",
        "5 5 1",
        "0 0 0",
    });
    // (1, 1): same-group neighbours at (x−1, y) and (x, y+1) → mask 4 + 8 = 12: column 0, row 3.
    EXPECT_EQ(level->GetTileFrame(1, 1), (Level::TileFrame{kInset, 0.75 + kInset, 0.2421875, 0.75 + 0.2421875}));
    // (0, 1): only (x+1, y) → mask 1; (1, 2): only (x, y−1) → mask 2. The stone wall joins nothing.
    EXPECT_DOUBLE_EQ(level->GetTileFrame(0, 1).mLeft, 0.25 + kInset);
    EXPECT_DOUBLE_EQ(level->GetTileFrame(0, 1).mTop, kInset);
    EXPECT_DOUBLE_EQ(level->GetTileFrame(1, 2).mLeft, 0.5 + kInset);
    EXPECT_DOUBLE_EQ(level->GetTileFrame(2, 1).mTop, kInset);
    EXPECT_EQ(level->GetTileFrame(0, 0), (Level::TileFrame{0.0, 0.0, 1.0, 1.0})); // group 0: the whole texture
}

TEST(LevelTest, WorldPositionsTruncateTowardZero) {
    const auto level = MakeLevel({
        "1 8",
        "2 0",
    });
    EXPECT_EQ(level->GetTileIdAt(-5.0, 10.0), 2); // −5 truncates to column 0
    EXPECT_EQ(level->GetTileAt(40.0, 40.0)->mName, "Exit");
    EXPECT_EQ(level->GetTileIdAt(-40.0, 10.0), 0);  // cell −1: outside
    EXPECT_EQ(level->GetTileIdAt(64.0, 10.0), 0);   // x = 64 is column 2: outside
    EXPECT_EQ(level->GetTileIdAt(1e300, 1e300), 0); // no overflow on absurd positions
    EXPECT_EQ(level->GetTileIdAt(std::nan(""), 0.0), 0);
}

TEST(LevelTest, ShatteringBreaksTheWholeConnectedPaneOnce) {
    // An L of glass (2) and a separate pane to its right, inside stone.
    auto level = MakeLevel({
        "1 1 1 1 1 1",
        "1 2 0 0 2 1",
        "1 2 0 0 0 1",
        "1 2 2 2 0 1",
        "1 1 1 1 1 1",
    });
    const Physics::CollisionMap& map = Physics::PhysicsManager::GetInstance().GetCollisionMap();
    EXPECT_NE(map.GetEdge(2, 1, Physics::CollisionMap::kTop).mFlags, 0u); // glass top faces floor
    EXPECT_FALSE(level->ShatterTile(0, 0));                               // stone
    EXPECT_FALSE(level->ShatterTile(-1, 2));
    EXPECT_TRUE(level->ShatterTile(3, 1));
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {1, 3}}) {
        EXPECT_EQ(level->GetLiveCell(x, y), Logic::kTileShatteredGlass) << x << "," << y;
    }
    EXPECT_EQ(level->GetLiveCell(4, 3), 2);                               // the other pane stays
    EXPECT_EQ(level->GetStoredCell(1, 1), 2);                             // what is saved does not change
    EXPECT_EQ(map.GetEdge(2, 1, Physics::CollisionMap::kTop).mFlags, 0u); // the map was rebuilt
    EXPECT_FALSE(level->ShatterTile(3, 1));                               // already broken
}

TEST(LevelTest, AHugePaneShattersWithoutDeepRecursion) {
    auto level = std::make_unique<Level>(&Tests::ContentTiles());
    const int side = 1024;
    ASSERT_TRUE(level->SetCells(side, side, std::vector<int32_t>(side * side, 2)));
    EXPECT_TRUE(level->ShatterTile(side / 2, side / 2));
    EXPECT_EQ(level->GetLiveCell(0, 0), Logic::kTileShatteredGlass);
    EXPECT_EQ(level->GetLiveCell(side - 1, side - 1), Logic::kTileShatteredGlass);
    level->SetCells(1, 1, {0}); // keep later tests' collision map small
    Tests::ClearEntities();     // the broken cells' sound waves (as many as the game allows)
}

TEST(LevelTest, DoorsOpenAsAWholeRun) {
    auto level = MakeLevel({
        "1 11 1",
        "1 11 1",
        "1 11 12",
    });
    EXPECT_FALSE(level->OpenDoor(2, 0)); // already open
    const Physics::CollisionMap& map = Physics::PhysicsManager::GetInstance().GetCollisionMap();
    // A closed door blocks like stone (flags 15), so the seam between them carries no edge.
    EXPECT_EQ(map.GetEdge(0, 1, Physics::CollisionMap::kRight).mFlags, 0u);
    EXPECT_TRUE(level->OpenDoor(1, 1));
    for (int y = 0; y < 3; ++y) EXPECT_EQ(level->GetLiveCell(1, y), Logic::kTileOpenDoor);
    EXPECT_EQ(map.GetEdge(0, 1, Physics::CollisionMap::kRight).mFlags, 0x0Fu); // the stone now faces a way through
}

// Renders into batches that the test reads instead of drawing.
class LevelRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        mTiles.LoadCatalogue(Tests::SourceDir() + "/data/misc/tiles.xml", [this](const std::string& name) {
            auto& texture = mTextures[name];
            if (!texture) texture = std::make_unique<Graphics::Texture>(name, "", name, nullptr);
            return texture.get();
        });
        mRenderer.SetDrawer([this](const Graphics::Batch& batch) { mDrawn.push_back(batch.mCount / 4); });
    }

    unsigned QuadsOf(int tile) const {
        const Graphics::Texture* texture = mTiles.GetTile(tile)->mTexture;
        for (const auto& [key, batch] : mRenderer.GetBatches()) {
            if (key.mTexture == texture && key.mLayer == Level::kLayer && key.mCapacity == 4096)
                return batch->mCount / 4;
        }
        return 0;
    }

    Logic::TileManager mTiles;
    std::map<std::string, std::unique_ptr<Graphics::Texture>> mTextures;
    Graphics::Renderer mRenderer;
    std::vector<unsigned> mDrawn;
};

TEST_F(LevelRenderTest, OnlyTheCellsInViewAreDrawnOneBatchPerTile) {
    Level level(&mTiles);
    level.SetCells(3, 2, {1, 0, 0, 8, 0, 99}); // 99 is not in the catalogue: not drawn
    level.Render(mRenderer, -100.0, -100.0, 100.0, 100.0);
    EXPECT_EQ(QuadsOf(0), 3u);
    mRenderer.Clear();
    level.Render(mRenderer, 40.0, 0.0, 60.0, 10.0); // x in [40, 60] is column 1 only
    EXPECT_EQ(QuadsOf(0), 1u);
    EXPECT_EQ(QuadsOf(1), 0u);
    mRenderer.Clear();
    level.Render(mRenderer, 500.0, 500.0, 600.0, 600.0); // beyond the grid
    level.Render(mRenderer, -1e308, -1e308, -1e308, 1e308);
    EXPECT_EQ(QuadsOf(0) + QuadsOf(1) + QuadsOf(8), 0u);
}

TEST_F(LevelRenderTest, AFullBatchIsFlushedRatherThanDropped) {
    Level level(&mTiles);
    level.SetCells(40, 30, std::vector<int32_t>(1200, 0));
    level.Render(mRenderer, 0.0, 0.0, 40 * 32.0, 30 * 32.0);
    ASSERT_EQ(mDrawn.size(), 1u);
    EXPECT_EQ(mDrawn[0], 1024u);
    EXPECT_EQ(QuadsOf(0), 1200u - 1024u);
}

} // namespace
} // namespace Velmora
