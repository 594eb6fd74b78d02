#include "Draw.h"

#include "Png.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace Velmora::Tools {

Canvas::Canvas(int width, int height)
    : mWidth(width), mHeight(height),
      mSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      mCr(cairo_create(mSurface)) {
    cairo_set_antialias(mCr, CAIRO_ANTIALIAS_BEST);
}

Canvas::~Canvas() {
    cairo_destroy(mCr);
    cairo_surface_destroy(mSurface);
}

bool Canvas::Save(const std::string& path) const {
    return SaveSurface(mSurface, path);
}

void SetColour(cairo_t* cr, std::uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0,
                          alpha);
}

void AddStop(cairo_pattern_t* pattern, double offset, std::uint32_t rgb, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                                      (rgb & 0xFF) / 255.0, alpha);
}

namespace {

// One box pass of the given half-width along rows (step 1) or columns, on one 8-bit channel
// plane; sums are exact integers, so the result does not depend on floating-point details.
void BoxPass(std::vector<int>& plane, int w, int h, int half, bool rows) {
    const int lines = rows ? h : w;
    const int length = rows ? w : h;
    std::vector<int> line(length);
    const int window = 2 * half + 1;
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> int& { return rows ? plane[static_cast<size_t>(l) * w + i] : plane[static_cast<size_t>(i) * w + l]; };
        for (int i = 0; i < length; ++i) {
            line[i] = at(i);
        }
        long sum = 0;
        for (int i = -half; i <= half; ++i) {
            sum += (i >= 0 && i < length) ? line[i] : 0;
        }
        for (int i = 0; i < length; ++i) {
            at(i) = static_cast<int>((sum + window / 2) / window);
            const int out = i - half;
            const int in = i + half + 1;
            sum -= (out >= 0) ? line[out] : 0;
            sum += (in < length) ? line[in] : 0;
        }
    }
}

} // namespace

void BlurSurface(cairo_surface_t* surface, double radius) {
    if (radius < 0.5) {
        return;
    }
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    // Three boxes of half-width ~ radius / sqrt(3) approximate a Gaussian of that radius.
    const int half = std::max(1, static_cast<int>(std::lround(radius / 1.732)));
    for (int channel = 0; channel < 4; ++channel) {
        std::vector<int> plane(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
            for (int x = 0; x < w; ++x) {
                plane[static_cast<size_t>(y) * w + x] = static_cast<int>((row[x] >> (8 * channel)) & 0xFF);
            }
        }
        for (int pass = 0; pass < 3; ++pass) {
            BoxPass(plane, w, h, half, true);
            BoxPass(plane, w, h, half, false);
        }
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
            for (int x = 0; x < w; ++x) {
                const std::uint32_t v = static_cast<std::uint32_t>(std::clamp(plane[static_cast<size_t>(y) * w + x], 0, 255));
                row[x] = (row[x] & ~(0xFFu << (8 * channel))) | (v << (8 * channel));
            }
        }
    }
    cairo_surface_mark_dirty(surface);
}

void PaintGlow(const Canvas& canvas, const std::function<void(cairo_t*)>& draw, double radius, double strength,
               bool additive, bool inheritTransform) {
    Canvas layer(canvas.Width(), canvas.Height());
    if (inheritTransform) {
        cairo_matrix_t matrix;
        cairo_get_matrix(canvas.Cr(), &matrix);
        cairo_set_matrix(layer.Cr(), &matrix);
    }
    draw(layer.Cr());
    BlurSurface(layer.Surface(), radius);
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_operator(cr, additive ? CAIRO_OPERATOR_ADD : CAIRO_OPERATOR_OVER);
    cairo_set_source_surface(cr, layer.Surface(), 0, 0);
    cairo_paint_with_alpha(cr, strength);
    cairo_restore(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) * 0.5);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

std::string DejaVuPath(const std::string& style) {
    return "/usr/share/fonts/truetype/dejavu/DejaVu" + style + ".ttf";
}

cairo_font_face_t* DejaVuFace(const std::string& style) {
    static FT_Library library = nullptr;
    static std::map<std::string, cairo_font_face_t*> faces;
    if (!library && FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "FreeType failed to start\n");
        std::exit(1);
    }
    auto found = faces.find(style);
    if (found != faces.end()) {
        return found->second;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, DejaVuPath(style).c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "cannot open font %s\n", DejaVuPath(style).c_str());
        std::exit(1);
    }
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    faces[style] = cairoFace;
    return cairoFace;
}

namespace {

void SelectFont(cairo_t* cr, const std::string& style, double size) {
    cairo_set_font_face(cr, DejaVuFace(style));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

} // namespace

double TextWidth(cairo_t* cr, const std::string& style, double size, const std::string& text) {
    cairo_save(cr);
    SelectFont(cr, style, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

double DrawText(cairo_t* cr, const std::string& style, double size, const std::string& text, double x, double y,
                Align align) {
    const double width = TextWidth(cr, style, size, text);
    if (align == Align::kCentre) {
        x -= width * 0.5;
    } else if (align == Align::kRight) {
        x -= width;
    }
    cairo_save(cr);
    SelectFont(cr, style, size);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    cairo_fill(cr);
    cairo_restore(cr);
    return width;
}

double Hash01(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777216.0;
}

double TiledNoise(double x, double y, int period, int seed) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0;
    const double fy = y - y0;
    auto corner = [&](int cx, int cy) {
        return Hash01(((cx % period) + period) % period, ((cy % period) + period) % period, seed);
    };
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double top = corner(x0, y0) * (1 - sx) + corner(x0 + 1, y0) * sx;
    const double bottom = corner(x0, y0 + 1) * (1 - sx) + corner(x0 + 1, y0 + 1) * sx;
    return top * (1 - sy) + bottom * sy;
}

} // namespace Velmora::Tools

namespace Velmora::Tools {

void FillPixels(const Canvas& canvas, int x0, int y0, int width, int height,
                const std::function<std::uint32_t(int x, int y)>& colour) {
    cairo_surface_flush(canvas.Surface());
    unsigned char* data = cairo_image_surface_get_data(canvas.Surface());
    const int stride = cairo_image_surface_get_stride(canvas.Surface());
    for (int y = std::max(0, y0); y < std::min(canvas.Height(), y0 + height); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = std::max(0, x0); x < std::min(canvas.Width(), x0 + width); ++x) {
            row[x] = 0xFF000000u | (colour(x, y) & 0xFFFFFFu);
        }
    }
    cairo_surface_mark_dirty(canvas.Surface());
}

std::uint32_t MixColour(std::uint32_t a, std::uint32_t b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double ca = (a >> shift) & 0xFF;
        const double cb = (b >> shift) & 0xFF;
        out |= static_cast<std::uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

std::uint32_t ScaleColour(std::uint32_t rgb, double factor) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double c = ((rgb >> shift) & 0xFF) * factor;
        out |= static_cast<std::uint32_t>(std::clamp(std::lround(c), 0L, 255L)) << shift;
    }
    return out;
}

} // namespace Velmora::Tools
