#include "RingScene.h"

#include "Draw.h"
#include "Palette.h"
#include "SceneTools.h"
#include "Timeline.h"

#include <cmath>

namespace Velmora::MovieGen {

using Tools::AddStop;
using Tools::SetColour;
namespace Palette = Tools::Palette;

namespace {

constexpr double kRingSpeed = 150.0;  // pixels per second
constexpr double kRingLife = 3.2;     // seconds
constexpr double kConeHalfAngle = 0.42;
constexpr double kConeLength = 125.0;

FloorPlan MakePlan() {
    FloorPlan plan;
    plan.AddBox(40, 30, 560, 300);
    plan.AddWall({240, 30}, {240, 125});  // left rooms | middle rooms, door 125–170
    plan.AddWall({240, 170}, {240, 330});
    plan.AddWall({420, 30}, {420, 195});  // middle rooms | right rooms, door 195–240
    plan.AddWall({420, 240}, {420, 330});
    plan.AddWall({40, 180}, {110, 180});  // left rooms, door 110–160
    plan.AddWall({160, 180}, {240, 180});
    plan.AddWall({240, 160}, {290, 160});  // middle rooms, door 290–370
    plan.AddWall({370, 160}, {420, 160});
    plan.AddWall({420, 175}, {495, 175});  // right rooms, door 495–545
    plan.AddWall({545, 175}, {600, 175});
    plan.AddBox(322, 70, 18, 18);  // pillars that tear the rings
    plan.AddBox(125, 255, 16, 16);
    plan.AddBox(505, 250, 14, 30);
    return plan;
}

} // namespace

RingScene::RingScene()
    : mPlan(MakePlan()), mPlayer{330, 250}, mRing(mPlan, mPlayer, 540, kRingSpeed * kRingLife, 3) {
    const Guard guards[] = {{{130, 95}, 0.6, -1}, {{525, 100}, 2.6, -1}, {{535, 285}, -2.4, -1}, {{300, 110}, 0.3, -1}};
    for (Guard guard : guards) {
        const double distance = mRing.ArrivalAt(guard.mAt, 10.0);
        if (distance >= 0) guard.mAlerted = kRingBeats[0] * kBeat + distance / kRingSpeed;
        mGuards.push_back(guard);
    }
}

void RingScene::DrawPlan(cairo_t* cr) const {
    SetColour(cr, Palette::kFloor);
    cairo_paint(cr);
    SetColour(cr, Palette::kPanelLight, 0.55);
    cairo_set_line_width(cr, 1.0);
    for (int x = 40; x <= 600; x += 20) {
        cairo_move_to(cr, x + 0.5, 30);
        cairo_line_to(cr, x + 0.5, 330);
    }
    for (int y = 30; y <= 330; y += 20) {
        cairo_move_to(cr, 40, y + 0.5);
        cairo_line_to(cr, 600, y + 0.5);
    }
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    for (const auto& [width, colour] : {std::pair{7.0, Palette::kSteel}, std::pair{1.6, Palette::kSteelLight}}) {
        SetColour(cr, colour);
        cairo_set_line_width(cr, width);
        for (const Wall& wall : mPlan.Walls()) {
            cairo_move_to(cr, wall.mA.mX, wall.mA.mY);
            cairo_line_to(cr, wall.mB.mX, wall.mB.mY);
        }
        cairo_stroke(cr);
    }
}

void RingScene::DrawGuard(cairo_t* cr, const Guard& guard, double t) const {
    const double pan = guard.mHeading + 0.55 * std::sin(0.8 * t + guard.mHeading);
    const double toPlayer = std::atan2(mPlayer.mY - guard.mAt.mY, mPlayer.mX - guard.mAt.mX);
    const double turn = guard.mAlerted < 0 ? 0.0 : SmoothStep(guard.mAlerted, guard.mAlerted + 0.45, t);
    const double heading = pan + std::remainder(toPlayer - pan, kTau) * turn;
    // The view cone stops at walls, as the guards' sight does.
    cairo_move_to(cr, guard.mAt.mX, guard.mAt.mY);
    for (int i = 0; i <= 24; ++i) {
        const double angle = heading - kConeHalfAngle + 2 * kConeHalfAngle * i / 24;
        const RayHit hit = mPlan.Cast(guard.mAt, std::cos(angle), std::sin(angle), kConeLength);
        cairo_line_to(cr, guard.mAt.mX + std::cos(angle) * hit.mDistance, guard.mAt.mY + std::sin(angle) * hit.mDistance);
    }
    cairo_close_path(cr);
    cairo_pattern_t* cone = cairo_pattern_create_radial(guard.mAt.mX, guard.mAt.mY, 5, guard.mAt.mX, guard.mAt.mY,
                                                        kConeLength);
    AddStop(cone, 0, Palette::kAmber, 0.38 + 0.2 * turn);
    AddStop(cone, 1, Palette::kAmber, 0.0);
    cairo_set_source(cr, cone);
    cairo_fill(cr);
    cairo_pattern_destroy(cone);
    SetColour(cr, 0x3A2418);
    cairo_arc(cr, guard.mAt.mX, guard.mAt.mY, 9, 0, kTau);
    cairo_fill_preserve(cr);
    SetColour(cr, Palette::kAmber);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    const double mark = guard.mAlerted < 0 ? 0.0 : SmoothStep(guard.mAlerted, guard.mAlerted + 0.2, t);
    if (mark > 0) {
        SetColour(cr, Palette::kGold, mark);
        Tools::DrawText(cr, "Sans-Bold", 18, "?", guard.mAt.mX, guard.mAt.mY - 14, Tools::Align::kCentre);
    }
}

void RingScene::DrawPlayer(cairo_t* cr, double t) const {
    for (const double beat : kRingBeats) {
        const double age = t - beat * kBeat;
        if (age < 0 || age > 0.35) continue;
        SetColour(cr, Palette::kSoundLight, 1.0 - age / 0.35);
        cairo_arc(cr, mPlayer.mX, mPlayer.mY, 12 + 20 * age, 0, kTau);
        cairo_fill(cr);
    }
    SetColour(cr, Palette::kPanelLight);
    cairo_arc(cr, mPlayer.mX, mPlayer.mY, 9, 0, kTau);
    cairo_fill_preserve(cr);
    SetColour(cr, Palette::kSound);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void RingScene::Draw(cairo_t* cr, double t) const {
    SetColour(cr, Palette::kVoid);
    cairo_paint(cr);
    const double zoom = 1.06 - 0.06 * SmoothStep(-kCrossfade, 8.0, t);
    cairo_save(cr);
    cairo_translate(cr, kWidth / 2.0, kHeight / 2.0);
    cairo_scale(cr, zoom, zoom);
    cairo_translate(cr, -kWidth / 2.0, -kHeight / 2.0);
    DrawPlan(cr);
    for (const Guard& guard : mGuards) DrawGuard(cr, guard, t);
    for (const double beat : kRingBeats) {
        const double age = t - beat * kBeat;
        if (age > 0 && age < kRingLife) mRing.Draw(cr, age * kRingSpeed, std::pow(1.0 - age / kRingLife, 1.2));
    }
    DrawPlayer(cr, t);
    cairo_restore(cr);
}

namespace {

// The splash's wave under the title: a ripple swelling in the middle, its phase running.
void TitleWave(cairo_t* cr, double y, double x0, double x1, double phase) {
    for (int i = 0; i <= 300; ++i) {
        const double f = i / 300.0;
        const double envelope = std::exp(-std::pow((f - 0.5) / 0.16, 2.0));
        const double amplitude = 13 * envelope * std::sin(f * 70 - phase) * (0.6 + 0.4 * std::sin(f * 13));
        i == 0 ? cairo_move_to(cr, x0, y) : cairo_line_to(cr, x0 + (x1 - x0) * f, y + amplitude);
    }
}

double SpacedWidth(cairo_t* cr, const char* text, double size, double spacing) {
    double width = 0;
    for (const char* c = text; *c; ++c) width += Tools::TextWidth(cr, "SansCondensed-Bold", size, std::string(1, *c)) + spacing;
    return width - spacing;
}

} // namespace

void DrawTitle(cairo_t* cr, double t) {
    const double show = SmoothStep(kTitleStart, kTitleStart + 1.4, t);
    if (show <= 0) return;
    Darken(cr, 0.6 * show);
    const double size = 76 * (1.06 - 0.06 * show);
    const char* title = "VELMORA";
    double x = kWidth / 2.0 - SpacedWidth(cr, title, size, 10) / 2;
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 130, 0, 200);
    AddStop(fill, 0, 0xFFFFFF, show);
    AddStop(fill, 1, Palette::kSoundLight, show);
    cairo_set_source(cr, fill);
    for (const char* c = title; *c; ++c) x += Tools::DrawText(cr, "SansCondensed-Bold", size, std::string(1, *c), x, 200) + 10;
    cairo_pattern_destroy(fill);
    SetColour(cr, Palette::kSoundLight, show);
    cairo_set_line_width(cr, 1.6);
    TitleWave(cr, 230, 170, 470, 6.0 * (t - kTitleStart));
    cairo_stroke(cr);
}

} // namespace Velmora::MovieGen
