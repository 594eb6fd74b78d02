// data/misc/tiles.xml: the fixed tiles with their flags, textures present, and the auto-tile
// sheets of grouped tiles continue seamlessly across joined sides.
#include "support/TestSupport.h"
#include "world/TileManager.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace Velmora {
namespace {

// The catalogue as the game reads it. The reader is fatal on any fault (ids out of order among
// them), which the capture turns into an exception that fails the test.
std::vector<Logic::Tile> ReadCatalogue() {
    Tests::LogCapture log;
    Logic::TileManager catalogue;
    catalogue.LoadCatalogue(Tests::SourceDir() + "/data/misc/tiles.xml", nullptr);
    std::vector<Logic::Tile> tiles;
    for (int id = 0; id < catalogue.GetTileCount(); ++id) tiles.push_back(*catalogue.GetTile(id));
    return tiles;
}

TEST(TileCatalogue, FixedIdsHaveTheirMeaningAndEveryTextureExists) {
    const std::vector<Logic::Tile> tiles = ReadCatalogue();
    ASSERT_GE(tiles.size(), 13u);
    EXPECT_EQ(tiles[0].mFlags, 0u);
    EXPECT_EQ(tiles[0].mGroup, 0);
    EXPECT_EQ(tiles[4].mFlags, 0u); // shattered glass is floor
    EXPECT_EQ(tiles[8].mFlags, 0u); // the exit is walkable
    EXPECT_EQ(tiles[8].mGroup, 0);
    EXPECT_EQ(tiles[11].mFlags, 0x0Fu); // a closed door blocks everything
    EXPECT_EQ(tiles[12].mFlags, 0u);
    bool wall = false, glass = false, playerOnly = false, enemyOnly = false;
    for (const Logic::Tile& t : tiles) {
        SCOPED_TRACE(t.mName);
        wall |= t.mGroup != 0 && t.mFlags == 0x0Fu;
        glass |= t.mGroup != 0 && t.mFlags == 0x17u;
        playerOnly |= t.mFlags == 0x01u;
        enemyOnly |= t.mFlags == 0x02u;
        SDL_Surface* image = IMG_Load((Tests::SourceDir() + "/data/image/" + t.mTextureName).c_str());
        ASSERT_NE(image, nullptr) << t.mTextureName;
        if (t.mGroup != 0) { // a 4x4 sheet of square variants
            EXPECT_EQ(image->w, image->h);
            EXPECT_EQ(image->w % 128, 0);
        }
        SDL_FreeSurface(image);
    }
    EXPECT_TRUE(wall);
    EXPECT_TRUE(glass);
    EXPECT_TRUE(playerOnly);
    EXPECT_TRUE(enemyOnly);
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

// Colour where the game's bilinear sampling meets the inset edge: the mean of the two texels
// either side of the boundary at `edge` (a column when `vertical`, else a row), at `along`.
double EdgeValue(const SDL_Surface* s, int edge, int along, bool vertical, int channel) {
    auto at = [&](int x, int y) {
        return static_cast<const unsigned char*>(s->pixels)[y * s->pitch + x * 4 + channel];
    };
    return vertical ? (at(edge - 1, along) + at(edge, along)) / 2.0 : (at(along, edge - 1) + at(along, edge)) / 2.0;
}

// Mean and worst difference between the joining edges of two variants.
void CompareEdges(const SDL_Surface* s, int first, int second, bool horizontalJoin, double& mean, double& worst) {
    const int quarter = s->w / 4;
    const int inset = s->w / 128;
    const int c1 = first % 4, r1 = first / 4, c2 = second % 4, r2 = second / 4;
    mean = worst = 0;
    int samples = 0;
    for (int i = inset; i < quarter - inset; ++i) {
        for (int channel = 0; channel < 4; ++channel) {
            const double a = horizontalJoin
                ? EdgeValue(s, c1 * quarter + quarter - inset, r1 * quarter + i, true, channel)
                : EdgeValue(s, r1 * quarter + quarter - inset, c1 * quarter + i, false, channel);
            const double b = horizontalJoin ? EdgeValue(s, c2 * quarter + inset, r2 * quarter + i, true, channel)
                                            : EdgeValue(s, r2 * quarter + inset, c2 * quarter + i, false, channel);
            mean += std::abs(a - b);
            worst = std::max(worst, std::abs(a - b));
            ++samples;
        }
    }
    mean /= samples;
}

TEST(TileCatalogue, AutoTileVariantsJoinSeamlesslyAcrossTheInset) {
    for (const Logic::Tile& t : ReadCatalogue()) {
        if (t.mGroup == 0) continue;
        SCOPED_TRACE(t.mTextureName);
        SDL_Surface* loaded = IMG_Load((Tests::SourceDir() + "/data/image/" + t.mTextureName).c_str());
        ASSERT_NE(loaded, nullptr);
        std::unique_ptr<SDL_Surface, SurfaceDeleter> sheet(
            SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000));
        SDL_SetAlpha(loaded, 0, 255);
        SDL_BlitSurface(loaded, nullptr, sheet.get(), nullptr);
        SDL_FreeSurface(loaded);
        // A variant joined on the right next to one joined on the left, both with the same
        // neighbours above and below (so their outlines agree); likewise vertically.
        for (int m = 0; m < 16; ++m) {
            for (int n = 0; n < 16; ++n) {
                double mean = 0, worst = 0;
                if ((m & 1) && (n & 4) && (m & 10) == (n & 10)) {
                    CompareEdges(sheet.get(), m, n, true, mean, worst);
                    EXPECT_LT(mean, 3.0) << "right of " << m << " to left of " << n;
                    EXPECT_LT(worst, 24.0) << "right of " << m << " to left of " << n;
                }
                if ((m & 2) && (n & 8) && (m & 5) == (n & 5)) {
                    CompareEdges(sheet.get(), m, n, false, mean, worst);
                    EXPECT_LT(mean, 3.0) << "below " << m << " to above " << n;
                    EXPECT_LT(worst, 24.0) << "below " << m << " to above " << n;
                }
            }
        }
        // An open side really shows an edge: the isolated variant differs from the fully joined one there.
        double mean = 0, worst = 0;
        CompareEdges(sheet.get(), 15, 15, true, mean, worst);
        EXPECT_LT(mean, 3.0);
        CompareEdges(sheet.get(), 0, 15, true, mean, worst);
        EXPECT_GT(mean, 5.0);
    }
}

} // namespace
} // namespace Velmora
