#pragma once

#include <cstdint>

namespace Velmora::Graphics {

/// One vertex of a batch, laid out for GL client arrays: position and texture coordinate as
/// doubles, colour as four bytes. 40 bytes, so the arrays use a stride of 40.
struct Vertex {
    double mX = 0.0;
    double mY = 0.0;
    double mU = 0.0;
    double mV = 0.0;
    uint8_t mRed = 0;
    uint8_t mGreen = 0;
    uint8_t mBlue = 0;
    uint8_t mAlpha = 0;
    uint8_t mPadding[4] = {};
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
