#include "Painters.h"

#include "Draw.h"
#include "Palette.h"
#include "SpriteArt.h"

#include <cmath>

namespace Velmora::Tools {

namespace {

// The bar is designed at 1024x92 (the 11:1 shape it is drawn at) and stored at 1024x128 so the
// texture has power-of-two sides whichever texture coordinates the game uses.
constexpr double kDesignHeight = 92.0;
constexpr double kStoredHeight = 128.0;
constexpr double kScaleY = kStoredHeight / kDesignHeight;

// Meter slot and briefcase socket in design pixels; data/README.md and ChargeMeter.frag use the
// same numbers (as fractions of 1024 x 92).
constexpr double kSlotX0 = 128, kSlotX1 = 1000, kSlotY0 = 30, kSlotY1 = 66;
constexpr double kSocketX0 = 26, kSocketX1 = 96, kSocketY0 = 11, kSocketY1 = 81;

void BarPath(cairo_t* cr) {
    const double chamfer = 16;
    cairo_move_to(cr, 6 + chamfer, 4);
    cairo_line_to(cr, 1018, 4);
    cairo_line_to(cr, 1018, 88 - chamfer);
    cairo_line_to(cr, 1018 - chamfer, 88);
    cairo_line_to(cr, 6, 88);
    cairo_line_to(cr, 6, 4 + chamfer);
    cairo_close_path(cr);
}

void PaintSlot(cairo_t* cr) {
    const double h = kSlotY1 - kSlotY0;
    RoundedRect(cr, kSlotX0 - 3, kSlotY0 - 3, kSlotX1 - kSlotX0 + 6, h + 6, (h + 6) / 2);
    SetColour(cr, 0x2A3A50);
    cairo_fill(cr);
    cairo_pattern_t* groove = cairo_pattern_create_linear(0, kSlotY0, 0, kSlotY1);
    AddStop(groove, 0, 0x010203);
    AddStop(groove, 1, 0x0A1018);
    RoundedRect(cr, kSlotX0, kSlotY0, kSlotX1 - kSlotX0, h, h / 2);
    cairo_set_source(cr, groove);
    cairo_fill(cr);
    cairo_pattern_destroy(groove);
    // Ticks every twentieth, a taller one where reloading ends and charging begins.
    for (int i = 1; i < 20; ++i) {
        const double x = kSlotX0 + (kSlotX1 - kSlotX0) * i / 20.0;
        const bool middle = i == 10;
        SetColour(cr, middle ? Palette::kSteelLight : 0x1C2838);
        cairo_set_line_width(cr, middle ? 2.0 : 1.0);
        cairo_move_to(cr, x, middle ? kSlotY0 - 6 : kSlotY1 - 7);
        cairo_line_to(cr, x, middle ? kSlotY1 + 6 : kSlotY1 - 2);
        cairo_stroke(cr);
    }
    SetColour(cr, Palette::kTextDim);
    DrawText(cr, "SansCondensed-Bold", 11, "R E L O A D", kSlotX0 + 20, kSlotY0 - 7);
    DrawText(cr, "SansCondensed-Bold", 11, "C H A R G E", (kSlotX0 + kSlotX1) / 2 + 14, kSlotY0 - 7);
}

void PaintSocket(cairo_t* cr) {
    RoundedRect(cr, kSocketX0, kSocketY0, kSocketX1 - kSocketX0, kSocketY1 - kSocketY0, 8);
    SetColour(cr, 0x03050A, 0.9);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x2A3A50);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Corner brackets: the place the briefcase goes once taken.
    SetColour(cr, ScaleColour(Palette::kGold, 0.45));
    cairo_set_line_width(cr, 2);
    const double x0 = kSocketX0 + 6, x1 = kSocketX1 - 6, y0 = kSocketY0 + 6, y1 = kSocketY1 - 6, l = 9;
    cairo_move_to(cr, x0, y0 + l);
    cairo_line_to(cr, x0, y0);
    cairo_line_to(cr, x0 + l, y0);
    cairo_move_to(cr, x1 - l, y0);
    cairo_line_to(cr, x1, y0);
    cairo_line_to(cr, x1, y0 + l);
    cairo_move_to(cr, x1, y1 - l);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x1 - l, y1);
    cairo_move_to(cr, x0 + l, y1);
    cairo_line_to(cr, x0, y1);
    cairo_line_to(cr, x0, y1 - l);
    cairo_stroke(cr);
}

bool PaintBar(const std::string& dir) {
    Canvas canvas(1024, static_cast<int>(kStoredHeight));
    cairo_t* cr = canvas.Cr();
    cairo_scale(cr, 1, kScaleY);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 4, 0, 88);
    AddStop(fill, 0, 0x141C28, 0.94);
    AddStop(fill, 1, 0x06090E, 0.94);
    BarPath(cr);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    auto edge = [](cairo_t* c) {
        cairo_scale(c, 1, kScaleY);
        cairo_move_to(c, 22, 5);
        cairo_line_to(c, 1017, 5);
        SetColour(c, Palette::kSound);
        cairo_set_line_width(c, 2);
        cairo_stroke(c);
    };
    PaintGlow(canvas, edge, 3.0, 0.8);
    BarPath(cr);
    SetColour(cr, 0x33465E);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_save(cr);
    edge(cr);
    cairo_restore(cr);
    PaintSocket(cr);
    PaintSlot(cr);
    return canvas.Save(dir + "/hud.png");
}

bool PaintChargeMeter(const std::string& dir) {
    // A white-to-pale fill that takes the gun's tint; rounded ends, glassy highlight.
    Canvas canvas(256, 32);
    cairo_t* cr = canvas.Cr();
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 4, 0, 28);
    AddStop(body, 0, 0xFFFFFF);
    AddStop(body, 0.45, 0xC9D6E4);
    AddStop(body, 1, 0x7F8FA3);
    RoundedRect(cr, 2, 4, 252, 24, 12);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    SetColour(cr, 0xFFFFFF, 0.8);
    RoundedRect(cr, 10, 7, 236, 5, 2.5);
    cairo_fill(cr);
    return canvas.Save(dir + "/chargemeter.png");
}

bool PaintLaserDot(const std::string& dir) {
    Canvas canvas(32, 32);
    cairo_t* cr = canvas.Cr();
    cairo_pattern_t* dot = cairo_pattern_create_radial(16, 16, 0, 16, 16, 15);
    AddStop(dot, 0, 0xFFFFFF, 1.0);
    AddStop(dot, 0.2, 0xFFFFFF, 0.9);
    AddStop(dot, 0.45, 0xFFFFFF, 0.35);
    AddStop(dot, 1, 0xFFFFFF, 0.0);
    cairo_arc(cr, 16, 16, 15, 0, 2 * M_PI);
    cairo_set_source(cr, dot);
    cairo_fill(cr);
    cairo_pattern_destroy(dot);
    return canvas.Save(dir + "/laser_dot.png");
}

} // namespace

bool PaintHud(const std::string& dir) {
    bool ok = PaintBar(dir);
    ok = PaintBriefcase(dir + "/hudbriefcase.png", 64, true) && ok;
    ok = PaintChargeMeter(dir) && ok;
    ok = PaintLaserDot(dir) && ok;
    return ok;
}

} // namespace Velmora::Tools
