// The images the game reads decode with sane sides, the particle atlas has its cells where the
// effects look for them, and data/misc/tiles.xml has its fixed tiles, textures present and
// auto-tile sheets that continue seamlessly across joined sides.
#include "support/TestSupport.h"
#include "world/TileManager.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Velmora {
namespace {

namespace fs = std::filesystem;

std::string DataPath(const std::string& relative) { return Tests::SourceDir() + "/data/" + relative; }

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// Loads an image as 32-bit RGBA (bytes r, g, b, a in memory order).
Surface LoadRgba(const std::string& path) {
    Surface loaded(IMG_Load(path.c_str()));
    if (!loaded) return nullptr;
    Surface rgba(
        SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000));
    SDL_SetAlpha(loaded.get(), 0, 255);
    SDL_BlitSurface(loaded.get(), nullptr, rgba.get(), nullptr);
    return rgba;
}

const unsigned char* Pixel(const SDL_Surface* s, int x, int y) {
    return static_cast<const unsigned char*>(s->pixels) + y * s->pitch + x * 4;
}

// Power-of-two sides, so the game's padding never shows inside a sprite or a stretched page.
TEST(ContentImages, EveryPngDecodesWithPowerOfTwoSidesAndTheNamedOnesHaveTheirSizes) {
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"particle.png", {256, 256}}, {"waypoint.png", {32, 32}},   {"player.png", {128, 128}},
        {"guard.png", {64, 64}},      {"soundwave.png", {64, 256}}, {"hud.png", {1024, 128}},
    };
    int count = 0, named = 0;
    for (const char* folder : {"image", "fonts"}) {
        for (const auto& entry : fs::recursive_directory_iterator(DataPath(folder))) {
            if (entry.path().extension() != ".png") continue;
            SCOPED_TRACE(entry.path().string());
            Surface image(IMG_Load(entry.path().c_str()));
            ASSERT_NE(image, nullptr) << IMG_GetError();
            EXPECT_EQ(image->w & (image->w - 1), 0);
            EXPECT_EQ(image->h & (image->h - 1), 0);
            EXPECT_GE(std::min(image->w, image->h), 16);
            EXPECT_LE(std::max(image->w, image->h), 2048);
            const auto size = sizes.find(entry.path().filename().string());
            if (size != sizes.end() && entry.path().parent_path().filename() == "image") {
                EXPECT_EQ(std::make_pair(image->w, image->h), size->second);
                ++named;
            }
            ++count;
        }
    }
    EXPECT_GT(count, 40);
    EXPECT_EQ(named, static_cast<int>(sizes.size()));
}

TEST(ContentImages, ParticleAtlasHasItsCellsWhereTheEffectsLook) {
    const Surface atlas = LoadRgba(DataPath("image/particle.png"));
    ASSERT_NE(atlas, nullptr);
    auto coverage = [&](double u0, double v0) {
        long sum = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                sum += Pixel(atlas.get(), static_cast<int>(u0 * 256) + x, static_cast<int>(v0 * 256) + y)[3];
        return sum / (64.0 * 64.0);
    };
    for (int k = 0; k < 4; ++k) EXPECT_GT(coverage(0.25 * k, 0.0), 20) << "shard " << k;
    EXPECT_GT(coverage(0.25, 0.5), 10); // horizontal door streak
    EXPECT_GT(coverage(0.0, 0.75), 10); // vertical door streak
    EXPECT_GT(coverage(0.75, 0.5), 20); // spark
    EXPECT_EQ(coverage(0.5, 0.25), 0);  // unused cell
}

// The tile catalogue as the game reads it. The reader is fatal on any fault (ids out of order
// among them), which the capture turns into an exception that fails the test.
std::vector<Logic::Tile> ReadCatalogue() {
    Tests::LogCapture log;
    Logic::TileManager catalogue;
    catalogue.LoadCatalogue(DataPath("misc/tiles.xml"), nullptr);
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
        Surface image(IMG_Load(DataPath("image/" + t.mTextureName).c_str()));
        ASSERT_NE(image, nullptr) << t.mTextureName;
        if (t.mGroup != 0) { // a 4x4 sheet of square variants
            EXPECT_EQ(image->w, image->h);
            EXPECT_EQ(image->w % 128, 0);
        }
    }
    EXPECT_TRUE(wall && glass && playerOnly && enemyOnly);
}

// Mean and worst difference between the joining edges of two variants of a 4x4 sheet, taken where
// the game's bilinear sampling meets the inset edge: the mean of the two texels either side of it.
std::pair<double, double> CompareEdges(const SDL_Surface* s, int first, int second, bool horizontalJoin) {
    const int quarter = s->w / 4;
    const int inset = s->w / 128;
    // A channel of the texel of variant k at u across the join and v along it.
    const auto at = [&](int k, int u, int v, int channel) {
        const int x = (k % 4) * quarter + (horizontalJoin ? u : v);
        const int y = (k / 4) * quarter + (horizontalJoin ? v : u);
        return Pixel(s, x, y)[channel];
    };
    double mean = 0, worst = 0;
    int samples = 0;
    for (int v = inset; v < quarter - inset; ++v) {
        for (int c = 0; c < 4; ++c) {
            const double a = (at(first, quarter - inset - 1, v, c) + at(first, quarter - inset, v, c)) / 2.0;
            const double b = (at(second, inset - 1, v, c) + at(second, inset, v, c)) / 2.0;
            mean += std::abs(a - b);
            worst = std::max(worst, std::abs(a - b));
            ++samples;
        }
    }
    return {mean / samples, worst};
}

TEST(TileCatalogue, AutoTileVariantsJoinSeamlesslyAcrossTheInset) {
    for (const Logic::Tile& t : ReadCatalogue()) {
        if (t.mGroup == 0) continue;
        SCOPED_TRACE(t.mTextureName);
        const Surface sheet = LoadRgba(DataPath("image/" + t.mTextureName));
        ASSERT_NE(sheet, nullptr);
        // A variant joined on the right next to one joined on the left, both with the same
        // neighbours above and below (so their outlines agree); likewise vertically.
        for (int m = 0; m < 16; ++m) {
            for (int n = 0; n < 16; ++n) {
                for (const bool horizontal : {true, false}) {
                    const bool joins = horizontal ? (m & 1) && (n & 4) && (m & 10) == (n & 10)
                                                  : (m & 2) && (n & 8) && (m & 5) == (n & 5);
                    if (!joins) continue;
                    const auto [mean, worst] = CompareEdges(sheet.get(), m, n, horizontal);
                    EXPECT_LT(mean, 3.0) << m << " to " << n << (horizontal ? " across" : " down");
                    EXPECT_LT(worst, 24.0) << m << " to " << n << (horizontal ? " across" : " down");
                }
            }
        }
        // An open side really shows an edge: the isolated variant differs from the fully joined one there.
        EXPECT_GT(CompareEdges(sheet.get(), 0, 15, true).first, 5.0);
    }
}

} // namespace
} // namespace Velmora
