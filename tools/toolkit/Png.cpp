#include "Png.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace Velmora::Tools {

RgbaImage ToRgba(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    RgbaImage image;
    image.mWidth = cairo_image_surface_get_width(surface);
    image.mHeight = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    image.mPixels.resize(static_cast<size_t>(image.mWidth) * image.mHeight * 4);
    for (int y = 0; y < image.mHeight; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < image.mWidth; ++x) {
            const std::uint32_t p = row[x];
            const unsigned a = p >> 24;
            std::uint8_t* out = &image.mPixels[(static_cast<size_t>(y) * image.mWidth + x) * 4];
            for (int c = 0; c < 3; ++c) {
                const unsigned v = (p >> (16 - 8 * c)) & 0xFF;
                out[c] = a == 0 ? 0 : static_cast<std::uint8_t>(std::min(255u, (v * 255 + a / 2) / a));
            }
            out[3] = static_cast<std::uint8_t>(a);
        }
    }
    return image;
}

void BleedColours(RgbaImage& image, int rings) {
    const int w = image.mWidth;
    const int h = image.mHeight;
    std::vector<std::uint8_t> known(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < known.size(); ++i) {
        known[i] = image.mPixels[i * 4 + 3] != 0;
    }
    for (int ring = 0; ring < rings; ++ring) {
        std::vector<std::uint8_t> next = known;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const size_t i = static_cast<size_t>(y) * w + x;
                if (known[i]) {
                    continue;
                }
                unsigned sum[3] = {0, 0, 0};
                unsigned count = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h || !known[static_cast<size_t>(ny) * w + nx]) {
                            continue;
                        }
                        const std::uint8_t* p = &image.mPixels[(static_cast<size_t>(ny) * w + nx) * 4];
                        sum[0] += p[0];
                        sum[1] += p[1];
                        sum[2] += p[2];
                        ++count;
                    }
                }
                if (count > 0) {
                    for (int c = 0; c < 3; ++c) {
                        image.mPixels[i * 4 + c] = static_cast<std::uint8_t>(sum[c] / count);
                    }
                    next[i] = 1;
                }
            }
        }
        known.swap(next);
    }
}

namespace {

struct PngFile {
    std::FILE* mFile = nullptr;
    png_structp mPng = nullptr;
    png_infop mInfo = nullptr;
    ~PngFile() {
        if (mPng) {
            png_destroy_write_struct(&mPng, mInfo ? &mInfo : nullptr);
        }
        if (mFile) {
            std::fclose(mFile);
        }
    }
};

bool IsOpaque(const RgbaImage& image) {
    for (size_t i = 3; i < image.mPixels.size(); i += 4) {
        if (image.mPixels[i] != 255) {
            return false;
        }
    }
    return true;
}

} // namespace

bool WritePng(const RgbaImage& image, const std::string& path) {
    PngFile file;
    file.mFile = std::fopen(path.c_str(), "wb");
    if (!file.mFile) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    file.mPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    file.mInfo = file.mPng ? png_create_info_struct(file.mPng) : nullptr;
    if (!file.mInfo || setjmp(png_jmpbuf(file.mPng))) {
        std::fprintf(stderr, "libpng failed on %s\n", path.c_str());
        return false;
    }
    const bool opaque = IsOpaque(image);
    png_init_io(file.mPng, file.mFile);
    png_set_compression_level(file.mPng, 9);
    png_set_IHDR(file.mPng, file.mInfo, image.mWidth, image.mHeight, 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(file.mPng, file.mInfo);
    std::vector<std::uint8_t> row(static_cast<size_t>(image.mWidth) * 4);
    for (int y = 0; y < image.mHeight; ++y) {
        const std::uint8_t* src = &image.mPixels[static_cast<size_t>(y) * image.mWidth * 4];
        size_t n = 0;
        for (int x = 0; x < image.mWidth; ++x) {
            for (int c = 0; c < (opaque ? 3 : 4); ++c) {
                row[n++] = src[x * 4 + c];
            }
        }
        png_write_row(file.mPng, row.data());
    }
    png_write_end(file.mPng, nullptr);
    return true;
}

bool MakeDirectories(const std::string& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    return !error;
}

bool SaveSurface(cairo_surface_t* surface, const std::string& path) {
    RgbaImage image = ToRgba(surface);
    BleedColours(image);
    MakeDirectories(std::filesystem::path(path).parent_path().string());
    return WritePng(image, path);
}

} // namespace Velmora::Tools
