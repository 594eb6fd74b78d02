#include "Painters.h"

#include "Draw.h"
#include "Palette.h"

#include <cmath>

namespace Velmora::Tools {

namespace {

constexpr double kTau = 2 * M_PI;

// Letter-spaced text; returns the width. Centred when `centre` is set.
double DrawSpaced(cairo_t* cr, const std::string& style, double size, const std::string& text, double x, double y,
                  double spacing, bool centre) {
    double width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        width += TextWidth(cr, style, size, text.substr(i, 1)) + (i + 1 < text.size() ? spacing : 0);
    }
    if (centre) {
        x -= width / 2;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        x += DrawText(cr, style, size, text.substr(i, 1), x, y) + spacing;
    }
    return width;
}

bool PaintNorrik(const std::string& dir) {
    Canvas canvas(512, 256);
    cairo_t* cr = canvas.Cr();
    constexpr std::uint32_t kInk = 0x1B2530;
    constexpr std::uint32_t kTeal = 0x14A38E;
    // Hexagon badge holding an N whose diagonal is the accent.
    const double cx = 96, cy = 128, r = 58;
    for (int i = 0; i < 6; ++i) {
        const double a = kTau * i / 6 + kTau / 12;
        i == 0 ? cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a))
               : cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 7);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 11);
    cairo_move_to(cr, cx - 22, cy + 28);
    cairo_line_to(cr, cx - 22, cy - 28);
    cairo_move_to(cr, cx + 22, cy - 28);
    cairo_line_to(cr, cx + 22, cy + 28);
    cairo_stroke(cr);
    SetColour(cr, kTeal);
    cairo_move_to(cr, cx - 22, cy - 28);
    cairo_line_to(cr, cx + 22, cy + 28);
    cairo_stroke(cr);
    SetColour(cr, kInk);
    DrawSpaced(cr, "Sans-Bold", 62, "NORRIK", 178, 146, 4, false);
    SetColour(cr, kTeal);
    DrawSpaced(cr, "Sans-Bold", 15, "INTERACTIVE", 182, 176, 9.5, false);
    return canvas.Save(dir + "/norrik.png");
}

bool PaintZenthra(const std::string& dir) {
    Canvas canvas(512, 256);
    cairo_t* cr = canvas.Cr();
    constexpr std::uint32_t kInk = 0x3C2366;
    constexpr std::uint32_t kSun = 0xF0772A;
    // A brush-like ring: the stroke swells and thins as it goes round, open at the top right.
    const double cx = 256, cy = 86, r = 50;
    for (int i = 0; i < 300; ++i) {
        const double t = i / 300.0;
        const double a = -0.9 + t * (kTau - 0.55);
        const double width = 3 + 9 * std::sin(M_PI * std::pow(t, 0.8));
        SetColour(cr, kInk, 1.0);
        cairo_arc(cr, cx + r * std::cos(a), cy + r * std::sin(a), width / 2, 0, kTau);
        cairo_fill(cr);
    }
    SetColour(cr, kSun);
    cairo_arc(cr, cx + 8, cy - 6, 13, 0, kTau);
    cairo_fill(cr);
    SetColour(cr, 0x1A1424);
    DrawSpaced(cr, "Sans-ExtraLight", 54, "ZENTHRA", cx, 205, 12, true);
    SetColour(cr, kSun);
    DrawSpaced(cr, "Sans-Bold", 14, "GAMES", cx, 232, 12, true);
    return canvas.Save(dir + "/zenthra.png");
}

void VelmoraWave(cairo_t* cr, double y, double x0, double x1) {
    cairo_move_to(cr, x0, y);
    const int steps = 400;
    for (int i = 1; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double x = x0 + (x1 - x0) * t;
        const double envelope = std::exp(-std::pow((t - 0.5) / 0.16, 2.0));
        const double amplitude = 22 * envelope * std::sin(t * 70) * (0.6 + 0.4 * std::sin(t * 13));
        cairo_line_to(cr, x, y + amplitude);
    }
}

bool PaintVelmora(const std::string& dir) {
    Canvas canvas(1024, 256);
    cairo_t* cr = canvas.Cr();
    auto title = [](cairo_t* c) { DrawSpaced(c, "SansCondensed-Bold", 118, "VELMORA", 512, 150, 16, true); };
    auto wave = [](cairo_t* c) {
        cairo_set_line_width(c, 2.2);
        VelmoraWave(c, 205, 180, 844);
        cairo_stroke(c);
    };
    PaintGlow(
        canvas,
        [&](cairo_t* c) {
            SetColour(c, Palette::kSound);
            title(c);
            wave(c);
        },
        16.0, 1.0, false);
    PaintGlow(
        canvas,
        [&](cairo_t* c) {
            SetColour(c, Palette::kSoundLight);
            title(c);
            wave(c);
        },
        4.0, 0.8);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 60, 0, 150);
    AddStop(fill, 0, 0xFFFFFF);
    AddStop(fill, 1, Palette::kSoundLight);
    cairo_set_source(cr, fill);
    title(cr);
    cairo_pattern_destroy(fill);
    SetColour(cr, 0xE6F6FF);
    cairo_set_line_width(cr, 1.2);
    VelmoraWave(cr, 205, 180, 844);
    cairo_stroke(cr);
    return canvas.Save(dir + "/velmora.png");
}

} // namespace

bool PaintControllerDiagram(const std::string& dir);

bool PaintSlides(const std::string& dir) {
    bool ok = PaintNorrik(dir);
    ok = PaintZenthra(dir) && ok;
    ok = PaintVelmora(dir) && ok;
    ok = PaintControllerDiagram(dir) && ok;
    return ok;
}

} // namespace Velmora::Tools
