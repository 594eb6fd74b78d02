// contactsheet DATA_DIR OUT_DIR: lays out the generated content for review. Writes
//   sheet.png   every image under DATA_DIR/image over a checkerboard, with its name and size;
//   tilemap.png a test level drawn the way the game picks auto-tile frames, to check seams;
//   fonts.png   sample text set with each .fnt exactly as the game places glyphs.
#include "Draw.h"
#include "Png.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <vector>

using namespace Velmora::Tools;
namespace fs = std::filesystem;

namespace {

cairo_surface_t* LoadPng(const std::string& path) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
    }
    return s;
}

void Checker(cairo_t* cr, double x, double y, double w, double h) {
    for (int j = 0; j * 16 < h; ++j) {
        for (int i = 0; i * 16 < w; ++i) {
            SetColour(cr, (i + j) % 2 ? 0x2A2A2A : 0x1E1E1E);
            cairo_rectangle(cr, x + i * 16, y + j * 16, std::min(16.0, w - i * 16), std::min(16.0, h - j * 16));
            cairo_fill(cr);
        }
    }
}

bool WriteSheet(const std::string& data, const std::string& out) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(data + "/image")) {
        if (entry.path().extension() == ".png") {
            files.push_back(fs::relative(entry.path(), data + "/image").string());
        }
    }
    std::sort(files.begin(), files.end());
    const int cell = 260;
    const int columns = 7;
    const int rows = static_cast<int>((files.size() + columns - 1) / columns);
    Canvas canvas(columns * cell, rows * (cell + 24));
    cairo_t* cr = canvas.Cr();
    SetColour(cr, 0x101010);
    cairo_paint(cr);
    for (size_t i = 0; i < files.size(); ++i) {
        const double x = (i % columns) * cell + 2;
        const double y = (i / columns) * (cell + 24) + 2;
        Checker(cr, x, y, cell - 4, cell - 4);
        cairo_surface_t* image = LoadPng(data + "/image/" + files[i]);
        const int w = cairo_image_surface_get_width(image);
        const int h = cairo_image_surface_get_height(image);
        const double scale = std::min(1.0, std::min((cell - 4.0) / w, (cell - 4.0) / h)) * (w <= 64 ? 3.0 : 1.0);
        const double s = std::min(scale, std::min((cell - 4.0) / w, (cell - 4.0) / h));
        cairo_save(cr);
        cairo_translate(cr, x + (cell - 4 - w * s) / 2, y + (cell - 4 - h * s) / 2);
        cairo_scale(cr, s, s);
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(image);
        SetColour(cr, 0xDDDDDD);
        DrawText(cr, "Sans", 12, files[i] + "  " + std::to_string(w) + "x" + std::to_string(h), x, y + cell + 12);
    }
    return canvas.Save(out + "/sheet.png");
}

struct TileInfo {
    std::string mTexture;
    int mGroup = 0;
};

std::vector<TileInfo> ReadTiles(const std::string& data) {
    std::ifstream in(data + "/misc/tiles.xml");
    std::stringstream text;
    text << in.rdbuf();
    const std::string xml = text.str();
    std::vector<TileInfo> tiles;
    const std::regex tile("<tile id=\"(\\d+)\">[\\s\\S]*?<group>(\\d+)</group>[\\s\\S]*?<texture>([^<]+)</texture>");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), tile); it != std::sregex_iterator(); ++it) {
        tiles.push_back({(*it)[3].str(), std::stoi((*it)[2].str())});
    }
    return tiles;
}

// Row 0 at the top. Digits and letters are tile ids in base 36.
const char* const kTestMap[] = {
    "1111111111111111", "1000000000000001", "1011102220555501", "1010102020500501", "1011102220555501",
    "1000000000000001", "1011111222211101", "1010000030001001", "1012222220001001", "1010303030001001",
    "1011111111111001", "1000006600770081", "10ab0cd0400dd001", "1111111111111111",
};

bool WriteTileMap(const std::string& data, const std::string& out) {
    const std::vector<TileInfo> tiles = ReadTiles(data);
    std::map<std::string, cairo_surface_t*> textures;
    for (const TileInfo& t : tiles) {
        if (!textures.count(t.mTexture)) {
            textures[t.mTexture] = LoadPng(data + "/image/" + t.mTexture);
        }
    }
    const int width = 16, height = 14, size = 60;
    auto id = [&](int x, int y) -> int {
        if (x < 0 || y < 0 || x >= width || y >= height) return -1;
        const char c = kTestMap[y][x];
        return c <= '9' ? c - '0' : c - 'a' + 10;
    };
    Canvas canvas(width * size, height * size);
    cairo_t* cr = canvas.Cr();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int tileId = id(x, y);
            if (tileId < 0 || tileId >= static_cast<int>(tiles.size())) continue;
            const TileInfo& tile = tiles[static_cast<size_t>(tileId)];
            cairo_surface_t* tex = textures[tile.mTexture];
            const double tw = cairo_image_surface_get_width(tex);
            double sx = 0, sy = 0, sw = tw, sh = cairo_image_surface_get_height(tex);
            if (tile.mGroup != 0) {
                auto same = [&](int nx, int ny) {
                    const int n = id(nx, ny);
                    return n >= 0 && n < static_cast<int>(tiles.size()) &&
                        tiles[static_cast<size_t>(n)].mGroup == tile.mGroup;
                };
                const int mask = (same(x + 1, y) ? 1 : 0) | (same(x, y + 1) ? 2 : 0) | (same(x - 1, y) ? 4 : 0) |
                    (same(x, y - 1) ? 8 : 0);
                sx = (mask % 4) * tw / 4 + tw / 128;
                sy = (mask / 4) * tw / 4 + tw / 128;
                sw = sh = tw * (0.2421875 - 0.0078125);
            }
            cairo_save(cr);
            cairo_rectangle(cr, x * size, y * size, size, size);
            cairo_clip(cr);
            cairo_translate(cr, x * size, y * size);
            cairo_scale(cr, size / sw, size / sh);
            cairo_set_source_surface(cr, tex, -sx, -sy);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
            cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REPEAT);
            cairo_paint(cr);
            cairo_restore(cr);
        }
    }
    for (auto& [name, surface] : textures) cairo_surface_destroy(surface);
    return canvas.Save(out + "/tilemap.png");
}

struct FntGlyph {
    int x, y, w, h, xo, yo, adv;
};

bool DrawFontSample(cairo_t* cr, const std::string& data, const std::string& name, const std::string& text, double x,
                    double y, std::uint32_t colour) {
    std::ifstream in(data + "/fonts/" + name + ".fnt");
    std::map<int, FntGlyph> glyphs;
    std::map<std::pair<int, int>, int> kerning;
    int lineHeight = 0;
    std::string line;
    auto value = [](const std::string& l, const std::string& key) {
        const size_t p = l.find(" " + key + "=");
        return p == std::string::npos ? 0 : std::atoi(l.c_str() + p + key.size() + 2);
    };
    while (std::getline(in, line)) {
        if (line.rfind("common ", 0) == 0) lineHeight = value(line, "lineHeight");
        if (line.rfind("char ", 0) == 0)
            glyphs[value(line, "id")] = {value(line, "x"),       value(line, "y"),       value(line, "width"),
                                         value(line, "height"),  value(line, "xoffset"), value(line, "yoffset"),
                                         value(line, "xadvance")};
        if (line.rfind("kerning ", 0) == 0)
            kerning[{value(line, "first"), value(line, "second")}] = value(line, "amount");
    }
    cairo_surface_t* page = LoadPng(data + "/fonts/" + name + "_0.png");
    SetColour(cr, 0x303848);
    cairo_rectangle(cr, x, y, 1100, lineHeight);
    cairo_fill(cr);
    for (size_t i = 0; i < text.size(); ++i) {
        const FntGlyph& g = glyphs[static_cast<unsigned char>(text[i])];
        cairo_save(cr);
        cairo_rectangle(cr, x + g.xo, y + g.yo, g.w, g.h);
        cairo_clip(cr);
        SetColour(cr, colour);
        cairo_mask_surface(cr, page, x + g.xo - g.x, y + g.yo - g.y);
        cairo_restore(cr);
        x += g.adv;
        if (i + 1 < text.size()) {
            const auto k = kerning.find({static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1])});
            if (k != kerning.end()) x += k->second;
        }
    }
    cairo_surface_destroy(page);
    return true;
}

bool WriteFonts(const std::string& data, const std::string& out) {
    Canvas canvas(1140, 420);
    cairo_t* cr = canvas.Cr();
    SetColour(cr, 0x0A0C10);
    cairo_paint(cr);
    const std::string pangram = "AVATAR Wave. Sphinx of black quartz, judge my vow! 0123456789 {}[]()#@&%";
    double y = 10;
    for (const char* name : {"default", "console", "menu", "menu_small"}) {
        DrawFontSample(cr, data, name, pangram, 10, y, 0xFFFFFF);
        y += name == std::string("menu") ? 60 : 36;
    }
    DrawFontSample(cr, data, "menu", "New Game   Options   Help", 10, y, 0x33AAFF);
    y += 60;
    DrawFontSample(cr, data, "digital", "123.45  67:89  -0  Time", 10, y, 0xFF0000);
    y += 48;
    DrawFontSample(cr, data, "console", "> dofile('level.lua')  -- [LOGIC:1] Level loaded", 10, y, 0xC0FFC0);
    return canvas.Save(out + "/fonts.png");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: contactsheet DATA_DIR OUT_DIR\n");
        return 2;
    }
    MakeDirectories(argv[2]);
    bool ok = WriteSheet(argv[1], argv[2]);
    ok = WriteTileMap(argv[1], argv[2]) && ok;
    ok = WriteFonts(argv[1], argv[2]) && ok;
    return ok ? 0 : 1;
}
