#pragma once

#include <cstdint>

namespace Velmora {

/// A packed 32-bit colour: red in the lowest byte, then green, then blue, alpha in the highest
/// (written 0xAABBGGRR). On a little-endian machine its bytes in memory are R, G, B, A, so a
/// Color can be handed to OpenGL as four unsigned bytes. Default-constructed it is opaque white,
/// the colour that leaves a tinted texture unchanged.
class Color {
public:
    /// Opaque white, 0xFFFFFFFF.
    constexpr Color() = default;
    /// From a packed 0xAABBGGRR value.
    constexpr explicit Color(uint32_t packed) : mPacked(packed) {}
    /// From channel bytes; alpha defaults to opaque.
    static constexpr Color FromRgba(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255) {
        return Color(static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 |
                     static_cast<uint32_t>(blue) << 16 | static_cast<uint32_t>(alpha) << 24);
    }

    /// The packed 0xAABBGGRR value.
    constexpr uint32_t GetPacked() const { return mPacked; }
    /// Channel bytes, 0 … 255.
    constexpr uint8_t GetRed() const { return static_cast<uint8_t>(mPacked); }
    constexpr uint8_t GetGreen() const { return static_cast<uint8_t>(mPacked >> 8); }
    constexpr uint8_t GetBlue() const { return static_cast<uint8_t>(mPacked >> 16); }
    constexpr uint8_t GetAlpha() const { return static_cast<uint8_t>(mPacked >> 24); }
    /// The same colour with another alpha.
    constexpr Color WithAlpha(uint8_t alpha) const {
        return Color((mPacked & 0x00FFFFFFu) | static_cast<uint32_t>(alpha) << 24);
    }

    /// Same packed value.
    constexpr bool operator==(const Color& other) const = default;

private:
    uint32_t mPacked = 0xFFFFFFFFu;
};

} // namespace Velmora
