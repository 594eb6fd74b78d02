#pragma once

#include <cstdint>

namespace Velmora::Graphics {

/// One vertex of a batch, laid out for GL client arrays: position and texture coordinate as
/// doubles, colour as four bytes. 40 bytes, so the arrays use a stride of 40. No member is set
/// by default: a batch's array is left untouched until vertices are written into it, so the
/// memory of a large capacity is only taken as far as it is used (`Vertex{}` is all zero).
struct Vertex {
    double mX;
    double mY;
    double mU;
    double mV;
    uint8_t mRed;
    uint8_t mGreen;
    uint8_t mBlue;
    uint8_t mAlpha;
    uint8_t mPadding[4];
};

static_assert(sizeof(Vertex) == 40, "batches hand their vertex arrays to GL with a stride of 40");

/// Packs a colour as 0xAABBGGRR (red in the lowest byte).
constexpr uint32_t PackColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255) {
    return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue) << 16 |
        static_cast<uint32_t>(alpha) << 24;
}

/// The alpha byte of a packed colour.
constexpr uint8_t ColorAlpha(uint32_t color) { return static_cast<uint8_t>(color >> 24); }

/// The colour with its alpha byte replaced.
constexpr uint32_t WithAlpha(uint32_t color, uint8_t alpha) {
    return (color & 0x00FFFFFFu) | static_cast<uint32_t>(alpha) << 24;
}

} // namespace Velmora::Graphics
