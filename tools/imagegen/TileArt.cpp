#include "TileArt.h"

#include "Palette.h"
#include "Tiles.h"

#include <cmath>

namespace Velmora::Tools {

namespace {

int Wrap(int v, int period) { return ((v % period) + period) % period; }

double Noise(int tx, int ty, int period, int cells, int seed) {
    return TiledNoise(tx * static_cast<double>(cells) / period, ty * static_cast<double>(cells) / period, cells, seed);
}

std::unique_ptr<Canvas> NewTile() { return std::make_unique<Canvas>(kCell, kCell); }

} // namespace

std::uint32_t FloorColour(int tx, int ty, int period) {
    tx = Wrap(tx, period);
    ty = Wrap(ty, period);
    const double broad = Noise(tx, ty, period, 4, 11);
    const double fine = Noise(tx, ty, period, 16, 12);
    const double grain = Hash01(tx, ty, 13);
    double shade = 0.80 + 0.30 * broad + 0.14 * fine + 0.10 * grain;
    // Slab joints: a dark line on the slab edge and a faint lit line beside it.
    if (tx == 0 || ty == 0) {
        shade *= 0.62;
    } else if (tx == 1 || ty == 1) {
        shade *= 1.12;
    }
    return ScaleColour(Palette::kFloor, shade);
}

std::unique_ptr<Canvas> PaintPlainFloor() {
    auto canvas = NewTile();
    FillPixels(*canvas, 0, 0, kCell, kCell, [](int x, int y) { return FloorColour(x, y, kCell); });
    return canvas;
}

std::unique_ptr<Canvas> PaintCarpet() {
    auto canvas = NewTile();
    FillPixels(*canvas, 0, 0, kCell, kCell, [](int x, int y) {
        const double fibre = Hash01(x, y, 21) * 0.22 + Noise(x, y, kCell, 8, 22) * 0.25;
        const int dx = std::abs(Wrap(x, 32) - 16);
        const int dy = std::abs(Wrap(y, 32) - 16);
        const int diamond = dx + dy;
        double thread = (diamond == 15 || diamond == 16) ? 0.32 : 0.0;
        thread += (diamond <= 2) ? 0.22 : 0.0;
        return ScaleColour(0x1A1C3A, 0.78 + fibre + thread);
    });
    return canvas;
}

std::unique_ptr<Canvas> PaintCeramic() {
    auto canvas = NewTile();
    FillPixels(*canvas, 0, 0, kCell, kCell, [](int x, int y) {
        const int cx = x / 32;
        const int cy = y / 32;
        const int lx = x % 32;
        const int ly = y % 32;
        if (lx == 0 || ly == 0 || lx == 31 || ly == 31) {
            return ScaleColour(0x0B0E14, 1.0 + 0.2 * Hash01(x, y, 31));
        }
        const double checker = ((cx + cy) % 2 == 0) ? 1.0 : 0.86;
        const double gloss = 1.0 + 0.25 * std::max(0.0, 1.0 - (lx + ly) / 34.0);
        const double bevel = (lx == 1 || ly == 1) ? 1.25 : (lx == 30 || ly == 30) ? 0.75 : 1.0;
        const double speck = 0.92 + 0.12 * Hash01(x, y, 32) + 0.1 * Noise(x, y, kCell, 8, 33);
        return ScaleColour(0x1C2433, checker * gloss * bevel * speck);
    });
    return canvas;
}

std::unique_ptr<Canvas> PaintGrate() {
    auto canvas = NewTile();
    FillPixels(*canvas, 0, 0, kCell, kCell, [](int x, int y) {
        const int ly = y % 8;
        const int lx = x % 32;
        const double grain = 0.9 + 0.2 * Hash01(x, y, 41);
        if (lx < 3) { // cross beam under the bars
            return ScaleColour(0x1E2733, grain * (lx == 0 ? 1.3 : 0.9));
        }
        if (ly < 5) {
            const double light = ly == 0 ? 1.6 : ly == 4 ? 0.6 : 1.0;
            return ScaleColour(0x2A3545, light * grain);
        }
        // The gap shows a faint cool glow from below.
        return MixColour(0x04060A, Palette::kSoundDeep, 0.18 * Noise(x, y, kCell, 4, 42));
    });
    return canvas;
}

std::unique_ptr<Canvas> PaintWood() {
    auto canvas = NewTile();
    FillPixels(*canvas, 0, 0, kCell, kCell, [](int x, int y) {
        const int plank = y / 16;
        const int ly = y % 16;
        const int joint = (plank * 37 + 11) % kCell;
        if (ly == 15 || x == joint) {
            return 0x0C0806u;
        }
        const double grain = TiledNoise(x / 16.0, y / 1.5, 4, 51 + plank);
        const double tone = 0.75 + 0.25 * Hash01(plank, 0, 52);
        const double edge = ly == 0 ? 1.25 : 1.0;
        return ScaleColour(0x2B1E15, tone * edge * (0.8 + 0.4 * grain + 0.08 * Hash01(x, y, 53)));
    });
    return canvas;
}

std::unique_ptr<Canvas> PaintShatteredGlass() {
    auto canvas = PaintPlainFloor();
    cairo_t* cr = canvas->Cr();
    for (int i = 0; i < 26; ++i) {
        const double cx = 6 + 52 * Hash01(i, 1, 61);
        const double cy = 6 + 52 * Hash01(i, 2, 61);
        const double size = 1.5 + 4.5 * Hash01(i, 3, 61);
        const double angle = 6.283 * Hash01(i, 4, 61);
        cairo_move_to(cr, cx + size * std::cos(angle), cy + size * std::sin(angle));
        cairo_line_to(cr, cx + size * 0.6 * std::cos(angle + 2.3), cy + size * 0.6 * std::sin(angle + 2.3));
        cairo_line_to(cr, cx + size * 0.8 * std::cos(angle + 4.1), cy + size * 0.8 * std::sin(angle + 4.1));
        cairo_close_path(cr);
        SetColour(cr, Palette::kSoundLight, 0.25 + 0.45 * Hash01(i, 5, 61));
        cairo_fill_preserve(cr);
        SetColour(cr, 0xFFFFFF, 0.35);
        cairo_set_line_width(cr, 0.6);
        cairo_stroke(cr);
    }
    return canvas;
}

std::unique_ptr<Canvas> PaintExit() {
    auto canvas = NewTile();
    FillPixels(*canvas, 0, 0, kCell, kCell, [](int x, int y) { return ScaleColour(FloorColour(x, y, kCell), 0.8); });
    cairo_t* cr = canvas->Cr();
    auto ring = [](cairo_t* c) {
        SetColour(c, Palette::kExit);
        cairo_set_line_width(c, 3.5);
        RoundedRect(c, 7, 7, 50, 50, 6);
        cairo_stroke(c);
    };
    cairo_pattern_t* fill = cairo_pattern_create_radial(32, 32, 2, 32, 32, 30);
    AddStop(fill, 0, Palette::kExit, 0.45);
    AddStop(fill, 1, Palette::kExit, 0.12);
    RoundedRect(cr, 7, 7, 50, 50, 6);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    PaintGlow(*canvas, ring, 4.0, 1.0);
    ring(cr);
    SetColour(cr, 0xE8FFF0);
    cairo_set_line_width(cr, 1.0);
    RoundedRect(cr, 7, 7, 50, 50, 6);
    cairo_stroke(cr);
    SetColour(cr, 0xF2FFF6);
    DrawText(cr, "Sans-Bold", 13.5, "EXIT", 32, 37, Align::kCentre);
    return canvas;
}

std::unique_ptr<Canvas> PaintLaserFence() {
    auto canvas = NewTile();
    FillPixels(*canvas, 0, 0, kCell, kCell, [](int x, int y) { return ScaleColour(FloorColour(x, y, kCell), 0.85); });
    constexpr std::uint32_t kLaser = 0xFF2A55;
    auto beams = [](cairo_t* c) {
        SetColour(c, kLaser);
        cairo_set_line_width(c, 1.6);
        for (double p : {16.0, 48.0}) {
            cairo_move_to(c, 0, p);
            cairo_line_to(c, kCell, p);
            cairo_move_to(c, p, 0);
            cairo_line_to(c, p, kCell);
        }
        cairo_stroke(c);
    };
    PaintGlow(*canvas, beams, 3.0, 1.0);
    cairo_t* cr = canvas->Cr();
    beams(cr);
    SetColour(cr, 0xFFD0DA, 0.9);
    cairo_set_line_width(cr, 0.5);
    for (double p : {16.0, 48.0}) {
        cairo_move_to(cr, 0, p);
        cairo_line_to(cr, kCell, p);
        cairo_move_to(cr, p, 0);
        cairo_line_to(cr, p, kCell);
    }
    cairo_stroke(cr);
    for (double px : {16.0, 48.0}) {
        for (double py : {16.0, 48.0}) {
            SetColour(cr, 0x1A1F29);
            RoundedRect(cr, px - 4, py - 4, 8, 8, 1.5);
            cairo_fill(cr);
            SetColour(cr, kLaser);
            cairo_arc(cr, px, py, 1.6, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
    return canvas;
}

std::unique_ptr<Canvas> PaintGuardBarrier() {
    auto canvas = NewTile();
    FillPixels(*canvas, 0, 0, kCell, kCell, [](int x, int y) {
        const std::uint32_t floor = FloorColour(x, y, kCell);
        const bool stripe = Wrap(x + y, 16) < 6;
        return stripe ? MixColour(floor, Palette::kAmber, 0.32) : floor;
    });
    cairo_t* cr = canvas->Cr();
    // A "no guards" sign: the guard's cap seen from above, crossed out.
    SetColour(cr, 0x0C0F15, 0.85);
    cairo_arc(cr, 32, 32, 13, 0, 2 * M_PI);
    cairo_fill(cr);
    SetColour(cr, Palette::kAmber);
    cairo_set_line_width(cr, 2.5);
    cairo_arc(cr, 32, 32, 11.5, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_arc(cr, 32, 33, 5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_rectangle(cr, 28, 25, 8, 3);
    cairo_fill(cr);
    cairo_move_to(cr, 24, 24);
    cairo_line_to(cr, 40, 40);
    cairo_stroke(cr);
    return canvas;
}

std::unique_ptr<Canvas> PaintClosedDoor() {
    auto canvas = NewTile();
    FillPixels(*canvas, 0, 0, kCell, kCell, [](int x, int y) {
        const int lx = std::min(x, kCell - 1 - x);
        const int ly = std::min(y, kCell - 1 - y);
        const int edge = std::min(lx, ly);
        if (edge < 2) {
            return 0x07080Bu;
        }
        const double ribs = (y % 6 == 0) ? 0.7 : (y % 6 == 1) ? 1.2 : 1.0;
        return ScaleColour(0x2A2226, ribs * (0.9 + 0.15 * Hash01(x, y, 71)) * (edge < 5 ? 1.25 : 1.0));
    });
    cairo_t* cr = canvas->Cr();
    auto lights = [](cairo_t* c) {
        SetColour(c, Palette::kShock);
        cairo_set_line_width(c, 2.5);
        RoundedRect(c, 6, 6, 52, 52, 3);
        cairo_stroke(c);
        cairo_arc(c, 32, 32, 6, 0, 2 * M_PI);
        cairo_fill(c);
    };
    PaintGlow(*canvas, lights, 3.5, 0.9);
    lights(cr);
    SetColour(cr, 0xFFC0B0, 0.9);
    cairo_arc(cr, 32, 32, 2.5, 0, 2 * M_PI);
    cairo_fill(cr);
    return canvas;
}

std::unique_ptr<Canvas> PaintOpenDoor() {
    auto canvas = PaintPlainFloor();
    cairo_t* cr = canvas->Cr();
    SetColour(cr, 0x05070A);
    cairo_set_line_width(cr, 3);
    cairo_rectangle(cr, 3.5, 3.5, 57, 57);
    cairo_stroke(cr);
    SetColour(cr, Palette::kSteel);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 5.5, 5.5, 53, 53);
    cairo_stroke(cr);
    auto leds = [](cairo_t* c) {
        SetColour(c, Palette::kExit);
        for (double px : {8.0, 56.0}) {
            for (double py : {8.0, 56.0}) {
                cairo_arc(c, px, py, 1.8, 0, 2 * M_PI);
                cairo_fill(c);
            }
        }
    };
    PaintGlow(*canvas, leds, 2.5, 0.8);
    leds(cr);
    return canvas;
}

} // namespace Velmora::Tools
