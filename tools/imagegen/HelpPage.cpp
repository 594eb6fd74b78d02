#include "Draw.h"
#include "Palette.h"
#include "SpriteArt.h"

#include <cmath>
#include <string>
#include <vector>

namespace Velmora::Tools {

namespace {

constexpr double kTau = 2 * M_PI;
constexpr double kScaleY = 1024.0 / 768.0; // designed at 1024x768, stored at 1024x1024

void Background(cairo_t* cr) {
    cairo_pattern_t* fill = cairo_pattern_create_radial(512, 300, 50, 512, 384, 720);
    AddStop(fill, 0, 0x101826);
    AddStop(fill, 1, 0x04060A);
    cairo_rectangle(cr, 0, 0, 1024, 768);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    SetColour(cr, 0x33AAFF, 0.035);
    cairo_set_line_width(cr, 1);
    for (int x = 0; x <= 1024; x += 32) {
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, 768);
    }
    for (int y = 0; y <= 768; y += 32) {
        cairo_move_to(cr, 0, y + 0.5);
        cairo_line_to(cr, 1024, y + 0.5);
    }
    cairo_stroke(cr);
}

void Heading(cairo_t* cr, const std::string& text, double x, double y, double width) {
    SetColour(cr, Palette::kSound);
    DrawText(cr, "SansCondensed-Bold", 21, text, x, y);
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, Palette::kSound, 0.5);
    cairo_move_to(cr, x, y + 9);
    cairo_line_to(cr, x + width, y + 9);
    cairo_stroke(cr);
}

// A key cap; returns its width.
double KeyCap(cairo_t* cr, const std::string& label, double x, double baseline) {
    const double width = std::max(30.0, TextWidth(cr, "Sans-Bold", 14, label) + 18);
    RoundedRect(cr, x, baseline - 19, width, 27, 5);
    SetColour(cr, 0x1B2536);
    cairo_fill_preserve(cr);
    SetColour(cr, Palette::kSteelLight);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    SetColour(cr, Palette::kText);
    DrawText(cr, "Sans-Bold", 14, label, x + width / 2, baseline, Align::kCentre);
    return width;
}

struct ControlRow {
    std::vector<std::string> mKeys;
    std::string mAction;
};

// Keys pressed together are joined by "+", alternatives by "or".
bool IsChord(const ControlRow& row) { return !row.mKeys.empty() && row.mKeys.front() == "Alt"; }

void Controls(cairo_t* cr, double x, double y) {
    Heading(cr, "CONTROLS", x, y, 430);
    // The keys the game answers to.
    const std::vector<ControlRow> rows = {
        {{"Left Shift", "Left Mouse"}, "Walk towards the cursor"},
        {{"Mouse"}, "Aim"},
        {{"Space", "Right Mouse"}, "Hold to charge, release to fire"},
        {{"Esc"}, "Pause menu"},
        {{"Alt", "Return"}, "Full screen or window"},
        {{"F2"}, "Performance overlay"},
        {{"Tab"}, "Tweak panel"},
        {{"`"}, "Developer console"},
    };
    double baseline = y + 48;
    for (const ControlRow& row : rows) {
        double cx = x;
        for (size_t i = 0; i < row.mKeys.size(); ++i) {
            if (i > 0) {
                SetColour(cr, Palette::kTextDim);
                cx += DrawText(cr, "Sans", 13, IsChord(row) ? "+" : "or", cx + 6, baseline - 1) + 12;
            }
            cx += KeyCap(cr, row.mKeys[i], cx, baseline);
        }
        SetColour(cr, Palette::kText);
        const bool wide = cx > x + 200;
        DrawText(cr, "Sans", 16, row.mAction, wide ? x : x + 225, wide ? baseline + 26 : baseline);
        baseline += wide ? 62 : 40;
    }
}

struct GunRow {
    GunIcon mIcon;
    std::string mName;
    std::vector<std::string> mLines;
};

void GunDisc(cairo_t* cr, GunIcon icon, double cx, double cy) {
    const std::uint32_t colour = GunColour(icon);
    cairo_arc(cr, cx, cy, 25, 0, kTau);
    SetColour(cr, 0x080B10);
    cairo_fill_preserve(cr);
    SetColour(cr, colour);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    SetColour(cr, MixColour(colour, 0xFFFFFF, 0.3));
    DrawGunIcon(cr, icon, cx, cy, 17);
}

void Guns(cairo_t* cr, double x, double y) {
    Heading(cr, "THE THREE GUNS", x, y, 430);
    const std::vector<GunRow> guns = {
        {GunIcon::kSound, "Sound Gun", {"A focused beam of sound that pushes", "and distracts guards."}},
        {GunIcon::kWhite, "White Gun", {"Quiet white noise all around you:", "your footsteps become white noise."}},
        {GunIcon::kShock, "Shock Gun", {"A sharp shock wave that breaks glass."}},
    };
    double top = y + 30;
    for (const GunRow& gun : guns) {
        GunDisc(cr, gun.mIcon, x + 28, top + 30);
        SetColour(cr, MixColour(GunColour(gun.mIcon), 0xFFFFFF, 0.2));
        DrawText(cr, "Sans-Bold", 18, gun.mName, x + 68, top + 20);
        SetColour(cr, Palette::kText);
        double line = top + 42;
        for (const std::string& text : gun.mLines) {
            DrawText(cr, "Sans", 15, text, x + 68, line);
            line += 20;
        }
        top += 88;
    }
}

void Stealth(cairo_t* cr, double x, double y) {
    Heading(cr, "STAY UNHEARD, STAY UNSEEN", x, y, 904);
    const std::vector<std::string> points = {
        "Your footsteps make noise. Guards hear every sound wave that reaches them.",
        "Guards see in cones. Keep out of their sight: a guard's touch catches you.",
        "Reach the green EXIT to finish a level; the clock earns you a medal.",
    };
    double baseline = y + 40;
    for (const std::string& point : points) {
        SetColour(cr, Palette::kSound);
        cairo_arc(cr, x + 8, baseline - 6, 4, 0, kTau);
        cairo_fill(cr);
        SetColour(cr, Palette::kText);
        DrawText(cr, "Sans", 17, point, x + 24, baseline);
        baseline += 30;
    }
}

void DrawImage(cairo_t* cr, const std::string& path, double x, double y, double size) {
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, size / cairo_image_surface_get_width(image), size / cairo_image_surface_get_height(image));
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    cairo_surface_destroy(image);
}

// The two goals, shown with the very pictures the level uses.
void Mission(cairo_t* cr, const std::string& dir, double x, double y) {
    Heading(cr, "THE JOB", x, y, 430);
    DrawImage(cr, dir + "/tiles/exit.png", x + 4, y + 26, 52);
    SetColour(cr, Palette::kText);
    DrawText(cr, "Sans", 16, "Reach the exit", x + 68, y + 58);
    DrawImage(cr, dir + "/briefcase.png", x + 222, y + 22, 60);
    DrawText(cr, "Sans", 16, "Take the briefcase", x + 290, y + 50);
    SetColour(cr, Palette::kTextDim);
    DrawText(cr, "Sans", 13, "a bonus, not required", x + 290, y + 68);
}

} // namespace

bool PaintHelpPage(const std::string& dir) {
    Canvas canvas(1024, 1024);
    cairo_t* cr = canvas.Cr();
    cairo_scale(cr, 1, kScaleY);
    Background(cr);
    PaintGlow(
        canvas,
        [](cairo_t* c) {
            cairo_scale(c, 1, kScaleY);
            SetColour(c, Palette::kSound);
            DrawText(c, "SansCondensed-Bold", 46, "HOW TO PLAY", 512, 78, Align::kCentre);
        },
        10, 1.0);
    SetColour(cr, 0xF2FAFF);
    DrawText(cr, "SansCondensed-Bold", 46, "HOW TO PLAY", 512, 78, Align::kCentre);
    Controls(cr, 60, 140);
    Guns(cr, 534, 140);
    Mission(cr, dir, 534, 440);
    Stealth(cr, 60, 560);
    SetColour(cr, Palette::kTextDim);
    DrawText(cr, "Sans", 14, "Press Escape, Space or a mouse button to go back", 512, 738, Align::kCentre);
    return canvas.Save(dir + "/helpmenu.png");
}

} // namespace Velmora::Tools
