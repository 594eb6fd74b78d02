#include "SpriteArt.h"

#include "Palette.h"

#include <cmath>

namespace Velmora::Tools {

namespace {

constexpr double kTau = 2 * M_PI;

void SoundArcs(cairo_t* cr, double cx, double cy, double r) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, r * 0.13);
    for (int i = 0; i < 3; ++i) {
        const double radius = r * (0.35 + 0.28 * i);
        cairo_arc(cr, cx, cy + r * 0.45, radius, -M_PI / 2 - 0.75, -M_PI / 2 + 0.75);
        cairo_stroke(cr);
    }
    cairo_arc(cr, cx, cy + r * 0.45, r * 0.13, 0, kTau);
    cairo_fill(cr);
}

// White noise spreads all around: a centre and two broken rings.
void NoiseDots(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx, cy, r * 0.16, 0, kTau);
    cairo_fill(cr);
    cairo_set_line_width(cr, r * 0.12);
    for (int ring = 0; ring < 2; ++ring) {
        const double radius = r * (0.45 + 0.4 * ring);
        const int dashes = 8 + 6 * ring;
        for (int i = 0; i < dashes; ++i) {
            const double a = kTau * (i + 0.5 * ring) / dashes;
            const double span = kTau / dashes * 0.55;
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, radius, a, a + span);
        }
        cairo_stroke(cr);
    }
}

void Bolt(cairo_t* cr, double cx, double cy, double r) {
    cairo_move_to(cr, cx + r * 0.15, cy - r * 0.85);
    cairo_line_to(cr, cx - r * 0.45, cy + r * 0.1);
    cairo_line_to(cr, cx - r * 0.02, cy + r * 0.1);
    cairo_line_to(cr, cx - r * 0.2, cy + r * 0.85);
    cairo_line_to(cr, cx + r * 0.45, cy - r * 0.15);
    cairo_line_to(cr, cx + r * 0.02, cy - r * 0.15);
    cairo_close_path(cr);
    cairo_fill(cr);
}

} // namespace

std::uint32_t GunColour(GunIcon icon) {
    switch (icon) {
        case GunIcon::kSound:
            return Palette::kSound;
        case GunIcon::kWhite:
            return Palette::kWhiteGun;
        case GunIcon::kShock:
            return Palette::kShock;
    }
    return Palette::kSound;
}

void DrawGunIcon(cairo_t* cr, GunIcon icon, double cx, double cy, double r) {
    switch (icon) {
        case GunIcon::kSound:
            SoundArcs(cr, cx, cy, r);
            break;
        case GunIcon::kWhite:
            NoiseDots(cr, cx, cy, r);
            break;
        case GunIcon::kShock:
            Bolt(cr, cx, cy, r);
            break;
    }
}

bool PaintGunPickup(const std::string& dir, const std::string& name, GunIcon icon) {
    Canvas canvas(64, 64);
    cairo_t* cr = canvas.Cr();
    const std::uint32_t colour = GunColour(icon);
    PaintGlow(
        canvas,
        [&](cairo_t* c) {
            SetColour(c, colour);
            cairo_set_line_width(c, 4);
            cairo_arc(c, 32, 32, 25, 0, kTau);
            cairo_stroke(c);
        },
        4.0, 1.0, false);
    cairo_pattern_t* disc = cairo_pattern_create_radial(32, 28, 2, 32, 32, 26);
    AddStop(disc, 0, MixColour(0x121924, colour, 0.18));
    AddStop(disc, 1, 0x080B10);
    cairo_arc(cr, 32, 32, 24.5, 0, kTau);
    cairo_set_source(cr, disc);
    cairo_fill(cr);
    cairo_pattern_destroy(disc);
    SetColour(cr, colour);
    cairo_set_line_width(cr, 2.2);
    cairo_arc(cr, 32, 32, 24.5, 0, kTau);
    cairo_stroke(cr);
    PaintGlow(
        canvas,
        [&](cairo_t* c) {
            SetColour(c, colour);
            DrawGunIcon(c, icon, 32, 32, 17);
        },
        2.5, 0.9);
    SetColour(cr, MixColour(colour, 0xFFFFFF, 0.35));
    DrawGunIcon(cr, icon, 32, 32, 17);
    return canvas.Save(dir + "/" + name);
}

bool PaintBriefcase(const std::string& path, int size, bool flat) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.Cr();
    cairo_scale(cr, size / 64.0, size / 64.0);
    auto body = [](cairo_t* c) { RoundedRect(c, 11, 20, 42, 30, 4); };
    if (!flat) {
        PaintGlow(
            canvas,
            [&](cairo_t* c) {
                cairo_scale(c, size / 64.0, size / 64.0);
                body(c);
                SetColour(c, Palette::kGold, 0.9);
                cairo_fill(c);
            },
            5.0, 0.9, false);
    }
    // Handle.
    SetColour(cr, 0x1A120C);
    cairo_set_line_width(cr, 3.5);
    RoundedRect(cr, 25, 12, 14, 12, 3);
    cairo_stroke(cr);
    cairo_pattern_t* leather = cairo_pattern_create_linear(0, 20, 0, 50);
    AddStop(leather, 0, 0x5A3E26);
    AddStop(leather, 1, 0x2C1D12);
    body(cr);
    cairo_set_source(cr, leather);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(leather);
    SetColour(cr, Palette::kGold);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // Seam and clasps.
    SetColour(cr, 0x1A120C, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, 13, 27);
    cairo_line_to(cr, 51, 27);
    cairo_stroke(cr);
    SetColour(cr, Palette::kGold);
    for (double x : {19.0, 41.0}) {
        RoundedRect(cr, x, 24.5, 5, 5, 1);
        cairo_fill(cr);
    }
    SetColour(cr, 0xFFF3C8, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 15, 22.5);
    cairo_line_to(cr, 49, 22.5);
    cairo_stroke(cr);
    return canvas.Save(path);
}

bool PaintGenerator(const std::string& dir) {
    Canvas canvas(64, 64);
    cairo_t* cr = canvas.Cr();
    PaintGlow(
        canvas,
        [](cairo_t* c) {
            SetColour(c, Palette::kWhiteGun, 0.7);
            cairo_set_line_width(c, 3);
            for (double r : {13.0, 20.0}) {
                cairo_arc(c, 32, 32, r, 0, kTau);
                cairo_stroke(c);
            }
        },
        3.0, 0.5, false);
    cairo_pattern_t* box = cairo_pattern_create_linear(0, 10, 0, 54);
    AddStop(box, 0, 0x3A4658);
    AddStop(box, 1, 0x1A212C);
    RoundedRect(cr, 10, 10, 44, 44, 5);
    cairo_set_source(cr, box);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(box);
    SetColour(cr, Palette::kSteelLight);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    SetColour(cr, 0x0A0D12);
    for (double x : {15.0, 47.0}) {
        for (double y : {15.0, 47.0}) {
            cairo_arc(cr, x, y, 1.8, 0, kTau);
            cairo_fill(cr);
        }
    }
    // The speaker cone.
    cairo_pattern_t* cone = cairo_pattern_create_radial(32, 32, 1, 32, 32, 15);
    AddStop(cone, 0, 0xE9F2FA);
    AddStop(cone, 0.25, 0x5F6E80);
    AddStop(cone, 1, 0x0B0F15);
    cairo_arc(cr, 32, 32, 15, 0, kTau);
    cairo_set_source(cr, cone);
    cairo_fill(cr);
    cairo_pattern_destroy(cone);
    SetColour(cr, Palette::kWhiteGun, 0.7);
    cairo_set_line_width(cr, 1);
    for (double r : {8.0, 12.0, 15.0}) {
        cairo_arc(cr, 32, 32, r, 0, kTau);
        cairo_stroke(cr);
    }
    return canvas.Save(dir + "/generator.png");
}

bool PaintWaypoint(const std::string& dir) {
    Canvas canvas(32, 32);
    cairo_t* cr = canvas.Cr();
    constexpr std::uint32_t kMarker = 0xC8FF3C;
    PaintGlow(
        canvas,
        [](cairo_t* c) {
            SetColour(c, kMarker);
            cairo_set_line_width(c, 2.5);
            cairo_arc(c, 16, 16, 10, 0, kTau);
            cairo_stroke(c);
        },
        2.0, 0.8, false);
    SetColour(cr, 0x0A0F05, 0.6);
    cairo_arc(cr, 16, 16, 9, 0, kTau);
    cairo_fill(cr);
    SetColour(cr, kMarker);
    cairo_set_line_width(cr, 2);
    cairo_arc(cr, 16, 16, 10, 0, kTau);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.5);
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        cairo_move_to(cr, 16 + 4 * std::cos(a), 16 + 4 * std::sin(a));
        cairo_line_to(cr, 16 + 14 * std::cos(a), 16 + 14 * std::sin(a));
    }
    cairo_stroke(cr);
    cairo_arc(cr, 16, 16, 2, 0, kTau);
    cairo_fill(cr);
    return canvas.Save(dir + "/waypoint.png");
}

bool PaintEmote(const std::string& dir, const std::string& name, const std::string& mark, std::uint32_t colour) {
    Canvas canvas(64, 64);
    cairo_t* cr = canvas.Cr();
    auto bubble = [](cairo_t* c) {
        cairo_arc(c, 32, 28, 20, 0, kTau);
        cairo_move_to(c, 25, 45);
        cairo_line_to(c, 32, 58);
        cairo_line_to(c, 39, 45);
        cairo_close_path(c);
    };
    PaintGlow(
        canvas,
        [&](cairo_t* c) {
            bubble(c);
            SetColour(c, colour);
            cairo_fill(c);
        },
        4.0, 0.9, false);
    bubble(cr);
    cairo_pattern_t* fill = cairo_pattern_create_radial(28, 22, 2, 32, 28, 22);
    AddStop(fill, 0, MixColour(colour, 0xFFFFFF, 0.35));
    AddStop(fill, 1, ScaleColour(colour, 0.75));
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetColour(cr, 0x140604, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    SetColour(cr, 0x120806);
    DrawText(cr, "Sans-Bold", 31, mark, 33, 39.5, Align::kCentre);
    SetColour(cr, 0xFFFFFF);
    DrawText(cr, "Sans-Bold", 31, mark, 32, 38.5, Align::kCentre);
    return canvas.Save(dir + "/" + name);
}

} // namespace Velmora::Tools
