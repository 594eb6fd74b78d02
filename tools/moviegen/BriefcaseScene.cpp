#include "BriefcaseScene.h"

#include "Draw.h"
#include "FloorPlan.h"
#include "Palette.h"
#include "SceneTools.h"
#include "Timeline.h"

#include <cmath>

namespace Velmora::MovieGen {

using Tools::AddStop;
using Tools::SetColour;
namespace Palette = Tools::Palette;

namespace {

constexpr double kShot = kRingsStart - kBriefcaseStart;
constexpr double kCaseX = 330;
constexpr double kCaseY = 170;

void DrawFloor(cairo_t* cr) {
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 18; ++x) {
            const double shade = 0.9 + 0.2 * Hash(y * 32 + x, 71);
            SetColour(cr, Tools::ScaleColour((x + y) % 2 == 0 ? Palette::kFloor : Palette::kPanel, shade));
            cairo_rectangle(cr, x * 40 - 40, y * 40 - 60, 40, 40);
            cairo_fill(cr);
        }
    }
}

void DrawWalls(cairo_t* cr) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    SetColour(cr, Palette::kSteel);
    cairo_set_line_width(cr, 14);
    cairo_move_to(cr, 150, 330);
    cairo_line_to(cr, 40, 330);
    cairo_line_to(cr, 40, 20);
    cairo_line_to(cr, 610, 20);
    cairo_line_to(cr, 610, 330);
    cairo_line_to(cr, 230, 330);
    cairo_stroke(cr);
    SetColour(cr, Palette::kSteelLight, 0.6);
    cairo_set_line_width(cr, 1.5);
    cairo_rectangle(cr, 47, 27, 556, 296);
    cairo_stroke(cr);
}

void DrawLasers(cairo_t* cr, double t) {
    struct Beam {
        double ax, ay, bx, by, phase;
    };
    const Beam beams[] = {{47, 90, 603, 140, 0.0}, {47, 250, 603, 205, 1.7}, {120, 27, 180, 323, 3.1},
                          {520, 27, 470, 323, 4.4}};
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const Beam& beam : beams) {
        const double pulse = 0.55 + 0.35 * std::sin(t * 5.0 + beam.phase);
        SetColour(cr, Palette::kShock, 0.35 * pulse);
        cairo_set_line_width(cr, 5);
        cairo_move_to(cr, beam.ax, beam.ay);
        cairo_line_to(cr, beam.bx, beam.by);
        cairo_stroke(cr);
        SetColour(cr, Palette::kShockLight, pulse);
        cairo_set_line_width(cr, 1.2);
        cairo_move_to(cr, beam.ax, beam.ay);
        cairo_line_to(cr, beam.bx, beam.by);
        cairo_stroke(cr);
    }
}

void DrawTableAndLight(cairo_t* cr) {
    cairo_pattern_t* pool = cairo_pattern_create_radial(kCaseX, kCaseY, 10, kCaseX, kCaseY, 190);
    AddStop(pool, 0, 0xFFE2B0, 0.32);
    AddStop(pool, 1, 0xFFE2B0, 0.0);
    cairo_set_source(cr, pool);
    cairo_paint(cr);
    cairo_pattern_destroy(pool);
    Tools::RoundedRect(cr, kCaseX - 95, kCaseY - 62, 190, 124, 10);
    SetColour(cr, 0x2A1E17);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x4A3627);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void DrawBriefcase(cairo_t* cr, double t) {
    cairo_save(cr);
    cairo_translate(cr, kCaseX, kCaseY);
    cairo_rotate(cr, -0.14);
    Tools::RoundedRect(cr, -52, -34, 104, 68, 7);
    cairo_pattern_t* body = cairo_pattern_create_linear(-52, -34, 52, 34);
    AddStop(body, 0, 0x7A5431);
    AddStop(body, 1, 0x352214);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    // A glint sweeps across the lid once during the shot.
    cairo_save(cr);
    cairo_clip_preserve(cr);
    const double sweep = -90 + 200 * SmoothStep(1.5, 3.5, t);
    cairo_pattern_t* glint = cairo_pattern_create_linear(sweep - 20, -40, sweep + 20, 40);
    AddStop(glint, 0, 0xFFFFFF, 0.0);
    AddStop(glint, 0.5, 0xFFF3D6, 0.45);
    AddStop(glint, 1, 0xFFFFFF, 0.0);
    cairo_set_source(cr, glint);
    cairo_paint(cr);
    cairo_pattern_destroy(glint);
    cairo_restore(cr);
    SetColour(cr, 0x1A100A);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    Tools::RoundedRect(cr, -16, -44, 32, 12, 5);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    SetColour(cr, Palette::kGold);
    cairo_rectangle(cr, -36, -36, 10, 6);
    cairo_rectangle(cr, 26, -36, 10, 6);
    cairo_fill(cr);
    cairo_restore(cr);
}

Point PlayerAt(double t) {
    const double walk = SmoothStep(0.3, kShot, t);
    return {190 + 50 * walk, 345 - 100 * walk};
}

void DrawPlayer(cairo_t* cr, double t) {
    // Each step leaves a small ring behind, as footsteps do in the game.
    for (int step = 0; step < 12; ++step) {
        const double when = 0.5 + step * 0.5;
        const double age = t - when;
        if (age < 0 || age > 0.9) continue;
        const Point at = PlayerAt(when);
        SetColour(cr, Palette::kSoundLight, 0.7 * (1 - age / 0.9));
        cairo_set_line_width(cr, 1.3);
        cairo_arc(cr, at.mX, at.mY, 6 + 45 * age, 0, kTau);
        cairo_stroke(cr);
    }
    const Point at = PlayerAt(t);
    SetColour(cr, Palette::kPanelLight);
    cairo_arc(cr, at.mX, at.mY, 9, 0, kTau);
    cairo_fill_preserve(cr);
    SetColour(cr, Palette::kSound);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    const double heading = std::atan2(kCaseY - at.mY, kCaseX - at.mX);
    cairo_arc(cr, at.mX + 9 * std::cos(heading), at.mY + 9 * std::sin(heading), 3, 0, kTau);
    cairo_fill(cr);
}

} // namespace

void DrawBriefcaseScene(cairo_t* cr, double t) {
    SetColour(cr, Palette::kVoid);
    cairo_paint(cr);
    const double zoom = 1.0 + 0.16 * SmoothStep(-kCrossfade, kShot + kCrossfade, t);
    cairo_save(cr);
    cairo_translate(cr, kCaseX, kCaseY);
    cairo_scale(cr, zoom, zoom);
    cairo_rotate(cr, 0.03 * SmoothStep(0, kShot, t));
    cairo_translate(cr, -kCaseX, -kCaseY);
    DrawFloor(cr);
    DrawTableAndLight(cr);
    DrawBriefcase(cr, t);
    DrawLasers(cr, t);
    DrawPlayer(cr, t);
    DrawWalls(cr);
    cairo_restore(cr);
}

} // namespace Velmora::MovieGen
