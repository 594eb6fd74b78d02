#include "SceneTools.h"

#include "Draw.h"

#include <algorithm>
#include <cmath>

#include "Timeline.h"

namespace Velmora::MovieGen {

using Tools::AddStop;
using Tools::SetColour;

double Clamp01(double t) { return std::clamp(t, 0.0, 1.0); }

double SmoothStep(double a, double b, double t) {
    const double x = Clamp01((t - a) / (b - a));
    return x * x * (3.0 - 2.0 * x);
}

double Hash(int index, int seed) { return Tools::Hash01(index, seed, 0x6d6f7669); }

namespace {

void DrawMoon(cairo_t* cr, double x, double y) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 18, x, y, 110);
    AddStop(glow, 0, 0xB8CCFF, 0.22);
    AddStop(glow, 1, 0xB8CCFF, 0.0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    // The crescent: a disc with a second, offset disc cut out of it.
    cairo_push_group(cr);
    SetColour(cr, 0xE8EEF8);
    cairo_arc(cr, x, y, 19, 0, kTau);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_arc(cr, x - 8, y - 5, 17, 0, kTau);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

} // namespace

void DrawNightSky(cairo_t* cr, double t, double shiftX, double shiftY) {
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, kHeight);
    AddStop(sky, 0.0, 0x03050C);
    AddStop(sky, 0.5, 0x0A0F2A);
    AddStop(sky, 0.82, 0x231C45);
    AddStop(sky, 1.0, 0x47294F);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    for (int i = 0; i < 170; ++i) {
        const double x = std::fmod(Hash(i, 1) * 760 + shiftX * 0.2 + 760, 760) - 60;
        const double y = std::pow(Hash(i, 2), 1.6) * 250 + shiftY * 0.2;
        const double twinkle = 0.55 + 0.45 * std::sin(t * (0.8 + 2.5 * Hash(i, 3)) + 40 * Hash(i, 4));
        SetColour(cr, Hash(i, 5) < 0.3 ? 0xFFE9C8 : 0xD8E6FF, twinkle * (0.25 + 0.75 * Hash(i, 6)));
        cairo_arc(cr, x, y, 0.45 + 0.9 * Hash(i, 7), 0, kTau);
        cairo_fill(cr);
    }
    DrawMoon(cr, 520 + shiftX * 0.3, 70 + shiftY * 0.3);
}

void DrawSearchlight(cairo_t* cr, double baseX, double baseY, double angle, double length, double alpha) {
    const double spread = 0.06;
    const double endX = baseX + std::cos(angle) * length;
    const double endY = baseY + std::sin(angle) * length;
    cairo_pattern_t* beam = cairo_pattern_create_linear(baseX, baseY, endX, endY);
    AddStop(beam, 0, 0xDCE6FF, alpha);
    AddStop(beam, 1, 0xDCE6FF, 0.0);
    cairo_move_to(cr, baseX - 3, baseY);
    cairo_line_to(cr, baseX + std::cos(angle - spread) * length, baseY + std::sin(angle - spread) * length);
    cairo_line_to(cr, baseX + std::cos(angle + spread) * length, baseY + std::sin(angle + spread) * length);
    cairo_line_to(cr, baseX + 3, baseY);
    cairo_close_path(cr);
    cairo_set_source(cr, beam);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_pattern_destroy(beam);
}

void DrawRain(cairo_t* cr, double t, int count, double alpha) {
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, 0xA9C4E8, alpha);
    for (int i = 0; i < count; ++i) {
        const double speed = 520 + 260 * Hash(i, 21);
        const double y = std::fmod(Hash(i, 22) * 420 + t * speed, 420) - 40;
        const double x = std::fmod(Hash(i, 23) * 700 - t * speed * 0.18 + 700 * 8, 700) - 30;
        const double length = 10 + 12 * Hash(i, 24);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x - length * 0.18, y + length);
    }
    cairo_stroke(cr);
}

void Darken(cairo_t* cr, double alpha) {
    if (alpha <= 0.0) return;
    cairo_set_source_rgba(cr, 0, 0, 0, Clamp01(alpha));
    cairo_paint(cr);
}

} // namespace Velmora::MovieGen
