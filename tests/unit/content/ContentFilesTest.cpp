// The committed content as the game reads it. Images decode with sane sides and the particle
// atlas has its cells where the effects look for them; data/misc/tiles.xml has its fixed tiles,
// textures present and auto-tile sheets that continue seamlessly across joined sides; every
// bitmap font, read by the game's own parser, covers printable ASCII and fits its single page;
// and the sounds in data/audio decode with the game's decoder to a sane format and length, never
// sit at full scale, effects start and end on silence, and music loops without a jump at the seam.
#include "audio/VorbisDecoder.h"
#include "graphics/Font.h"
#include "support/TestSupport.h"
#include "world/TileManager.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
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
        EXPECT_EQ(sheet->w, sheet->h); // a 4x4 sheet of square variants
        EXPECT_EQ(sheet->w % 128, 0);
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

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A font description parsed as the font manager parses it, over the size of its page image (so a
// glyph's texture coordinates are fractions of the page).
Graphics::Font LoadFont(const std::string& name) {
    Graphics::Font font;
    const Surface page(IMG_Load(DataPath("fonts/" + name + "_0.png").c_str()));
    EXPECT_NE(page, nullptr) << name;
    if (page) font.Parse(ReadText(DataPath("fonts/" + name + ".fnt")), page->w, page->h);
    return font;
}

class FontFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(FontFiles, ParsesCoversAsciiAndFitsThePage) {
    const std::string name = GetParam();
    // The font manager loads NAME_0.png as the only page, whatever the description says.
    EXPECT_NE(ReadText(DataPath("fonts/" + name + ".fnt")).find(" pages=1 "), std::string::npos);
    const Graphics::Font font = LoadFont(name);
    EXPECT_GT(font.mBase, 0);
    EXPECT_LE(font.mBase, font.mLineHeight);
    EXPECT_LE(font.mLineHeight, 80);
    for (int code = 32; code <= 126; ++code) {
        SCOPED_TRACE(code);
        const Graphics::Glyph& c = font.mGlyphs[static_cast<size_t>(code)];
        EXPECT_GT(c.mXAdvance, 0);
        EXPECT_TRUE(c.mU0 >= 0.0 && c.mV0 >= 0.0 && c.mU1 <= 1.0 && c.mV1 <= 1.0);
        // Glyphs sit inside the line box: nothing above its top, nothing far below it.
        if (c.mHeight > 0) {
            EXPECT_GE(c.mYOffset, 0);
            EXPECT_LE(c.mYOffset + c.mHeight, font.mLineHeight + 4);
        }
        if (code != ' ') EXPECT_GT(c.mWidth, 0);
    }
    // Capitals rest on the baseline.
    const Graphics::Glyph& h = font.mGlyphs['H'];
    EXPECT_NEAR(h.mYOffset + h.mHeight, font.mBase, 1);
    for (const auto& [pair, amount] : font.mKerning) {
        EXPECT_GT(font.mGlyphs[static_cast<size_t>(pair.first)].mXAdvance, 0);
        EXPECT_GT(font.mGlyphs[static_cast<size_t>(pair.second)].mXAdvance, 0);
        EXPECT_NE(amount, 0);
        EXPECT_LT(std::abs(amount), font.mLineHeight / 2);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFonts, FontFiles, ::testing::Values("default", "console", "menu", "menu_small", "digital"));

/// A decoded file: samples per channel as the game's 16-bit buffer holds them.
struct Decoded {
    int mChannels = 0;
    long mRate = 0;
    std::vector<std::vector<int>> mSamples;

    double Seconds() const { return mSamples.empty() ? 0.0 : static_cast<double>(mSamples[0].size()) / mRate; }
};

/// Every .ogg file under the folder, decoded with the audio manager's own decoder.
std::vector<std::pair<fs::path, Decoded>> DecodeAll(const std::string& folder) {
    std::vector<std::pair<fs::path, Decoded>> files;
    for (const auto& entry : fs::recursive_directory_iterator(Tests::SourceDir() + "/data/audio/" + folder)) {
        if (entry.path().extension() != ".ogg") continue;
        Audio::DecodedSound sound;
        EXPECT_TRUE(Audio::VorbisDecoder::DecodeFile(entry.path().string(), sound)) << entry.path();
        Decoded result{sound.mChannels, sound.mRate, {}};
        result.mSamples.resize(static_cast<size_t>(std::max(1, sound.mChannels)));
        for (size_t i = 0; i + 1 < sound.mPcm.size(); i += 2) {
            const int sample = static_cast<int16_t>(sound.mPcm[i] | (sound.mPcm[i + 1] << 8));
            result.mSamples[(i / 2) % result.mSamples.size()].push_back(sample);
        }
        files.emplace_back(entry.path(), std::move(result));
    }
    return files;
}

/// Longest run of consecutive samples at (or a hair below) full scale in one channel.
size_t LongestFullScaleRun(const std::vector<int>& samples) {
    size_t longest = 0;
    size_t run = 0;
    for (const int s : samples) {
        run = std::abs(s) >= 32700 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST(AudioContent, EveryEffectDecodesAsAShortCleanMonoClip) {
    const auto effects = DecodeAll("SFX");
    EXPECT_GE(effects.size(), 17u);
    for (const auto& [path, clip] : effects) {
        SCOPED_TRACE(path);
        EXPECT_EQ(clip.mChannels, 1);
        EXPECT_EQ(clip.mRate, 44100);
        EXPECT_GT(clip.Seconds(), 0.03);
        EXPECT_LT(clip.Seconds(), 5.0);
        const std::vector<int>& s = clip.mSamples.front();
        ASSERT_GT(s.size(), 88u);
        EXPECT_LT(LongestFullScaleRun(s), 3u);
        const int peak = *std::max_element(s.begin(), s.end(), [](int a, int b) { return std::abs(a) < std::abs(b); });
        EXPECT_GT(std::abs(peak), 3000) << "a clip that is all but silent";
        // No click at either end: the first sample and the last 2 ms sit near silence.
        EXPECT_LT(std::abs(s.front()), 600);
        for (size_t i = s.size() - 88; i < s.size(); ++i) {
            ASSERT_LT(std::abs(s[i]), 330) << "at sample " << i << " of " << s.size();
        }
    }
}

TEST(AudioContent, EveryMusicPieceIsALongStereoLoopWithoutClippingThatJoinsItsEndToItsStart) {
    const auto pieces = DecodeAll("BGM");
    EXPECT_GE(pieces.size(), 4u);
    for (const auto& [path, music] : pieces) {
        SCOPED_TRACE(path);
        EXPECT_EQ(music.mChannels, 2);
        EXPECT_EQ(music.mRate, 44100);
        EXPECT_GT(music.Seconds(), 60.0);
        EXPECT_LT(music.Seconds(), 100.0);
        EXPECT_LT(fs::file_size(path), 1500000u);
        for (const std::vector<int>& s : music.mSamples) {
            EXPECT_LT(LongestFullScaleRun(s), 3u);
            // Across the seam the wave should move like anywhere else in the piece: the step
            // from the last sample to the first, and the change of slope, stay within a few
            // typical sample-to-sample steps.
            const size_t n = s.size();
            ASSERT_GT(n, 4u);
            double typical = 0.0;
            for (size_t i = 1; i < n; ++i) typical += std::abs(s[i] - s[i - 1]) / static_cast<double>(n - 1);
            ASSERT_GT(typical, 1.0);
            EXPECT_LT(std::abs(s[0] - s[n - 1]), 4.0 * typical);
            EXPECT_LT(std::abs((s[1] - s[0]) - (s[n - 1] - s[n - 2])), 5.0 * typical);
        }
    }
}

} // namespace
} // namespace Velmora
