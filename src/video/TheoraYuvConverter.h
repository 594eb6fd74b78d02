#pragma once

#include <array>
#include <cstdint>

namespace Velmora::Video {

/// One plane of a decoded picture as the decoder holds it.
struct TheoraYuvPlane {
    const std::uint8_t* mData = nullptr;
    int mWidth = 0;   ///< samples per row
    int mHeight = 0;  ///< rows
    int mStride = 0;  ///< bytes from one row to the next (may be negative)
};

/// A decoded picture: the luma plane, the Cb and Cr planes, and the visible region in luma
/// samples. The chroma planes may be subsampled by 2 across, down, or both.
struct TheoraYuvPicture {
    std::array<TheoraYuvPlane, 3> mPlanes;
    int mX = 0;
    int mY = 0;
    int mWidth = 0;
    int mHeight = 0;
};

/// Converts Y'CbCr (video range, BT.601) into 8-bit RGB with integer tables and shifts.
class TheoraYuvConverter {
public:
    /// Fixed-point scale of the tables: results are shifted right by this many bits.
    static constexpr int kShift = 13;

    /// Builds the five tables.
    TheoraYuvConverter();

    /// The colour of one sample before clamping (red, green, blue), for tests and tools.
    std::array<int, 3> convertUnclamped(int y, int u, int v) const;
    /// The clamped colour of one sample.
    std::array<std::uint8_t, 3> convert(int y, int u, int v) const;
    /// Writes the picture's visible region as RGB rows into out, strideBytes apart. The region
    /// must lie inside the planes; chroma subsampling is taken from the planes' sizes.
    void convertToRgb(const TheoraYuvPicture& picture, std::uint8_t* out, int strideBytes) const;

private:
    void convertBlocks420(const TheoraYuvPicture& picture, std::uint8_t* out, int strideBytes) const;
    void convertRow(const TheoraYuvPicture& picture, int row, std::uint8_t* out) const;

    std::array<int, 256> mY;
    std::array<int, 256> mRv;
    std::array<int, 256> mGu;
    std::array<int, 256> mGv;
    std::array<int, 256> mBu;
};

} // namespace Velmora::Video
