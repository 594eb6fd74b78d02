#include "FontWriter.h"

#include "Png.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <numeric>

namespace Velmora::Tools {

namespace {

constexpr int kSpacing = 2;

// Shelf packing, tallest glyphs first; returns the used height, or -1 when a glyph is wider than
// the page.
int PackShelves(FontData& font, int width) {
    std::vector<size_t> order(font.mGlyphs.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return font.mGlyphs[a].mHeight > font.mGlyphs[b].mHeight; });
    int x = kSpacing;
    int y = kSpacing;
    int shelf = 0;
    for (const size_t index : order) {
        Glyph& glyph = font.mGlyphs[index];
        if (glyph.mWidth == 0) {
            glyph.mX = glyph.mY = 0;
            continue;
        }
        if (glyph.mWidth + 2 * kSpacing > width) {
            return -1;
        }
        if (x + glyph.mWidth + kSpacing > width) {
            x = kSpacing;
            y += shelf + kSpacing;
            shelf = 0;
        }
        glyph.mX = x;
        glyph.mY = y;
        x += glyph.mWidth + kSpacing;
        shelf = std::max(shelf, glyph.mHeight);
    }
    return y + shelf + kSpacing;
}

} // namespace

bool PackGlyphs(FontData& font, int& width, int& height) {
    for (width = 128; width <= 1024; width *= 2) {
        const int used = PackShelves(font, width);
        if (used < 0) {
            continue;
        }
        height = 16;
        while (height < used) {
            height *= 2;
        }
        // Prefer a square-ish page: a page taller than wide means the next width fits better.
        if (height <= width) {
            return true;
        }
    }
    return false;
}

namespace {

bool WritePage(const FontData& font, int width, int height, const std::string& path) {
    RgbaImage page;
    page.mWidth = width;
    page.mHeight = height;
    // White everywhere, so filtering at glyph edges only ever blends alpha, never darkens.
    page.mPixels.assign(static_cast<size_t>(width) * height * 4, 255);
    for (size_t i = 3; i < page.mPixels.size(); i += 4) {
        page.mPixels[i] = 0;
    }
    for (const Glyph& glyph : font.mGlyphs) {
        for (int y = 0; y < glyph.mHeight; ++y) {
            for (int x = 0; x < glyph.mWidth; ++x) {
                const size_t target = (static_cast<size_t>(glyph.mY + y) * width + glyph.mX + x) * 4 + 3;
                page.mPixels[target] = glyph.mCoverage[static_cast<size_t>(y) * glyph.mWidth + x];
            }
        }
    }
    return WritePng(page, path);
}

bool WriteDescription(const FontData& font, int width, int height, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    out << "info face=\"" << font.mFace << "\" size=" << font.mSize << " bold=" << (font.mBold ? 1 : 0)
        << " italic=0 charset=\"\" unicode=0 stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing=" << kSpacing << ","
        << kSpacing << "\n";
    out << "common lineHeight=" << font.mLineHeight << " base=" << font.mBase << " scaleW=" << width
        << " scaleH=" << height << " pages=1 packed=0\n";
    out << "page id=0 file=\"" << font.mName << "_0.png\"\n";
    out << "chars count=" << font.mGlyphs.size() << "\n";
    for (const Glyph& g : font.mGlyphs) {
        out << "char id=" << g.mCode << " x=" << g.mX << " y=" << g.mY << " width=" << g.mWidth
            << " height=" << g.mHeight << " xoffset=" << g.mXOffset << " yoffset=" << g.mYOffset
            << " xadvance=" << g.mXAdvance << " page=0 chnl=15\n";
    }
    out << "kernings count=" << font.mKerning.size() << "\n";
    for (const KerningPair& k : font.mKerning) {
        out << "kerning first=" << k.mFirst << " second=" << k.mSecond << " amount=" << k.mAmount << "\n";
    }
    return static_cast<bool>(out);
}

} // namespace

bool WriteFont(const FontData& font, const std::string& directory) {
    FontData packed = font;
    int width = 0;
    int height = 0;
    if (!PackGlyphs(packed, width, height)) {
        std::fprintf(stderr, "font %s does not fit on one page\n", font.mName.c_str());
        return false;
    }
    return WritePage(packed, width, height, directory + "/" + font.mName + "_0.png") &&
        WriteDescription(packed, width, height, directory + "/" + font.mName + ".fnt");
}

} // namespace Velmora::Tools
