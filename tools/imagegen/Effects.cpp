#include "Painters.h"

#include "Draw.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Tools {

namespace {

// Every effect texture is white: the game tints particles and waves with their own colours.

void Shard(cairo_t* cr, int variant) {
    // Four different shard shapes, each inside a 64x64 cell centred at (32, 32).
    static const double kShapes[4][10] = {
        {8, 52, 30, 6, 56, 40, 34, 58, 0, 0},
        {14, 20, 50, 10, 44, 54, 20, 46, 0, 0},
        {32, 4, 44, 36, 36, 60, 24, 38, 0, 0},
        {6, 30, 40, 16, 58, 30, 42, 44, 18, 52},
    };
    const double* p = kShapes[variant];
    const int points = variant == 3 ? 5 : 4;
    cairo_move_to(cr, p[0], p[1]);
    for (int i = 1; i < points; ++i) {
        cairo_line_to(cr, p[2 * i], p[2 * i + 1]);
    }
    cairo_close_path(cr);
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, 0, 64, 64);
    cairo_pattern_add_color_stop_rgba(glass, 0, 1, 1, 1, 0.95);
    cairo_pattern_add_color_stop_rgba(glass, 1, 1, 1, 1, 0.55);
    cairo_set_source(cr, glass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glass);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void Streak(cairo_t* cr, double x, double y, bool horizontal) {
    // Bright core fading to both ends, soft across.
    cairo_pattern_t* along =
        horizontal ? cairo_pattern_create_linear(x, 0, x + 64, 0) : cairo_pattern_create_linear(0, y, 0, y + 64);
    cairo_pattern_add_color_stop_rgba(along, 0, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(along, 0.5, 1, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(along, 1, 1, 1, 1, 0);
    if (horizontal) {
        for (int i = 0; i < 3; ++i) {
            cairo_rectangle(cr, x + 2, y + 32 - (3 + 5 * i), 60, 2 * (3 + 5 * i));
        }
    } else {
        for (int i = 0; i < 3; ++i) {
            cairo_rectangle(cr, x + 32 - (3 + 5 * i), y + 2, 2 * (3 + 5 * i), 60);
        }
    }
    cairo_set_source(cr, along);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, 0.45);
    cairo_restore(cr);
    cairo_pattern_destroy(along);
}

void Spark(cairo_t* cr, double x, double y) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(x + 32, y + 32, 0, x + 32, y + 32, 31);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(glow, 0.15, 1, 1, 1, 0.9);
    cairo_pattern_add_color_stop_rgba(glow, 0.4, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
    cairo_arc(cr, x + 32, y + 32, 31, 0, 2 * M_PI);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

bool PaintParticles(const std::string& dir) {
    Canvas canvas(256, 256);
    cairo_t* cr = canvas.Cr();
    for (int k = 0; k < 4; ++k) {
        cairo_save(cr);
        cairo_translate(cr, 64 * k, 0);
        Shard(cr, k);
        cairo_restore(cr);
    }
    Streak(cr, 64, 128, true); // u 0.25..0.5, v 0.5..0.75
    Streak(cr, 0, 192, false); // u 0..0.25, v 0.75..1
    Spark(cr, 192, 128);       // u 0.75..1, v 0.5..0.75
    return canvas.Save(dir + "/particle.png");
}

bool PaintSoundwave(const std::string& dir) {
    // v = 0 is the wave front, v = 1 the oldest trail. Constant along u, so neighbouring bands
    // of the ribbon join without a seam.
    Canvas canvas(64, 256);
    FillPixels(canvas, 0, 0, 64, 256, [](int, int) { return 0xFFFFFFu; });
    cairo_surface_flush(canvas.Surface());
    unsigned char* data = cairo_image_surface_get_data(canvas.Surface());
    const int stride = cairo_image_surface_get_stride(canvas.Surface());
    for (int y = 0; y < 256; ++y) {
        const double v = (y + 0.5) / 256.0;
        const double front = std::exp(-std::pow((v - 0.025) / 0.022, 2.0));
        const double trail = 0.55 * std::exp(-v * 3.2) * (v > 0.025 ? 1.0 : v / 0.025);
        const double ripple =
            0.18 * std::exp(-v * 2.5) * std::pow(0.5 + 0.5 * std::cos((v - 0.025) * 2 * M_PI * 5), 6.0);
        const double alpha = std::clamp(front + trail + ripple, 0.0, 1.0);
        const auto a = static_cast<std::uint32_t>(std::lround(alpha * 255));
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < 64; ++x) {
            row[x] = (a << 24) | (a << 16) | (a << 8) | a; // premultiplied white
        }
    }
    cairo_surface_mark_dirty(canvas.Surface());
    return canvas.Save(dir + "/soundwave.png");
}

} // namespace

bool PaintEffects(const std::string& dir) {
    const bool ok = PaintParticles(dir);
    return PaintSoundwave(dir) && ok;
}

} // namespace Velmora::Tools
