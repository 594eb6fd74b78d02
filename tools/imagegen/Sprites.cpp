#include "Painters.h"

#include "Draw.h"
#include "Palette.h"
#include "SpriteArt.h"

#include <cmath>
#include <utility>

namespace Velmora::Tools {

namespace {

constexpr double kTau = 2 * M_PI;

// Body of a person seen from above, facing up: shoulders, arms forward, head.
void PersonPath(cairo_t* cr, double shoulderWidth, double shoulderDepth) {
    cairo_save(cr);
    cairo_translate(cr, 32, 37);
    cairo_scale(cr, shoulderWidth, shoulderDepth);
    cairo_arc(cr, 0, 0, 1, 0, kTau);
    cairo_restore(cr);
}

void PaintPerson(const Canvas& canvas, std::uint32_t body, std::uint32_t rim, bool guard) {
    cairo_t* cr = canvas.Cr();
    const double width = guard ? 19 : 16.5;
    const double depth = guard ? 11.5 : 10;
    PaintGlow(canvas, [&](cairo_t* c) {
        PersonPath(c, width + 1.5, depth + 1.5);
        SetColour(c, rim, 0.8);
        cairo_fill(c);
    }, 3.5, 0.7, false, true);
    // Shoulders with a soft light from the front left.
    cairo_pattern_t* shade = cairo_pattern_create_radial(27, 32, 2, 32, 37, width + 3);
    AddStop(shade, 0, ScaleColour(body, 1.7));
    AddStop(shade, 1, ScaleColour(body, 0.75));
    PersonPath(cr, width, depth);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, rim);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    // Both arms reach forward to the item held in front of the right shoulder.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const auto& [x0, y0] : {std::pair{guard ? 44.0 : 42.0, 34.0}, {guard ? 20.0 : 22.0, 34.0}}) {
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, 37, 20);
        SetColour(cr, 0x07090D);
        cairo_set_line_width(cr, 7.5);
        cairo_stroke_preserve(cr);
        SetColour(cr, ScaleColour(body, 1.35));
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
    }
    // Head.
    cairo_pattern_t* head = cairo_pattern_create_radial(29.5, 31.5, 1, 32, 35, 9);
    AddStop(head, 0, ScaleColour(body, 2.3));
    AddStop(head, 1, ScaleColour(body, 0.7));
    cairo_arc(cr, 32, 36, guard ? 8.5 : 8, 0, kTau);
    cairo_set_source(cr, head);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(head);
    SetColour(cr, 0x07090D);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// The player's highlight: a ring of sound-blue light round the figure, so the player stands out
// from guards and floor at play size.
void PaintPlayerRing(const Canvas& canvas, double cx, double cy, double radius) {
    PaintGlow(canvas, [&](cairo_t* c) {
        cairo_arc(c, cx, cy, radius, 0, kTau);
        SetColour(c, Palette::kSound);
        cairo_set_line_width(c, 5);
        cairo_stroke(c);
    }, 4.0, 0.9);
    cairo_t* cr = canvas.Cr();
    cairo_arc(cr, cx, cy, radius, 0, kTau);
    SetColour(cr, Palette::kSoundLight, 0.85);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// The figure itself, drawn in the 64 × 64 design of the other people.
void PaintPlayerFigure(const Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    PaintPerson(canvas, 0x2B4260, Palette::kSound, false);
    // The sound gun held forward, its emitter glowing.
    RoundedRect(cr, 33.5, 6, 7, 19, 2);
    SetColour(cr, 0x3A4A5E);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x07090D);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    PaintGlow(canvas, [](cairo_t* c) {
        SetColour(c, Palette::kSound);
        cairo_arc(c, 37, 7, 4, 0, kTau);
        cairo_fill(c);
    }, 3.0, 1.0, true, true);
    SetColour(cr, Palette::kSoundLight);
    cairo_arc(cr, 37, 7, 2.2, 0, kTau);
    cairo_fill(cr);
    // Headset band across the head.
    SetColour(cr, Palette::kSound);
    cairo_set_line_width(cr, 2.2);
    cairo_arc(cr, 32, 36, 8, M_PI * 1.05, M_PI * 1.95);
    cairo_stroke(cr);
    SetColour(cr, Palette::kSoundLight);
    cairo_arc(cr, 24.3, 37, 2.0, 0, kTau);
    cairo_arc(cr, 39.7, 37, 2.0, 0, kTau);
    cairo_fill(cr);
}

// The figure half as large again as the guards' (it is the one the player follows all game),
// inside its ring; 128 × 128 for a power-of-two texture, the margin left clear.
bool PaintPlayer(const std::string& dir) {
    Canvas canvas(128, 128);
    PaintPlayerRing(canvas, 64, 64, 41);
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_translate(cr, 64, 64);
    cairo_scale(cr, 1.5, 1.5);
    cairo_translate(cr, -32, -32);
    PaintPlayerFigure(canvas);
    cairo_restore(cr);
    return canvas.Save(dir + "/player.png");
}

// A guard from above: the uniform's colour and the rim light tell the kinds apart.
bool PaintGuard(const std::string& dir, const std::string& name, std::uint32_t body, std::uint32_t rim, std::uint32_t lamp) {
    Canvas canvas(64, 64);
    cairo_t* cr = canvas.Cr();
    PaintPerson(canvas, body, rim, true);
    // Flashlight in the hands.
    RoundedRect(cr, 34.5, 7, 5, 15, 1.5);
    SetColour(cr, 0x2A2C30);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x07090D);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    PaintGlow(canvas, [&](cairo_t* c) {
        SetColour(c, lamp);
        cairo_arc(c, 37, 7.5, 4, 0, kTau);
        cairo_fill(c);
    }, 3.0, 1.0);
    SetColour(cr, MixColour(lamp, 0xFFFFFF, 0.6));
    cairo_arc(cr, 37, 7.5, 2.2, 0, kTau);
    cairo_fill(cr);
    // Peaked cap: crown and the visor pointing forward, with a badge.
    SetColour(cr, 0x1E2024);
    cairo_arc(cr, 32, 36, 7.6, 0, kTau);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 32, 29.5);
    cairo_scale(cr, 7, 3.5);
    cairo_arc(cr, 0, 0, 1, M_PI, kTau);
    cairo_restore(cr);
    cairo_close_path(cr);
    SetColour(cr, 0x0B0C0E);
    cairo_fill(cr);
    SetColour(cr, rim);
    cairo_arc(cr, 32, 33, 1.9, 0, kTau);
    cairo_fill(cr);
    return canvas.Save(dir + "/" + name);
}

} // namespace

bool PaintSprites(const std::string& dir) {
    bool ok = PaintPlayer(dir);
    ok = PaintGuard(dir, "guard.png", 0x4A4536, Palette::kAmber, 0xFFE6A0) && ok;
    ok = PaintGuard(dir, "guard_alert.png", 0x4A4536, 0xFF3B2F, 0xFFB0A0) && ok;
    ok = PaintGuard(dir, "guard_pan.png", 0x2E4650, 0x3FD6E0, 0xC8FAFF) && ok;
    ok = PaintGuard(dir, "guard_alarm.png", 0x55303A, 0xFF4FA0, 0xFFC0DC) && ok;
    ok = PaintGunPickup(dir, "gun_sound.png", GunIcon::kSound) && ok;
    ok = PaintGunPickup(dir, "gun_white.png", GunIcon::kWhite) && ok;
    ok = PaintGunPickup(dir, "gun_shock.png", GunIcon::kShock) && ok;
    ok = PaintBriefcase(dir + "/briefcase.png", 64, false) && ok;
    ok = PaintGenerator(dir) && ok;
    ok = PaintWaypoint(dir) && ok;
    ok = PaintEmote(dir, "emote_exclaim.png", "!", 0xFF3B2F) && ok;
    ok = PaintEmote(dir, "emote_question.png", "?", Palette::kAmber) && ok;
    return ok;
}

} // namespace Velmora::Tools
