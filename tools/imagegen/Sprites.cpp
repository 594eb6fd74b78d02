#include "Painters.h"

#include "Draw.h"
#include "Palette.h"
#include "SpriteArt.h"

#include <cmath>

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
        PersonPath(c, width + 1, depth + 1);
        SetColour(c, rim, 0.9);
        cairo_fill(c);
    }, 4.0, 0.9, false);
    // Arms reaching forward to the held item.
    SetColour(cr, ScaleColour(body, 0.8));
    RoundedRect(cr, 33, 17, 7, 20, 3);
    cairo_fill(cr);
    RoundedRect(cr, guard ? 22 : 24, 24, 6, 14, 3);
    cairo_fill(cr);
    // Shoulders with a soft top light.
    cairo_pattern_t* shade = cairo_pattern_create_radial(29, 33, 2, 32, 37, width + 2);
    AddStop(shade, 0, ScaleColour(body, 1.6));
    AddStop(shade, 1, ScaleColour(body, 0.7));
    PersonPath(cr, width, depth);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, rim);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // Head.
    cairo_pattern_t* head = cairo_pattern_create_radial(30, 31, 1, 32, 34, 9);
    AddStop(head, 0, ScaleColour(body, 2.0));
    AddStop(head, 1, ScaleColour(body, 0.6));
    cairo_arc(cr, 32, 34, guard ? 8.5 : 8, 0, kTau);
    cairo_set_source(cr, head);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(head);
    SetColour(cr, ScaleColour(rim, 0.7));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

bool PaintPlayer(const std::string& dir) {
    Canvas canvas(64, 64);
    cairo_t* cr = canvas.Cr();
    PaintPerson(canvas, 0x1C2A3C, Palette::kSound, false);
    // The sound gun held forward, its emitter glowing.
    SetColour(cr, 0x0E141E);
    RoundedRect(cr, 34, 6, 5, 16, 1.5);
    cairo_fill(cr);
    PaintGlow(canvas, [](cairo_t* c) {
        SetColour(c, Palette::kSound);
        cairo_arc(c, 36.5, 7, 3.5, 0, kTau);
        cairo_fill(c);
    }, 3.0, 1.0);
    SetColour(cr, Palette::kSoundLight);
    cairo_arc(cr, 36.5, 7, 1.8, 0, kTau);
    cairo_fill(cr);
    // Headset band across the head.
    SetColour(cr, Palette::kSound);
    cairo_set_line_width(cr, 2.2);
    cairo_arc(cr, 32, 34, 8, M_PI * 1.05, M_PI * 1.95);
    cairo_stroke(cr);
    SetColour(cr, Palette::kSoundLight);
    cairo_arc(cr, 24.3, 35, 1.6, 0, kTau);
    cairo_arc(cr, 39.7, 35, 1.6, 0, kTau);
    cairo_fill(cr);
    return canvas.Save(dir + "/player.png");
}

bool PaintGuard(const std::string& dir, const std::string& name, std::uint32_t rim, std::uint32_t lamp) {
    Canvas canvas(64, 64);
    cairo_t* cr = canvas.Cr();
    PaintPerson(canvas, 0x2A2B25, rim, true);
    // Flashlight in the right hand.
    SetColour(cr, 0x111214);
    RoundedRect(cr, 34.5, 8, 4, 12, 1.2);
    cairo_fill(cr);
    PaintGlow(canvas, [&](cairo_t* c) {
        SetColour(c, lamp);
        cairo_arc(c, 36.5, 8.5, 3.5, 0, kTau);
        cairo_fill(c);
    }, 3.0, 1.0);
    SetColour(cr, MixColour(lamp, 0xFFFFFF, 0.6));
    cairo_arc(cr, 36.5, 8.5, 1.8, 0, kTau);
    cairo_fill(cr);
    // Peaked cap: crown and the visor pointing forward, with a badge.
    SetColour(cr, 0x17181B);
    cairo_arc(cr, 32, 34, 7.2, 0, kTau);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 32, 27.5);
    cairo_scale(cr, 7, 3.5);
    cairo_arc(cr, 0, 0, 1, M_PI, kTau);
    cairo_restore(cr);
    cairo_close_path(cr);
    SetColour(cr, 0x0B0C0E);
    cairo_fill(cr);
    SetColour(cr, rim);
    cairo_arc(cr, 32, 30.5, 1.7, 0, kTau);
    cairo_fill(cr);
    return canvas.Save(dir + "/" + name);
}

} // namespace

bool PaintSprites(const std::string& dir) {
    bool ok = PaintPlayer(dir);
    ok = PaintGuard(dir, "guard.png", Palette::kAmber, 0xFFE6A0) && ok;
    ok = PaintGuard(dir, "guard_alert.png", 0xFF3B2F, 0xFFB0A0) && ok;
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
