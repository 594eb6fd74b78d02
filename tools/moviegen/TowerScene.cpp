#include "TowerScene.h"

#include "Draw.h"
#include "SceneTools.h"
#include "Timeline.h"

#include <cmath>

namespace Velmora::MovieGen {

using Tools::AddStop;
using Tools::SetColour;

namespace {

constexpr double kShot = kBriefcaseStart - kBuildingStart;
constexpr double kLeft = 200;
constexpr double kRight = 440;
constexpr double kFloorHeight = 34;
constexpr int kColumns = 8;
constexpr int kFloors = 30;
// The facade's top in tower coordinates; the camera climbs from the street to the roof.
constexpr double kRoof = -kFloors * kFloorHeight;
// The window the shot ends on: top floor, sixth column.
constexpr int kTargetColumn = 5;

double CameraRise(double t) { return SmoothStep(-0.5, kShot - 1.2, t) * (-kRoof - 200); }

double ColumnX(int column) { return kLeft + 12 + column * (kRight - kLeft - 24) / kColumns; }

void DrawNeighbours(cairo_t* cr, double rise) {
    SetColour(cr, 0x080B17);
    cairo_rectangle(cr, 0, 150 + rise * 0.35, 150, 600);
    cairo_rectangle(cr, 500, 90 + rise * 0.4, 140, 600);
    cairo_fill(cr);
    SetColour(cr, 0x0E1327);
    cairo_rectangle(cr, 120, 230 + rise * 0.3, 70, 600);
    cairo_rectangle(cr, 470, 260 + rise * 0.3, 60, 600);
    cairo_fill(cr);
}

void DrawFacade(cairo_t* cr, double base) {
    cairo_pattern_t* face = cairo_pattern_create_linear(kLeft, 0, kRight, 0);
    AddStop(face, 0, 0x1E2740);
    AddStop(face, 0.55, 0x121829);
    AddStop(face, 1, 0x0A0E1A);
    cairo_set_source(cr, face);
    cairo_rectangle(cr, kLeft, base + kRoof, kRight - kLeft, -kRoof + 400);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    const double cell = (kRight - kLeft - 24) / kColumns;
    for (int floor = 0; floor < kFloors; ++floor) {
        const double y = base - (floor + 1) * kFloorHeight;
        if (y > kHeight || y < -kFloorHeight) continue;
        for (int column = 0; column < kColumns; ++column) {
            const int id = floor * 16 + column;
            const bool lit = floor < kFloors - 1 && Hash(id, 61) < 0.2;
            SetColour(cr, lit ? 0xFFC879 : 0x0F1A33, lit ? 0.55 + 0.35 * Hash(id, 62) : 1.0);
            cairo_rectangle(cr, ColumnX(column) + 3, y + 6, cell - 6, kFloorHeight - 12);
            cairo_fill(cr);
        }
    }
}

// The top floor: every window dark but one, where a guard walks past with a torch.
void DrawTopFloor(cairo_t* cr, double base, double t) {
    const double cell = (kRight - kLeft - 24) / kColumns;
    const double y = base + kRoof + 6;
    const double x = ColumnX(kTargetColumn) + 3;
    SetColour(cr, 0xFFB44E, 0.85);
    cairo_rectangle(cr, x, y, cell - 6, kFloorHeight - 12);
    cairo_fill(cr);
    const double walk = std::fmod(t * 0.45, 1.0);
    const double guardX = x - 6 + walk * (cell + 6);
    SetColour(cr, 0x1A0E06);
    cairo_arc(cr, guardX, y + 7, 2.4, 0, kTau);
    cairo_rectangle(cr, guardX - 2.5, y + 9, 5, 13);
    cairo_fill(cr);
    SetColour(cr, 0xFFF4D0, 0.9);
    cairo_move_to(cr, guardX + 2, y + 14);
    cairo_line_to(cr, guardX + 12, y + 10);
    cairo_line_to(cr, guardX + 12, y + 20);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void DrawRoof(cairo_t* cr, double base, double t) {
    const double roof = base + kRoof;
    SetColour(cr, 0x0B0F1C);
    cairo_rectangle(cr, kLeft - 6, roof - 8, kRight - kLeft + 12, 10);
    cairo_rectangle(cr, kLeft + 60, roof - 26, 70, 18);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2.0);
    cairo_move_to(cr, kLeft + 170, roof - 8);
    cairo_line_to(cr, kLeft + 170, roof - 80);
    cairo_stroke(cr);
    const double blink = std::pow(std::max(0.0, std::sin(t * 2.4)), 6.0);
    SetColour(cr, 0xFF2A1A, 0.3 + 0.7 * blink);
    cairo_arc(cr, kLeft + 170, roof - 80, 2.5, 0, kTau);
    cairo_fill(cr);
    DrawSearchlight(cr, kLeft + 95, roof - 26, -kTau / 4 + 0.7 * std::sin(0.6 * t), 460, 0.18);
}

} // namespace

void DrawTowerScene(cairo_t* cr, double t) {
    const double rise = CameraRise(t);
    DrawNightSky(cr, t, 0.0, rise * 0.05);
    // The last second and a half closes in on the guard's window.
    const double zoom = 1.0 + 2.2 * SmoothStep(kShot - 1.6, kShot + kCrossfade, t);
    const double base = kHeight + 10 + rise;
    const double cell = (kRight - kLeft - 24) / kColumns;
    const double focusX = ColumnX(kTargetColumn) + cell / 2;
    const double focusY = base + kRoof + kFloorHeight / 2;
    cairo_save(cr);
    cairo_translate(cr, focusX, focusY);
    cairo_scale(cr, zoom, zoom);
    cairo_translate(cr, -focusX, -focusY);
    DrawNeighbours(cr, rise);
    DrawFacade(cr, base);
    DrawTopFloor(cr, base, t);
    DrawRoof(cr, base, t);
    cairo_restore(cr);
    DrawRain(cr, t, 260, 0.16);
}

} // namespace Velmora::MovieGen
