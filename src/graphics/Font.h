#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace Velmora::Graphics {

class Renderer;
class Texture;

/// One character of a bitmap font: its rectangle on the page (texture coordinates) and its
/// metrics in pixels.
struct Glyph {
    double mU0 = 0.0;
    double mV0 = 0.0;
    double mU1 = 0.0;
    double mV1 = 0.0;
    double mWidth = 0.0;
    double mHeight = 0.0;
    double mXOffset = 0.0;
    double mYOffset = 0.0;
    double mXAdvance = 0.0;
};

/// Text alignments of DrawText.
constexpr int kAlignLeft = 0;
constexpr int kAlignCenter = 1;
constexpr int kAlignRight = 2;

/// A bitmap font read from the text form of a BMFont description: 256 glyphs (codes without a
/// "char" line stay all zero), kerning pairs, line height and base, and one page image.
class Font {
public:
    /// Text batches hold this many vertices (1024 characters).
    static constexpr unsigned kBatchCapacity = 4096;

    /// Reads a description. Tolerant: lines it does not understand, values that are not numbers
    /// (read as 0), characters and kerning codes outside 0 … 255 are ignored; numbers are
    /// clamped to ±1,000,000. Texture coordinates are fractions of the page image's size
    /// (pageWidth × pageHeight pixels), scaled by maxU and maxV so they address the image inside
    /// a texture padded to power-of-two sides; a page without a size gives zero coordinates.
    void Parse(std::string_view text, int pageWidth, int pageHeight, double maxU = 1.0, double maxV = 1.0);

    /// Width of a string in pixels at scale 1, rounded up: the advances plus the kerning of
    /// adjacent pairs. Characters above 127 (negative as signed bytes) are skipped.
    double TextWidth(std::string_view text) const;
    /// The kerning amount of a pair, 0 when the pair has none.
    int GetKerning(int first, int second) const;

    /// Adds the string's glyph quads to the renderer: page texture, given layer, alpha blending.
    /// y is the bottom of the line box; alignment 0 left, 1 centred (by half the width at scale
    /// 1), 2 right (the scaled width ends at x). Kerning is not scaled.
    void Draw(Renderer& renderer, std::string_view text, double x, double y, int alignment, int layer, uint32_t color,
              double scaleX = 1.0, double scaleY = 1.0) const;

    std::array<Glyph, 256> mGlyphs{};
    std::map<std::pair<int, int>, int> mKerning;
    int mLineHeight = 0;
    int mBase = 0;
    Texture* mPage = nullptr; ///< owned by the texture manager

private:
    void ParseLine(std::string_view line, int pageWidth, int pageHeight, double maxU, double maxV);
};

} // namespace Velmora::Graphics
