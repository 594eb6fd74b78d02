#include "Painters.h"

#include "Draw.h"
#include "Palette.h"
#include "Tiles.h"

#include <cmath>
#include <cstdio>
#include <map>

namespace Velmora::Tools {

namespace {

constexpr double kTau = 2 * M_PI;
constexpr double kRoomCell = 48; // design pixels per tile in the menu background

// The menu background room, row 0 at the top: '#' stone, 'M' metal, 'G' glass, '.' floor,
// 'c' carpet, 't' ceramic, 'g' grate, 'w' wood, 'E' exit, 'D' closed door, 'O' open door,
// 'L' laser fence.
const char* const kRoom[] = {
    "######################", "#cccccccc#......#tttt#", "#cccccccc#......Gtttt#", "#cccccccc#......Gtttt#",
    "#cccccccc#......#tttt#", "####O#####......##D###", "#.......ggggggg......#", "#.......ggggggg......#",
    "#...#####GGGG####....#", "#...#wwwwwwwwwww#.MM.#", "#...#wwwwwwwwwww#.MM.#", "#...Owwwwwwwwwww#....#",
    "#...#wwwwwwwwwww#LLLL#", "#...#####GGG#####....#", "#.................EE.#", "######################",
};
constexpr int kRoomWidth = 22;
constexpr int kRoomHeight = 16;

int TileIdOf(char c) {
    static const std::map<char, int> kIds = {{'.', 0}, {'#', 1}, {'G', 2}, {'c', 3},  {'M', 5},  {'t', 6},
                                             {'g', 7}, {'E', 8}, {'L', 9}, {'D', 11}, {'O', 12}, {'w', 13}};
    const auto found = kIds.find(c);
    return found == kIds.end() ? 0 : found->second;
}

void DrawRoomTiles(cairo_t* cr, const std::vector<TileEntry>& tiles) {
    auto group = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= kRoomWidth || y >= kRoomHeight) {
            return -1;
        }
        return tiles[static_cast<size_t>(TileIdOf(kRoom[y][x]))].mGroup;
    };
    for (int y = 0; y < kRoomHeight; ++y) {
        for (int x = 0; x < kRoomWidth; ++x) {
            const TileEntry& tile = tiles[static_cast<size_t>(TileIdOf(kRoom[y][x]))];
            const int g = tile.mGroup;
            const int mask = g == 0 ? 0
                                    : (group(x + 1, y) == g ? 1 : 0) | (group(x, y + 1) == g ? 2 : 0) |
                    (group(x - 1, y) == g ? 4 : 0) | (group(x, y - 1) == g ? 8 : 0);
            DrawTileFrame(cr, tile, mask, x * kRoomCell, y * kRoomCell, kRoomCell);
        }
    }
}

// Draws a sprite file at a cell position, its top turned towards (fx, fy) in screen space.
void DrawSprite(cairo_t* cr, const std::string& path, double cellX, double cellY, double fx, double fy) {
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        cairo_surface_destroy(image);
        return;
    }
    // 0.3 world units per sprite pixel, 32 world units per tile.
    // Drawn half as large again as in play, so the figures read at menu size.
    const double scale = 1.5 * 0.3 * kRoomCell / 32.0;
    cairo_save(cr);
    cairo_translate(cr, cellX * kRoomCell, cellY * kRoomCell);
    cairo_rotate(cr, std::atan2(fx, -fy));
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, image, -cairo_image_surface_get_width(image) / 2.0,
                             -cairo_image_surface_get_height(image) / 2.0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
}

void VisionCone(cairo_t* cr, double cellX, double cellY, double angle) {
    const double x = cellX * kRoomCell;
    const double y = cellY * kRoomCell;
    const double reach = 4.2 * kRoomCell;
    cairo_pattern_t* light = cairo_pattern_create_radial(x, y, 4, x, y, reach);
    AddStop(light, 0, Palette::kAmber, 0.32);
    AddStop(light, 1, Palette::kAmber, 0.0);
    cairo_move_to(cr, x, y);
    cairo_arc(cr, x, y, reach, angle - 0.45, angle + 0.45);
    cairo_close_path(cr);
    cairo_set_source(cr, light);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_pattern_destroy(light);
}

void SoundRings(const Canvas& canvas, double cellX, double cellY, double angle, double scaleY) {
    const double x = cellX * kRoomCell;
    const double y = cellY * kRoomCell;
    auto rings = [&](cairo_t* c, double width) {
        cairo_scale(c, 1, scaleY);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        for (int i = 0; i < 6; ++i) {
            const double r = 50 + 58 * i;
            SetColour(c, Palette::kSound, 1.0 - 0.14 * i);
            cairo_set_line_width(c, width * (1.0 - 0.1 * i));
            cairo_new_sub_path(c);
            cairo_arc(c, x, y, r, angle - 0.42 - 0.03 * i, angle + 0.42 + 0.03 * i);
            cairo_stroke(c);
        }
        SetColour(c, Palette::kSound, 0.5);
        cairo_set_line_width(c, width * 0.5);
        cairo_arc(c, x, y, 26, 0, kTau);
        cairo_stroke(c);
    };
    PaintGlow(
        canvas, [&](cairo_t* c) { rings(c, 7); }, 10, 0.9);
    PaintGlow(
        canvas, [&](cairo_t* c) { rings(c, 2.5); }, 2, 1.0);
}

// The noise generator's white waves, full circles fading outward.
void GeneratorRings(const Canvas& canvas, double cellX, double cellY, double scaleY) {
    PaintGlow(
        canvas,
        [&](cairo_t* c) {
            cairo_scale(c, 1, scaleY);
            for (int i = 0; i < 3; ++i) {
                SetColour(c, Palette::kWhiteGun, 0.55 - 0.15 * i);
                cairo_set_line_width(c, 2.5);
                cairo_new_sub_path(c);
                cairo_arc(c, cellX * kRoomCell, cellY * kRoomCell, 34 + 30 * i, 0, kTau);
                cairo_stroke(c);
            }
        },
        3, 0.8);
}

void Vignette(cairo_t* cr) {
    cairo_pattern_t* shade = cairo_pattern_create_radial(512, 384, 150, 512, 384, 700);
    AddStop(shade, 0, 0x000000, 0.25);
    AddStop(shade, 1, 0x000000, 0.85);
    cairo_rectangle(cr, 0, 0, 1024, 768);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
}

bool PaintRoomRender(const std::string& dir) {
    // Designed at 1024x768 and stored at 1024x1024 (power-of-two sides); the menu stretches it
    // over the window anyway.
    constexpr double kScaleY = 1024.0 / 768.0;
    Canvas canvas(1024, 1024);
    cairo_t* cr = canvas.Cr();
    cairo_scale(cr, 1, kScaleY);
    const std::vector<TileEntry> tiles = BuildTiles();
    cairo_save(cr);
    cairo_translate(cr, (1024 - kRoomWidth * kRoomCell) / 2, (768 - kRoomHeight * kRoomCell) / 2);
    DrawRoomTiles(cr, tiles);
    VisionCone(cr, 10.5, 10.3, M_PI);
    VisionCone(cr, 12.5, 2.5, M_PI / 2);
    DrawSprite(cr, dir + "/briefcase.png", 2.5, 2.5, 0, -1);
    DrawSprite(cr, dir + "/generator.png", 19.0, 2.5, 0, -1);
    DrawSprite(cr, dir + "/gun_shock.png", 2.0, 12.5, 0, -1);
    DrawSprite(cr, dir + "/guard.png", 10.5, 10.3, -1, 0);
    DrawSprite(cr, dir + "/emote_question.png", 10.5, 9.4, 0, -1);
    DrawSprite(cr, dir + "/guard_alert.png", 12.5, 2.5, 0, 1);
    DrawSprite(cr, dir + "/player.png", 6.5, 6.8, 1, 0.15);
    cairo_restore(cr);
    const double offsetX = (1024 - kRoomWidth * kRoomCell) / 2;
    const double offsetY = (768 - kRoomHeight * kRoomCell) / 2;
    SoundRings(canvas, 6.5 + offsetX / kRoomCell, 6.8 + offsetY / kRoomCell, 0.15, kScaleY);
    GeneratorRings(canvas, 19.0 + offsetX / kRoomCell, 2.5 + offsetY / kRoomCell, kScaleY);
    Vignette(cr);
    return canvas.Save(dir + "/roomrender.png");
}

} // namespace

bool PaintHelpPage(const std::string& dir);

bool PaintMenus(const std::string& dir) {
    const bool ok = PaintRoomRender(dir);
    return PaintHelpPage(dir) && ok;
}

} // namespace Velmora::Tools
