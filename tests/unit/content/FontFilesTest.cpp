// Every bitmap font the game loads, read by the game's own parser, covers printable ASCII and
// fits its single page.
#include "graphics/Font.h"
#include "support/TestSupport.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace Velmora {
namespace {

using Graphics::Font;
using Graphics::Glyph;

std::string FontDir() { return Tests::SourceDir() + "/data/fonts/"; }

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The description parsed as the font manager parses it, over the size of its page image (so a
// glyph's texture coordinates are fractions of the page).
Font LoadFont(const std::string& name) {
    Font font;
    SDL_Surface* page = IMG_Load((FontDir() + name + "_0.png").c_str());
    EXPECT_NE(page, nullptr) << name;
    if (page) {
        font.Parse(ReadText(FontDir() + name + ".fnt"), page->w, page->h);
        SDL_FreeSurface(page);
    }
    return font;
}

class FontFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(FontFiles, ParsesCoversAsciiAndFitsThePage) {
    const std::string name = GetParam();
    const std::string text = ReadText(FontDir() + name + ".fnt");
    ASSERT_FALSE(text.empty());
    // The font manager loads NAME_0.png as the only page, whatever the description says.
    EXPECT_NE(text.find(" pages=1 "), std::string::npos);
    EXPECT_NE(text.find("file=\"" + name + "_0.png\""), std::string::npos);
    const Font font = LoadFont(name);
    EXPECT_GT(font.mBase, 0);
    EXPECT_LE(font.mBase, font.mLineHeight);
    EXPECT_LE(font.mLineHeight, 80);
    for (int code = 32; code <= 126; ++code) {
        SCOPED_TRACE(code);
        const Glyph& c = font.mGlyphs[static_cast<size_t>(code)];
        EXPECT_GT(c.mXAdvance, 0);
        EXPECT_GE(c.mU0, 0.0);
        EXPECT_GE(c.mV0, 0.0);
        EXPECT_LE(c.mU1, 1.0);
        EXPECT_LE(c.mV1, 1.0);
        // Glyphs sit inside the line box: nothing above its top, nothing far below it.
        if (c.mHeight > 0) {
            EXPECT_GE(c.mYOffset, 0);
            EXPECT_LE(c.mYOffset + c.mHeight, font.mLineHeight + 4);
        }
        if (code != ' ') {
            EXPECT_GT(c.mWidth, 0);
        }
    }
    // Capitals rest on the baseline.
    const Glyph& h = font.mGlyphs['H'];
    EXPECT_NEAR(h.mYOffset + h.mHeight, font.mBase, 1);
    for (const auto& [pair, amount] : font.mKerning) {
        EXPECT_GT(font.mGlyphs[static_cast<size_t>(pair.first)].mXAdvance, 0);
        EXPECT_GT(font.mGlyphs[static_cast<size_t>(pair.second)].mXAdvance, 0);
        EXPECT_NE(amount, 0);
        EXPECT_LT(std::abs(amount), font.mLineHeight / 2);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFonts, FontFiles, ::testing::Values("default", "console", "menu", "menu_small", "digital"));

TEST(FontFilesTraits, ProportionalFontsKernAndTheConsoleAndClockAreMonospaced) {
    const Font standard = LoadFont("default");
    const Font console = LoadFont("console");
    const Font digital = LoadFont("digital");
    EXPECT_LT(standard.GetKerning('A', 'V'), 0);
    for (int code = 33; code <= 126; ++code) {
        EXPECT_EQ(console.mGlyphs[static_cast<size_t>(code)].mXAdvance, console.mGlyphs['M'].mXAdvance) << code;
    }
    // All clock digits have one advance, so a running timer does not jitter.
    for (int code = '0'; code <= '9'; ++code) {
        EXPECT_EQ(digital.mGlyphs[static_cast<size_t>(code)].mXAdvance, digital.mGlyphs['0'].mXAdvance);
    }
    EXPECT_TRUE(std::ifstream(FontDir() + "DejaVu-LICENSE.txt").good());
}

} // namespace
} // namespace Velmora
