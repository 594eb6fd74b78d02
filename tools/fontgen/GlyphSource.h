#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace Velmora::Tools {

/// One rasterised character: coverage bitmap plus BMFont placement (pixels, image coordinates).
struct Glyph {
    int mCode = 0;
    int mWidth = 0;
    int mHeight = 0;
    int mXOffset = 0; ///< from the pen position to the bitmap's left edge
    int mYOffset = 0; ///< from the top of the line to the bitmap's top edge
    int mXAdvance = 0;
    std::vector<std::uint8_t> mCoverage; ///< mWidth * mHeight bytes, rows top to bottom
    int mX = 0;                          ///< position in the page, set by packing
    int mY = 0;
};

struct KerningPair {
    int mFirst;
    int mSecond;
    int mAmount;
};

/// A whole font ready to be written: glyphs, kerning and line metrics.
struct FontData {
    std::string mName;
    std::string mFace;
    int mSize = 0;
    int mLineHeight = 0;
    int mBase = 0;
    bool mBold = false;
    std::vector<Glyph> mGlyphs;
    std::vector<KerningPair> mKerning;
};

/// Owns the FreeType library handle for the generator's lifetime.
class FreeTypeLibrary {
public:
    FreeTypeLibrary();
    ~FreeTypeLibrary();
    FreeTypeLibrary(const FreeTypeLibrary&) = delete;
    FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;
    FT_Library Get() const { return mLibrary; }

private:
    FT_Library mLibrary = nullptr;
};

/// Rasterises printable ASCII (32..126) of a font file at a pixel size, with its kerning pairs.
/// Returns false (and prints why) when the file cannot be read.
bool RasteriseFace(FT_Library library, const std::string& path, int pixelSize, FontData& font);

/// Builds the "digital" font: seven-segment digits, ':', '.', '-' and blank drawn here, the other
/// printable characters from `fallbackPath` scaled to the same height.
bool BuildDigitalFont(FT_Library library, const std::string& fallbackPath, FontData& font);

} // namespace Velmora::Tools
