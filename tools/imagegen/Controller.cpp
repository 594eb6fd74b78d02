#include "Draw.h"
#include "Palette.h"

#include <cmath>
#include <string>

namespace Velmora::Tools {

namespace {

constexpr double kTau = 2 * M_PI;
constexpr double kCx = 512;
constexpr double kCy = 300;
constexpr std::uint32_t kLine = 0xB9C9DB;

void BodyShapes(cairo_t* cr) {
    RoundedRect(cr, kCx - 190, kCy - 95, 380, 140, 62);
    for (int side : {-1, 1}) {
        cairo_save(cr);
        cairo_translate(cr, kCx + side * 150, kCy + 45);
        cairo_rotate(cr, side * -0.38);
        cairo_scale(cr, 62, 100);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, kTau);
        cairo_restore(cr);
    }
}

void Shoulders(cairo_t* cr) {
    for (int side : {-1, 1}) {
        RoundedRect(cr, kCx + side * 130 - 38, kCy - 128, 76, 34, 12); // trigger
        SetColour(cr, 0x1A222E);
        cairo_fill_preserve(cr);
        SetColour(cr, kLine);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        RoundedRect(cr, kCx + side * 130 - 50, kCy - 106, 100, 22, 10); // bumper
        SetColour(cr, 0x222B38);
        cairo_fill_preserve(cr);
        SetColour(cr, kLine);
        cairo_stroke(cr);
    }
}

void Stick(cairo_t* cr, double x, double y) {
    SetColour(cr, 0x06080C);
    cairo_arc(cr, x, y, 31, 0, kTau);
    cairo_fill(cr);
    cairo_pattern_t* cap = cairo_pattern_create_radial(x - 6, y - 6, 2, x, y, 22);
    AddStop(cap, 0, 0x3A475A);
    AddStop(cap, 1, 0x141A24);
    cairo_arc(cr, x, y, 22, 0, kTau);
    cairo_set_source(cr, cap);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(cap);
    SetColour(cr, kLine);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void FaceButton(cairo_t* cr, double x, double y, std::uint32_t colour, const char* letter) {
    cairo_arc(cr, x, y, 14, 0, kTau);
    SetColour(cr, 0x0B0E13);
    cairo_fill_preserve(cr);
    SetColour(cr, colour);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    DrawText(cr, "Sans-Bold", 15, letter, x, y + 5.5, Align::kCentre);
}

void Dpad(cairo_t* cr, double x, double y) {
    cairo_rectangle(cr, x - 9, y - 27, 18, 54);
    cairo_rectangle(cr, x - 27, y - 9, 54, 18);
    SetColour(cr, 0x1A212C);
    cairo_fill(cr);
    SetColour(cr, ScaleColour(kLine, 0.7));
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, x - 9, y - 27);
    for (const auto& [dx, dy] : {std::pair{9, -27},
                                 {9, -9},
                                 {27, -9},
                                 {27, 9},
                                 {9, 9},
                                 {9, 27},
                                 {-9, 27},
                                 {-9, 9},
                                 {-27, 9},
                                 {-27, -9},
                                 {-9, -9},
                                 {-9, -27}}) {
        cairo_line_to(cr, x + dx, y + dy);
    }
    cairo_stroke(cr);
}

void Body(const Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    Shoulders(cr);
    BodyShapes(cr);
    SetColour(cr, kLine);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    cairo_pattern_t* shell = cairo_pattern_create_linear(0, kCy - 95, 0, kCy + 150);
    AddStop(shell, 0, 0x1E2734);
    AddStop(shell, 1, 0x0C1017);
    BodyShapes(cr);
    cairo_set_source(cr, shell);
    cairo_fill(cr);
    cairo_pattern_destroy(shell);
    Stick(cr, kCx - 128, kCy - 38);
    Stick(cr, kCx + 62, kCy + 32);
    Dpad(cr, kCx - 62, kCy + 32);
    FaceButton(cr, kCx + 128, kCy - 10, 0x4BD96B, "A");
    FaceButton(cr, kCx + 156, kCy - 38, 0xFF4A3D, "B");
    FaceButton(cr, kCx + 100, kCy - 38, 0x3E8BFF, "X");
    FaceButton(cr, kCx + 128, kCy - 66, 0xFFC93C, "Y");
    for (int side : {-1, 1}) {
        RoundedRect(cr, kCx + side * 34 - 11, kCy - 45, 22, 12, 6);
        SetColour(cr, 0x0B0E13);
        cairo_fill_preserve(cr);
        SetColour(cr, kLine);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    PaintGlow(
        canvas,
        [](cairo_t* c) {
            SetColour(c, Palette::kSound);
            cairo_arc(c, kCx, kCy - 72, 10, 0, kTau);
            cairo_fill(c);
        },
        5, 1.0);
    SetColour(cr, Palette::kSoundLight);
    cairo_arc(cr, kCx, kCy - 72, 8, 0, kTau);
    cairo_fill(cr);
}

// A label: a dot on the control, an elbowed leader line, a dim name and a bright action.
void Label(cairo_t* cr, double fromX, double fromY, double toX, double toY, const std::string& name,
           const std::string& action, const std::string& more = "") {
    const bool right = toX > fromX;
    SetColour(cr, Palette::kSound);
    cairo_arc(cr, fromX, fromY, 3.5, 0, kTau);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, fromX, fromY);
    cairo_line_to(cr, toX - (right ? 20 : -20), toY);
    cairo_line_to(cr, toX, toY);
    cairo_stroke(cr);
    const double textX = toX + (right ? 8 : -8);
    const Align align = right ? Align::kLeft : Align::kRight;
    SetColour(cr, Palette::kTextDim);
    DrawText(cr, "SansCondensed-Bold", 13, name, textX, toY - 6, align);
    SetColour(cr, Palette::kText);
    DrawText(cr, "Sans-Bold", 19, action, textX, toY + 15, align);
    if (!more.empty()) {
        DrawText(cr, "Sans-Bold", 19, more, textX, toY + 38, align);
    }
}

} // namespace

bool PaintControllerDiagram(const std::string& dir) {
    Canvas canvas(1024, 512);
    cairo_t* cr = canvas.Cr();
    RoundedRect(cr, 92, 6, 840, 500, 18);
    SetColour(cr, 0x06080C);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x1A2331);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Body(canvas);
    Label(cr, kCx - 128, kCy - 38, 250, kCy - 60, "LEFT STICK", "Move");
    Label(cr, kCx + 62, kCy + 32, 770, kCy + 140, "RIGHT STICK", "Aim");
    Label(cr, kCx + 130, kCy - 128, 720, 60, "RIGHT TRIGGER", "Hold: charge", "Release: fire");
    Label(cr, kCx + 34, kCy - 39, 600, 130, "START", "Pause menu");
    Label(cr, kCx + 170, kCy - 38, 770, kCy - 55, "B BUTTON", "Back");
    Label(cr, kCx + 142, kCy - 10, 770, kCy + 15, "A BUTTON", "Select");
    SetColour(cr, Palette::kTextDim);
    DrawText(cr, "SansCondensed-Bold", 14, "GAME PAD", kCx, 488, Align::kCentre);
    return canvas.Save(dir + "/xboxcontroller.png");
}

} // namespace Velmora::Tools
