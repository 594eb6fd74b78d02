#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Velmora::Tools {

/// A straight (not premultiplied) RGBA image, rows top to bottom, 4 bytes per pixel.
struct RgbaImage {
    int mWidth = 0;
    int mHeight = 0;
    std::vector<std::uint8_t> mPixels;
};

/// Converts a Cairo ARGB32 surface (premultiplied) into straight RGBA.
RgbaImage ToRgba(cairo_surface_t* surface);

/// Gives fully transparent pixels the colour of their nearest visible neighbours (a few rings), so
/// linear filtering in the game does not pull dark fringes into the edges of shapes.
void BleedColours(RgbaImage& image, int rings = 4);

/// Writes the image as PNG with maximum compression; an image without any translucent pixel is
/// written as RGB. The output depends only on the pixels. Returns false (and prints why) on failure.
bool WritePng(const RgbaImage& image, const std::string& path);

/// Convenience: ToRgba, BleedColours, WritePng; creates the parent directories.
bool SaveSurface(cairo_surface_t* surface, const std::string& path);

/// Creates the directories of a path (the path itself when it names a directory).
bool MakeDirectories(const std::string& directory);

} // namespace Velmora::Tools
