#pragma once

namespace Velmora::Video {

/// Pixel layout of a clip's frames. Only RGB, three bytes per pixel in the order red, green,
/// blue, is provided: it is what the game uploads.
enum class TheoraOutputMode {
    Rgb = 1,
};

/// Bytes per pixel of an output mode.
constexpr int getBytesPerPixel(TheoraOutputMode) { return 3; }

} // namespace Velmora::Video
