#include "graphics/Font.h"
#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "graphics/TextureManager.h"
#include "support/GraphicsFixtures.h"

#include <gtest/gtest.h>

#include <array>

namespace Velmora::Graphics {
namespace {

using Tests::FixtureFontDescription;
using Tests::LogCapture;
using Tests::ScopedDataRoot;
using Tests::WriteFixtureFont;

Font FixtureFont() {
    Font font;
    font.Parse(FixtureFontDescription(), 64, 32);
    return font;
}

const Batch* OnlyBatch(const Renderer& renderer) {
    return renderer.GetBatches().size() == 1 ? renderer.GetBatches().begin()->second.get() : nullptr;
}

TEST(Font, ParsesMetricsGlyphsAndKerning) {
    const Font font = FixtureFont();
    EXPECT_EQ(font.mLineHeight, 12);
    EXPECT_EQ(font.mBase, 10);
    const Glyph& v = font.mGlyphs['V'];
    EXPECT_EQ((std::array<double, 4>{v.mWidth, v.mHeight, v.mYOffset, v.mXAdvance}),
              (std::array<double, 4>{8, 10, 2, 9}));
    // Texture coordinates of 8 … 16 by 0 … 10 pixels on the 64 × 32 page; all exact in binary.
    EXPECT_EQ((std::array<double, 4>{v.mU0, v.mV0, v.mU1, v.mV1}), (std::array<double, 4>{0.125, 0.0, 0.25, 0.3125}));
    EXPECT_EQ(font.GetKerning('A', 'V'), -2);
    EXPECT_EQ(font.GetKerning('V', 'A'), 0);
    // A padded page scales the rectangle to the area the image fills.
    Font padded;
    padded.Parse("char id=65 x=50 y=10 width=25 height=20\n", 100, 50, 0.78125, 0.78125);
    EXPECT_DOUBLE_EQ(padded.mGlyphs['A'].mU1, 75.0 / 128);
    EXPECT_DOUBLE_EQ(padded.mGlyphs['A'].mV1, 30.0 / 64);
}

TEST(Font, WidthAddsAdvancesAndKerning) {
    const Font font = FixtureFont();
    EXPECT_EQ(font.TextWidth(""), 0.0);
    EXPECT_EQ(font.TextWidth("VA"), 18.0);
    EXPECT_EQ(font.TextWidth("AV"), 16.0); // two narrower than the sum of the advances
    EXPECT_EQ(font.TextWidth("A V"), 22.0);
    // Characters above 127 are negative as signed bytes: no width, and they break a kerned pair.
    EXPECT_EQ(font.TextWidth("A\xC3\xA9V"), 18.0);
}

TEST(Font, DrawPlacesGlyphQuadsFromTheLineBottomAndSkipsHighCharacters) {
    const Font font = FixtureFont();
    Renderer renderer([](const Batch&) {});
    font.Draw(renderer, "AV", 100.7, 50.2, kAlignLeft, 810, 0xFFFFFFFFu);
    font.Draw(renderer, "\xC3\xA9\xFF", 0, 0, kAlignLeft, 810, 0xFFFFFFFFu);
    const Batch* batch = OnlyBatch(renderer);
    ASSERT_NE(batch, nullptr);
    EXPECT_EQ(batch->mLayer, 810);
    ASSERT_EQ(batch->mCount, 8u);
    const Vertex* v = batch->GetVertices();
    // x and y are rounded down; 'A' has xoffset 1, yoffset 2 in a 12-pixel line.
    EXPECT_EQ(v[0].mX, 101); // left, bottom
    EXPECT_EQ(v[0].mY, 50 + 10 - 10);
    EXPECT_EQ(v[2].mX, 109); // right, top
    EXPECT_EQ(v[2].mY, 60);
    EXPECT_EQ(v[3].mU, 0.0); // top-left texture corner
    EXPECT_EQ(v[3].mV, 0.0);
    // 'V' follows after the advance (9) and the kerning (−2).
    EXPECT_EQ(v[4].mX, 100 + 9 - 2);
}

TEST(Font, AlignmentMovesTheStartByTheWidth) {
    const Font font = FixtureFont();
    const auto firstX = [&font](int alignment, double scale) {
        Renderer renderer([](const Batch&) {});
        font.Draw(renderer, "AV", 200, 0, alignment, 810, 0xFFFFFFFFu, scale, scale);
        return OnlyBatch(renderer)->GetVertices()[0].mX;
    };
    EXPECT_EQ(firstX(kAlignCenter, 1.0), 200 - 8 + 1);
    EXPECT_EQ(firstX(kAlignRight, 2.0), 200 - 32 + 2);
}

TEST(Font, BadLinesAreIgnored) {
    Font font;
    font.Parse(
        "common lineHeight=abc base=-5\n"
        "char id=300 x=1 width=5 xadvance=7\n"
        "char id=-1 xadvance=7\n"
        "char x=1 width=5 xadvance=7\n"
        "char id=66 x=99999999999999999999 width=-4 height=2147483647 xadvance=+3\n"
        "kerning first=65 second=999 amount=4\n"
        "kerning first=65\n"
        "char\n=\n==x\nchar id==\n\r\n   \n"
        "kerning first=66 second=66 amount=-99999999999\n",
        0, 0);
    EXPECT_EQ(font.mLineHeight, 0);
    EXPECT_EQ(font.mGlyphs[0].mXAdvance, 0);
    EXPECT_EQ(font.mGlyphs[255].mXAdvance, 0);
    EXPECT_EQ(font.mGlyphs['B'].mXAdvance, 3);
    EXPECT_EQ(font.mGlyphs['B'].mHeight, 1000000);
    EXPECT_EQ(font.mGlyphs['B'].mU0, 0.0); // no page size: no texture coordinates
    EXPECT_EQ(font.GetKerning('B', 'B'), -1000000);
    EXPECT_EQ(font.mKerning.size(), 2u); // (B, B) and "kerning first=65" as (65, 0)
}

TEST(FontManager, LoadsAFontWithItsPageAndKeepsItsObjectsOnAReload) {
    ScopedDataRoot root;
    WriteFixtureFont(root.Path(), "fixture_load");
    FontManager fonts;
    ASSERT_TRUE(fonts.LoadFont("fixture_load"));
    const Font* font = fonts.GetFont("fixture_load");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->mPage, TextureManager::GetInstance().FindTexture("font/fixture_load"));
    EXPECT_EQ(fonts.TextWidth(font, "AV"), 16.0);
    ASSERT_TRUE(fonts.LoadFont("fixture_load"));
    EXPECT_EQ(fonts.GetFont("fixture_load"), font);

    // Scaled text: its own layer, and right alignment only.
    Renderer renderer([](const Batch&) {});
    fonts.DrawTextScaled(renderer, font, "A", 100, 0, kAlignCenter, 2.0, 2.0, 0xFFFFFFFFu);
    fonts.DrawTextScaled(renderer, font, "A", 100, 0, kAlignRight, 2.0, 2.0, 0xFFFFFFFFu);
    const Batch* batch = OnlyBatch(renderer);
    ASSERT_NE(batch, nullptr);
    EXPECT_EQ(batch->mLayer, FontManager::kTextLayer);
    EXPECT_EQ(batch->GetVertices()[0].mX, 102);          // centring is not offered: left
    EXPECT_EQ(batch->GetVertices()[4].mX, 100 - 18 + 2); // right: the scaled width ends at x
    EXPECT_EQ(batch->GetVertices()[2].mY, 20);           // (12 − 2) × 2 above the bottom
}

TEST(FontManager, MissingFontsAreLoggedAndFallBackToTheDefault) {
    ScopedDataRoot root;
    WriteFixtureFont(root.Path(), "default");
    Tests::WriteFile(root.Path() + "/data/fonts/nopage.fnt", FixtureFontDescription());
    LogCapture log;
    FontManager fonts;
    fonts.Initialize();
    const std::string fontDir = root.Path() + "/data/fonts/";
    EXPECT_TRUE(log.Contains("[GRAPHICS:1] Failed to load font `console`: " + fontDir + "console.fnt"));
    EXPECT_TRUE(log.mCritical.empty());
    EXPECT_FALSE(fonts.LoadFont("nopage"));
    EXPECT_TRUE(log.Contains("Failed to load font `nopage`: " + fontDir + "nopage_0.png"));
    EXPECT_EQ(fonts.GetFont("menu"), fonts.GetFont("default"));
    EXPECT_TRUE(log.Contains("[GRAPHICS:1] Requested font `menu` is not loaded, returning default"));
}

TEST(FontManager, MissingDefaultFontIsFatal) {
    ScopedDataRoot root;
    LogCapture log;
    FontManager fonts;
    EXPECT_THROW(fonts.Initialize(), Tests::FatalError);
    EXPECT_TRUE(log.CriticalContains("[ASSERT:1] Fatal Error: Failed to load default font"));
}

} // namespace
} // namespace Velmora::Graphics
