#include "video/TheoraYuvConverter.h"

#include <algorithm>

namespace Velmora::Video {

namespace {

constexpr double kScale = 1 << TheoraYuvConverter::kShift;

// Builds a table of (coefficient × scale + 0.5) × (i − offset), truncated toward zero.
std::array<int, 256> MakeTable(double coefficient, int offset) {
    std::array<int, 256> table{};
    for (int i = 0; i < 256; ++i) {
        table[i] = static_cast<int>((coefficient * kScale + 0.5) * (i - offset));
    }
    return table;
}

// Shifted sums lie within −277 … 534 for any input (the tables' extremes), so clamping is a
// lookup instead of two unpredictable branches per channel.
constexpr int kClampOffset = 384;
constexpr auto kClampTable = [] {
    std::array<std::uint8_t, 1024> table{};
    for (int i = 0; i < 1024; ++i) {
        const int value = i - kClampOffset;
        table[i] = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
    }
    return table;
}();

inline std::uint8_t Clamp(int value) { return kClampTable[static_cast<unsigned>(value + kClampOffset) & 1023]; }

// One pixel from its scaled luma and the block's chroma terms.
inline void Put(std::uint8_t* out, int luma, int r, int g, int b) {
    out[0] = Clamp((luma + r) >> TheoraYuvConverter::kShift);
    out[1] = Clamp((luma - g) >> TheoraYuvConverter::kShift);
    out[2] = Clamp((luma + b) >> TheoraYuvConverter::kShift);
}

inline const std::uint8_t* Row(const TheoraYuvPlane& plane, int row) {
    return plane.mData + static_cast<std::ptrdiff_t>(row) * plane.mStride;
}

} // namespace

TheoraYuvConverter::TheoraYuvConverter()
    : mY(MakeTable(1.164, 16)), mRv(MakeTable(1.596, 128)), mGu(MakeTable(0.391, 128)),
      mGv(MakeTable(0.813, 128)), mBu(MakeTable(2.018, 128)) {}

std::array<int, 3> TheoraYuvConverter::convertUnclamped(int y, int u, int v) const {
    const int luma = mY[y & 0xFF];
    return {(luma + mRv[v & 0xFF]) >> kShift, (luma - mGu[u & 0xFF] - mGv[v & 0xFF]) >> kShift,
            (luma + mBu[u & 0xFF]) >> kShift};
}

std::array<std::uint8_t, 3> TheoraYuvConverter::convert(int y, int u, int v) const {
    const std::array<int, 3> rgb = convertUnclamped(y, u, v);
    const auto clamp = [](int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); };
    return {clamp(rgb[0]), clamp(rgb[1]), clamp(rgb[2])};
}

void TheoraYuvConverter::convertToRgb(const TheoraYuvPicture& picture, std::uint8_t* out, int strideBytes) const {
    const TheoraYuvPlane& luma = picture.mPlanes[0];
    const bool halfAcross = picture.mPlanes[1].mWidth * 2 == luma.mWidth;
    const bool halfDown = picture.mPlanes[1].mHeight * 2 == luma.mHeight;
    const bool evenRegion = ((picture.mX | picture.mY | picture.mWidth | picture.mHeight) & 1) == 0;
    if (halfAcross && halfDown && evenRegion) {
        convertBlocks420(picture, out, strideBytes);
        return;
    }
    for (int row = 0; row < picture.mHeight; ++row) {
        convertRow(picture, row, out + static_cast<std::ptrdiff_t>(row) * strideBytes);
    }
}

// The common case: one Cb and one Cr sample per 2 × 2 block, so the chroma terms are looked up
// once for four pixels.
void TheoraYuvConverter::convertBlocks420(const TheoraYuvPicture& picture, std::uint8_t* out, int strideBytes) const {
    const auto& [yPlane, uPlane, vPlane] = picture.mPlanes;
    for (int row = 0; row < picture.mHeight; row += 2) {
        const std::uint8_t* y0 = Row(yPlane, picture.mY + row) + picture.mX;
        const std::uint8_t* y1 = Row(yPlane, picture.mY + row + 1) + picture.mX;
        const std::uint8_t* u = Row(uPlane, (picture.mY + row) / 2) + picture.mX / 2;
        const std::uint8_t* v = Row(vPlane, (picture.mY + row) / 2) + picture.mX / 2;
        std::uint8_t* o0 = out + static_cast<std::ptrdiff_t>(row) * strideBytes;
        std::uint8_t* o1 = o0 + strideBytes;
        for (int column = 0; column < picture.mWidth; column += 2, y0 += 2, y1 += 2, ++u, ++v, o0 += 6, o1 += 6) {
            const int r = mRv[*v];
            const int g = mGu[*u] + mGv[*v];
            const int b = mBu[*u];
            Put(o0, mY[y0[0]], r, g, b);
            Put(o0 + 3, mY[y0[1]], r, g, b);
            Put(o1, mY[y1[0]], r, g, b);
            Put(o1 + 3, mY[y1[1]], r, g, b);
        }
    }
}

// Any subsampling and any region: each pixel finds its chroma sample on its own.
void TheoraYuvConverter::convertRow(const TheoraYuvPicture& picture, int row, std::uint8_t* out) const {
    const auto& [yPlane, uPlane, vPlane] = picture.mPlanes;
    const int xShift = uPlane.mWidth < yPlane.mWidth ? 1 : 0;
    const int yShift = uPlane.mHeight < yPlane.mHeight ? 1 : 0;
    const int lumaRow = picture.mY + row;
    const std::uint8_t* y = Row(yPlane, lumaRow);
    const std::uint8_t* u = Row(uPlane, lumaRow >> yShift);
    const std::uint8_t* v = Row(vPlane, lumaRow >> yShift);
    for (int column = 0; column < picture.mWidth; ++column, out += 3) {
        const int x = picture.mX + column;
        const int cb = u[x >> xShift];
        const int cr = v[x >> xShift];
        Put(out, mY[y[x]], mRv[cr], mGu[cb] + mGv[cr], mBu[cb]);
    }
}

} // namespace Velmora::Video
