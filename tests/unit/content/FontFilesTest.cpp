// Every bitmap font the game loads parses as BMFont text, covers printable ASCII and fits its page.
#include "support/TestSupport.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace Velmora {
namespace {

struct FntChar {
    int mX, mY, mWidth, mHeight, mXOffset, mYOffset, mXAdvance, mPage;
};

struct FntFile {
    int mLineHeight = -1;
    int mBase = -1;
    std::string mPageFile;
    std::map<int, FntChar> mChars;
    std::map<std::pair<int, int>, int> mKerning;
};

// key=value pairs of one line; quoted values keep their text without quotes.
std::map<std::string, std::string> Pairs(const std::string& line) {
    std::map<std::string, std::string> pairs;
    std::istringstream in(line);
    std::string word;
    in >> word;
    while (in >> word) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos) continue;
        std::string value = word.substr(eq + 1);
        if (!value.empty() && value.front() == '"') {
            while (value.size() < 2 || value.back() != '"') {
                std::string more;
                if (!(in >> more)) break;
                value += " " + more;
            }
            value = value.substr(1, value.size() - 2);
        }
        pairs[word.substr(0, eq)] = value;
    }
    return pairs;
}

bool ParseFnt(const std::string& path, FntFile& font) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        const std::string tag = line.substr(0, line.find(' '));
        auto kv = Pairs(line);
        auto num = [&](const char* key) { return kv.count(key) ? std::stoi(kv[key]) : -9999; };
        if (tag == "common") {
            font.mLineHeight = num("lineHeight");
            font.mBase = num("base");
        } else if (tag == "page") {
            font.mPageFile = kv["file"];
        } else if (tag == "char") {
            font.mChars[num("id")] = {num("x"),       num("y"),       num("width"),    num("height"),
                                      num("xoffset"), num("yoffset"), num("xadvance"), num("page")};
        } else if (tag == "kerning") {
            font.mKerning[{num("first"), num("second")}] = num("amount");
        }
    }
    return true;
}

class FontFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(FontFiles, ParsesCoversAsciiAndFitsThePage) {
    const std::string name = GetParam();
    const std::string dir = Tests::SourceDir() + "/data/fonts/";
    FntFile font;
    ASSERT_TRUE(ParseFnt(dir + name + ".fnt", font));
    EXPECT_EQ(font.mPageFile, name + "_0.png");
    EXPECT_GT(font.mBase, 0);
    EXPECT_LE(font.mBase, font.mLineHeight);
    EXPECT_LE(font.mLineHeight, 80);
    SDL_Surface* page = IMG_Load((dir + name + "_0.png").c_str());
    ASSERT_NE(page, nullptr);
    for (int code = 32; code <= 126; ++code) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(font.mChars.count(code));
        const FntChar& c = font.mChars[code];
        EXPECT_EQ(c.mPage, 0);
        EXPECT_GT(c.mXAdvance, 0);
        EXPECT_GE(c.mX, 0);
        EXPECT_GE(c.mY, 0);
        EXPECT_LE(c.mX + c.mWidth, page->w);
        EXPECT_LE(c.mY + c.mHeight, page->h);
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
    const FntChar& h = font.mChars['H'];
    EXPECT_NEAR(h.mYOffset + h.mHeight, font.mBase, 1);
    for (const auto& [pair, amount] : font.mKerning) {
        EXPECT_TRUE(font.mChars.count(pair.first));
        EXPECT_TRUE(font.mChars.count(pair.second));
        EXPECT_NE(amount, 0);
        EXPECT_LT(std::abs(amount), font.mLineHeight / 2);
    }
    SDL_FreeSurface(page);
}

INSTANTIATE_TEST_SUITE_P(AllFonts, FontFiles, ::testing::Values("default", "console", "menu", "menu_small", "digital"));

TEST(FontFilesTraits, ProportionalFontsKernAndTheConsoleAndClockAreMonospaced) {
    const std::string dir = Tests::SourceDir() + "/data/fonts/";
    FntFile standard, console, digital;
    ASSERT_TRUE(ParseFnt(dir + "default.fnt", standard));
    ASSERT_TRUE(ParseFnt(dir + "console.fnt", console));
    ASSERT_TRUE(ParseFnt(dir + "digital.fnt", digital));
    EXPECT_TRUE(standard.mKerning.count(std::make_pair(int('A'), int('V'))));
    EXPECT_LT((standard.mKerning[{'A', 'V'}]), 0);
    for (int code = 33; code <= 126; ++code) {
        EXPECT_EQ(console.mChars[code].mXAdvance, console.mChars['M'].mXAdvance) << code;
    }
    // All clock digits have one advance, so a running timer does not jitter.
    for (int code = '0'; code <= '9'; ++code) {
        EXPECT_EQ(digital.mChars[code].mXAdvance, digital.mChars['0'].mXAdvance);
    }
    EXPECT_TRUE(std::ifstream(dir + "DejaVu-LICENSE.txt").good());
}

} // namespace
} // namespace Velmora
