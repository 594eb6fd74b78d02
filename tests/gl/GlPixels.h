// Reading back what a rendering test drew into the window (origin at the bottom left).
#pragma once

#include "graphics/Vertex.h"

#include <GL/glew.h>

#include <cstdint>
#include <vector>

namespace Velmora::Tests {

/// The window's pixels in a rectangle, RGBA, row by row from the bottom.
inline std::vector<uint8_t> ReadPixels(int x, int y, int width, int height) {
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

/// The mean colour of the side × side pixels centred on (x, y), packed opaque as PackColor packs
/// it; side 1 reads the pixel at (x, y).
inline uint32_t MeanColor(double x, double y, int side = 1) {
    const std::vector<uint8_t> rgba =
        ReadPixels(static_cast<int>(x) - side / 2, static_cast<int>(y) - side / 2, side, side);
    int sum[3] = {};
    for (size_t i = 0; i < rgba.size(); i += 4) {
        for (int c = 0; c < 3; ++c) sum[c] += rgba[i + c];
    }
    const int n = side * side;
    return Graphics::PackColor(static_cast<uint8_t>(sum[0] / n), static_cast<uint8_t>(sum[1] / n),
                               static_cast<uint8_t>(sum[2] / n));
}

inline uint32_t PixelAt(double x, double y) { return MeanColor(x, y); }

inline int Red(uint32_t color) { return color & 0xFF; }
inline int Green(uint32_t color) { return (color >> 8) & 0xFF; }
inline int Blue(uint32_t color) { return (color >> 16) & 0xFF; }

} // namespace Velmora::Tests
