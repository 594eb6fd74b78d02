#include "Palette.h"
#include "TileArt.h"
#include "Tiles.h"

#include <cmath>

namespace Velmora::Tools {

namespace {

constexpr int kPeriod = kCell - 2 * kInset; // see TileArt.cpp: patterns repeat over the sampled part
constexpr double kBand = 6.0;               // width of the wall's side face where it meets the floor
constexpr double kCorner = 7.0;

int Wrap(int v, int period) { return ((v % period) + period) % period; }

struct OpenSides {
    bool mRight, mBelow, mLeft, mAbove;
    explicit OpenSides(int mask) : mRight(!(mask & 1)), mBelow(!(mask & 2)), mLeft(!(mask & 4)), mAbove(!(mask & 8)) {}
};

std::uint32_t StoneColour(int tx, int ty) {
    const int row = ty / 30;
    const int shift = (row % 2) * 15;
    const int bx = Wrap(tx + shift, kPeriod);
    const int block = bx / 30 + 2 * row;
    const int lx = bx % 30;
    const int ly = ty % 30;
    if (lx < 2 || ly < 2) {
        return ScaleColour(0x12161E, 0.9 + 0.2 * Hash01(tx, ty, 81));
    }
    const double tone = 0.85 + 0.22 * Hash01(block, 0, 82);
    const double lit = (lx == 2 || ly == 2) ? 1.18 : (lx == 29 || ly == 29) ? 0.85 : 1.0;
    const double noise =
        0.82 + 0.28 * TiledNoise(tx * 6.0 / kPeriod, ty * 6.0 / kPeriod, 6, 83) + 0.1 * Hash01(tx, ty, 84);
    return ScaleColour(0x2E3646, tone * lit * noise);
}

std::uint32_t MetalColour(int tx, int ty) {
    const int lx = tx % 30;
    const int ly = ty % 30;
    if (lx == 0 || ly == 0) {
        return 0x0D1118;
    }
    if (lx == 1 || ly == 1) {
        return 0x46576D;
    }
    const double brushed =
        0.9 + 0.12 * TiledNoise(tx * 2.0 / kPeriod, ty * 30.0 / kPeriod, 30, 91) + 0.05 * Hash01(tx, ty, 92);
    const double plate = 0.92 + 0.12 * Hash01(tx / 30, ty / 30, 93);
    const double rivetDistance = std::hypot(std::min(lx, 30 - lx) - 4.5, std::min(ly, 30 - ly) - 4.5);
    if (rivetDistance < 1.6) {
        return ScaleColour(0x5E738D, 1.1 - 0.2 * rivetDistance);
    }
    return ScaleColour(0x263040, brushed * plate);
}

// A rectangle path whose corners are rounded only where both touching sides are open.
void FacePath(cairo_t* cr, double x0, double y0, double x1, double y1, const OpenSides& open) {
    const double rTopRight = (open.mAbove && open.mRight) ? kCorner : 0;
    const double rBottomRight = (open.mBelow && open.mRight) ? kCorner : 0;
    const double rBottomLeft = (open.mBelow && open.mLeft) ? kCorner : 0;
    const double rTopLeft = (open.mAbove && open.mLeft) ? kCorner : 0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1 - rTopRight, y0 + rTopRight, rTopRight, -M_PI / 2, 0);
    cairo_arc(cr, x1 - rBottomRight, y1 - rBottomRight, rBottomRight, 0, M_PI / 2);
    cairo_arc(cr, x0 + rBottomLeft, y1 - rBottomLeft, rBottomLeft, M_PI / 2, M_PI);
    cairo_arc(cr, x0 + rTopLeft, y0 + rTopLeft, rTopLeft, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void PaintWallCell(const Canvas& sheet, int mask, WallStyle style) {
    const int cellX = (mask % 4) * kCell;
    const int cellY = (mask / 4) * kCell;
    const OpenSides open(mask);
    FillPixels(sheet, cellX, cellY, kCell, kCell, [&](int x, int y) {
        const int tx = Wrap(x - cellX - kInset, kPeriod);
        const int ty = Wrap(y - cellY - kInset, kPeriod);
        return style == WallStyle::kStone ? StoneColour(tx, ty) : MetalColour(tx, ty);
    });
    cairo_t* cr = sheet.Cr();
    cairo_save(cr);
    cairo_translate(cr, cellX, cellY);
    cairo_rectangle(cr, 0, 0, kCell, kCell);
    cairo_clip(cr);
    const double x0 = open.mLeft ? kInset + kBand : 0;
    const double x1 = open.mRight ? kCell - kInset - kBand : kCell;
    const double y0 = open.mAbove ? kInset + kBand : 0;
    const double y1 = open.mBelow ? kCell - kInset - kBand : kCell;
    // Side faces: the drop from the wall's top to the floor, dark, with a soft shade inward.
    cairo_rectangle(cr, 0, 0, kCell, kCell);
    FacePath(cr, x0, y0, x1, y1, open);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetColour(cr, style == WallStyle::kStone ? 0x0A0D13 : 0x080B11);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // Rim light on the top face's open edges; clipped away on joined sides so it never shows at a seam.
    cairo_rectangle(cr, open.mLeft ? 0 : 1.5, open.mAbove ? 0 : 1.5,
                    (open.mRight ? kCell : kCell - 1.5) - (open.mLeft ? 0 : 1.5),
                    (open.mBelow ? kCell : kCell - 1.5) - (open.mAbove ? 0 : 1.5));
    cairo_clip(cr);
    FacePath(cr, x0 + 0.75, y0 + 0.75, x1 - 0.75, y1 - 0.75, open);
    SetColour(cr, style == WallStyle::kStone ? 0x9DB6D2 : Palette::kSoundLight,
              style == WallStyle::kStone ? 0.75 : 0.85);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

} // namespace

std::unique_ptr<Canvas> PaintWallSheet(WallStyle style) {
    auto sheet = std::make_unique<Canvas>(4 * kCell, 4 * kCell);
    for (int mask = 0; mask < 16; ++mask) {
        PaintWallCell(*sheet, mask, style);
    }
    return sheet;
}

namespace {

constexpr double kPaneHalf = 6.5;

void PaneStrip(cairo_t* cr, double x0, double y0, double x1, double y1) {
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
}

// Glass seen from above: a thin framed pane along the joined directions over the floor.
void PaintGlassCell(const Canvas& sheet, int mask) {
    const int cellX = (mask % 4) * kCell;
    const int cellY = (mask / 4) * kCell;
    FillPixels(sheet, cellX, cellY, kCell, kCell,
               [&](int x, int y) { return FloorColour(x - cellX - kInset, y - cellY - kInset, kPeriod); });
    cairo_t* cr = sheet.Cr();
    cairo_save(cr);
    cairo_translate(cr, cellX, cellY);
    cairo_rectangle(cr, 0, 0, kCell, kCell);
    cairo_clip(cr);
    const bool right = mask & 1, below = mask & 2, left = mask & 4, above = mask & 8;
    const bool horizontal = right || left;
    const bool vertical = above || below;
    const double c = kCell / 2.0;
    // Rectangles of the pane, narrowed by `inset` across the pane only: the ends that reach a
    // joined side stay at the cell border, so nothing dark is drawn at a seam.
    auto addPane = [&](double inset) {
        const double h = kPaneHalf - inset;
        if (!horizontal && !vertical) {
            PaneStrip(cr, c - 16 + inset, c - 16 + inset, c + 16 - inset, c + 16 - inset);
        } else if (horizontal && !vertical) {
            PaneStrip(cr, 0, c - h, kCell, c + h);
        } else if (vertical && !horizontal) {
            PaneStrip(cr, c - h, 0, c + h, kCell);
        } else {
            PaneStrip(cr, left ? 0 : c - h, c - h, right ? kCell : c + h, c + h);
            PaneStrip(cr, c - h, above ? 0 : c - h, c + h, below ? kCell : c + h);
        }
    };
    cairo_new_path(cr);
    addPane(0);
    SetColour(cr, 0x0A0E15);
    cairo_fill(cr);
    addPane(1.5);
    SetColour(cr, 0x6FC3F2, 0.6);
    cairo_fill(cr);
    SetColour(cr, 0xDDF4FF, 0.85);
    cairo_set_line_width(cr, 1.2);
    if (!horizontal && !vertical) {
        cairo_move_to(cr, c - 9, c + 5);
        cairo_line_to(cr, c + 5, c - 9);
        cairo_move_to(cr, c - 4, c + 9);
        cairo_line_to(cr, c + 9, c - 4);
    } else {
        const bool straightH = horizontal && !vertical;
        const bool straightV = vertical && !horizontal;
        if (horizontal) {
            cairo_move_to(cr, (left || straightH) ? 0 : c, c);
            cairo_line_to(cr, (right || straightH) ? kCell : c, c);
        }
        if (vertical) {
            cairo_move_to(cr, c, (above || straightV) ? 0 : c);
            cairo_line_to(cr, c, (below || straightV) ? kCell : c);
        }
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

} // namespace

std::unique_ptr<Canvas> PaintGlassSheet() {
    auto sheet = std::make_unique<Canvas>(4 * kCell, 4 * kCell);
    for (int mask = 0; mask < 16; ++mask) {
        PaintGlassCell(*sheet, mask);
    }
    return sheet;
}

} // namespace Velmora::Tools
