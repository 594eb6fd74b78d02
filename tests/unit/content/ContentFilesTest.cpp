// The generated content the game reads: images decode, fonts parse and fit their pages, the tile
// catalogue is complete and consistent, and auto-tile sheets join without seams.
#include "support/TestSupport.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace Velmora {
namespace {

namespace fs = std::filesystem;

std::string DataPath(const std::string& relative) {
    return Tests::SourceDir() + "/data/" + relative;
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// Loads an image as 32-bit RGBA (bytes r, g, b, a in memory order).
Surface LoadRgba(const std::string& path) {
    Surface loaded(IMG_Load(path.c_str()));
    if (!loaded) {
        return nullptr;
    }
    Surface rgba(SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0x000000FF, 0x0000FF00, 0x00FF0000,
                                      0xFF000000));
    SDL_SetAlpha(loaded.get(), 0, 255);
    SDL_BlitSurface(loaded.get(), nullptr, rgba.get(), nullptr);
    return rgba;
}

const unsigned char* Pixel(const SDL_Surface* s, int x, int y) {
    return static_cast<const unsigned char*>(s->pixels) + y * s->pitch + x * 4;
}

TEST(ContentImages, EveryPngDecodesWithSaneSize) {
    int count = 0;
    for (const char* folder : {"image", "fonts"}) {
        for (const auto& entry : fs::recursive_directory_iterator(DataPath(folder))) {
            if (entry.path().extension() != ".png") {
                continue;
            }
            SCOPED_TRACE(entry.path().string());
            Surface image(IMG_Load(entry.path().c_str()));
            ASSERT_NE(image, nullptr) << IMG_GetError();
            EXPECT_GE(image->w, 16);
            EXPECT_GE(image->h, 16);
            EXPECT_LE(image->w, 2048);
            EXPECT_LE(image->h, 2048);
            ++count;
        }
    }
    EXPECT_GT(count, 40);
}

TEST(ContentImages, NamedImagesExistWithTheExpectedShapes) {
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"particle.png", {256, 256}}, {"waypoint.png", {32, 32}}, {"player.png", {128, 128}},
        {"guard.png", {64, 64}}, {"soundwave.png", {64, 256}}, {"hud.png", {1024, 128}},
    };
    for (const char* name : {"hud.png", "hudbriefcase.png", "chargemeter.png", "laser_dot.png", "particle.png",
                             "soundwave.png", "norrik.png", "zenthra.png", "velmora.png", "xboxcontroller.png",
                             "roomrender.png", "helpmenu.png", "player.png", "guard.png", "guard_alert.png",
                             "guard_pan.png", "guard_alarm.png",
                             "gun_sound.png", "gun_white.png", "gun_shock.png", "briefcase.png", "generator.png",
                             "waypoint.png", "emote_exclaim.png", "emote_question.png"}) {
        SCOPED_TRACE(name);
        Surface image(IMG_Load(DataPath(std::string("image/") + name).c_str()));
        ASSERT_NE(image, nullptr);
        // Power-of-two sides, so the game's padding never shows inside a sprite or a stretched page.
        EXPECT_EQ(image->w & (image->w - 1), 0);
        EXPECT_EQ(image->h & (image->h - 1), 0);
        const auto size = sizes.find(name);
        if (size != sizes.end()) {
            EXPECT_EQ(image->w, size->second.first);
            EXPECT_EQ(image->h, size->second.second);
        }
    }
}

TEST(ContentImages, ParticleAtlasHasItsCellsWhereTheEffectsLook) {
    const Surface atlas = LoadRgba(DataPath("image/particle.png"));
    ASSERT_NE(atlas, nullptr);
    auto coverage = [&](double u0, double v0) {
        long sum = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) sum += Pixel(atlas.get(), static_cast<int>(u0 * 256) + x, static_cast<int>(v0 * 256) + y)[3];
        return sum / (64.0 * 64.0);
    };
    for (int k = 0; k < 4; ++k) EXPECT_GT(coverage(0.25 * k, 0.0), 20) << "shard " << k;
    EXPECT_GT(coverage(0.25, 0.5), 10);  // horizontal door streak
    EXPECT_GT(coverage(0.0, 0.75), 10);  // vertical door streak
    EXPECT_GT(coverage(0.75, 0.5), 20);  // spark
    EXPECT_EQ(coverage(0.5, 0.25), 0);   // unused cell
    // The spark is centred and round: bright middle, transparent corner.
    EXPECT_GT(Pixel(atlas.get(), 224, 160)[3], 200);
    EXPECT_EQ(Pixel(atlas.get(), 193, 129)[3], 0);
}

TEST(ContentImages, SoundwaveRibbonIsBrightAtTheFrontAndFadesAlongTheTrail) {
    const Surface ribbon = LoadRgba(DataPath("image/soundwave.png"));
    ASSERT_NE(ribbon, nullptr);
    const int front = Pixel(ribbon.get(), 32, 6)[3];
    EXPECT_GT(front, 200);
    EXPECT_GT(front, Pixel(ribbon.get(), 32, 64)[3]);
    EXPECT_GT(Pixel(ribbon.get(), 32, 64)[3], Pixel(ribbon.get(), 32, 250)[3]);
    for (int y = 0; y < 256; y += 17) {  // constant across the band, so neighbouring bands join
        EXPECT_EQ(Pixel(ribbon.get(), 0, y)[3], Pixel(ribbon.get(), 63, y)[3]);
    }
}

} // namespace
} // namespace Velmora
