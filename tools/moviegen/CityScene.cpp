#include "CityScene.h"

#include "Draw.h"
#include "SceneTools.h"
#include "Timeline.h"

#include <algorithm>
#include <cmath>

namespace Velmora::MovieGen {

using Tools::SetColour;

namespace {

struct Layer {
    int mSeed;
    double mSpeed;        // pixels per second the layer drifts left
    double mMinHeight, mMaxHeight;
    std::uint32_t mColour;
    double mLitWindows;   // share of lit windows
    double mWindowAlpha;
};

constexpr Layer kLayers[] = {
    {31, 5.0, 90, 190, 0x151B36, 0.10, 0.35},
    {32, 13.0, 70, 230, 0x0C1025, 0.22, 0.6},
    {33, 30.0, 40, 170, 0x05070F, 0.30, 0.85},
};

// The tower the next shot climbs, placed in the near layer so it arrives as the shot ends.
constexpr double kTowerWorldX = 770.0;

void DrawWindows(cairo_t* cr, const Layer& layer, int building, double x, double top, double width, double t) {
    const int columns = std::max(1, static_cast<int>((width - 6) / 7));
    for (int row = 0; top + 8 + row * 10 < kHeight - 14; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int id = building * 4096 + row * 64 + column;
            double lit = Hash(id, layer.mSeed) < layer.mLitWindows ? 1.0 : 0.0;
            // A few rooms switch their lights on or off while we watch.
            if (Hash(id, layer.mSeed + 7) < 0.04) lit = std::sin(t * 0.9 + 30 * Hash(id, 5)) > 0 ? 1.0 : 0.0;
            if (lit == 0.0) continue;
            SetColour(cr, Hash(id, 9) < 0.75 ? 0xFFC46B : 0x9CCFFF, layer.mWindowAlpha * (0.55 + 0.45 * Hash(id, 8)));
            cairo_rectangle(cr, x + 4 + column * 7, top + 8 + row * 10, 3, 5);
            cairo_fill(cr);
        }
    }
}

void DrawBeacon(cairo_t* cr, double x, double y, double t, double phase) {
    const double blink = std::pow(std::max(0.0, std::sin(t * 2.6 + phase)), 6.0);
    SetColour(cr, 0xFF2A1A, 0.25 + 0.75 * blink);
    cairo_arc(cr, x, y, 1.6, 0, kTau);
    cairo_fill(cr);
}

void DrawBuilding(cairo_t* cr, const Layer& layer, int index, double x, double width, double height, double t) {
    const double top = kHeight - height;
    SetColour(cr, layer.mColour);
    cairo_rectangle(cr, x, top, width, height);
    if (Hash(index, layer.mSeed + 1) < 0.35) cairo_rectangle(cr, x + width * 0.25, top - 12, width * 0.5, 12);
    cairo_fill(cr);
    if (layer.mLitWindows > 0.15) DrawWindows(cr, layer, index, x, top, width, t);
    if (Hash(index, layer.mSeed + 2) < 0.25) {
        SetColour(cr, layer.mColour);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, x + width * 0.5, top - 12);
        cairo_line_to(cr, x + width * 0.5, top - 34);
        cairo_stroke(cr);
        DrawBeacon(cr, x + width * 0.5, top - 34, t, 6 * Hash(index, 3));
    }
}

void DrawLayer(cairo_t* cr, const Layer& layer, double t) {
    const double shift = layer.mSpeed * t;
    double worldX = -120.0;
    for (int index = 0; worldX < 900 + shift; ++index) {
        const double width = 26 + 44 * Hash(index, layer.mSeed + 3);
        const double height = layer.mMinHeight + (layer.mMaxHeight - layer.mMinHeight) * Hash(index, layer.mSeed + 4);
        const bool tower = &layer == &kLayers[2] && worldX <= kTowerWorldX && worldX + width > kTowerWorldX;
        if (tower) {
            DrawBuilding(cr, layer, index, kTowerWorldX - shift, 58, 300, t);
            worldX = kTowerWorldX + 62;
            continue;
        }
        if (worldX + width - shift > -10) DrawBuilding(cr, layer, index, worldX - shift, width, height, t);
        worldX += width + 2 + 10 * Hash(index, layer.mSeed + 5);
    }
}

void DrawHaze(cairo_t* cr, double top, double alpha) {
    cairo_pattern_t* haze = cairo_pattern_create_linear(0, top, 0, kHeight);
    Tools::AddStop(haze, 0, 0x3A2D5C, 0.0);
    Tools::AddStop(haze, 1, 0x3A2D5C, alpha);
    cairo_set_source(cr, haze);
    cairo_paint(cr);
    cairo_pattern_destroy(haze);
}

// Head and tail lights streaming along the avenue at the foot of the towers.
void DrawTraffic(cairo_t* cr, double t) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int car = 0; car < 14; ++car) {
        const bool towardsUs = car % 2 == 0;
        const double speed = (towardsUs ? 1 : -1) * (70 + 60 * Hash(car, 41));
        const double x = std::fmod(Hash(car, 42) * 900 + speed * t + 900 * 20, 900) - 130;
        const double y = kHeight - 5 - (towardsUs ? 0 : 3);
        SetColour(cr, towardsUs ? 0xFFF1CF : 0xFF3B2A, 0.9);
        cairo_set_line_width(cr, 1.8);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 10, y);
        cairo_stroke(cr);
    }
}

} // namespace

void DrawCityScene(cairo_t* cr, double t) {
    DrawNightSky(cr, t, -2.0 * t, 0.0);
    DrawSearchlight(cr, 150, kHeight, -kTau / 4 + 0.45 * std::sin(0.5 * t + 0.4), 420, 0.16);
    DrawSearchlight(cr, 470, kHeight, -kTau / 4 + 0.4 * std::sin(0.37 * t + 2.1), 420, 0.12);
    DrawLayer(cr, kLayers[0], t);
    DrawHaze(cr, 160, 0.45);
    DrawLayer(cr, kLayers[1], t);
    DrawHaze(cr, 250, 0.3);
    DrawLayer(cr, kLayers[2], t);
    DrawTraffic(cr, t);
}

} // namespace Velmora::MovieGen
