#include "GlyphSource.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Velmora::Tools {

FreeTypeLibrary::FreeTypeLibrary() {
    if (FT_Init_FreeType(&mLibrary) != 0) {
        std::fprintf(stderr, "FreeType failed to start\n");
        std::exit(1);
    }
}

FreeTypeLibrary::~FreeTypeLibrary() { FT_Done_FreeType(mLibrary); }

namespace {

constexpr int kFirstChar = 32;
constexpr int kLastChar = 126;

// Light hinting keeps DejaVu's shapes while snapping stems vertically, which reads best at 14-20 px.
constexpr FT_Int32 kLoadFlags = FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT;

bool LoadGlyph(FT_Face face, int code, int base, Glyph& glyph) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), kLoadFlags) != 0) {
        return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0) {
        return false;
    }
    glyph.mCode = code;
    glyph.mWidth = static_cast<int>(bitmap.width);
    glyph.mHeight = static_cast<int>(bitmap.rows);
    glyph.mXOffset = slot->bitmap_left;
    glyph.mYOffset = base - slot->bitmap_top;
    glyph.mXAdvance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.mCoverage.assign(static_cast<size_t>(glyph.mWidth) * glyph.mHeight, 0);
    for (int y = 0; y < glyph.mHeight; ++y) {
        for (int x = 0; x < glyph.mWidth; ++x) {
            glyph.mCoverage[static_cast<size_t>(y) * glyph.mWidth + x] = bitmap.buffer[y * bitmap.pitch + x];
        }
    }
    if (glyph.mWidth == 0 || glyph.mHeight == 0) {
        glyph.mWidth = glyph.mHeight = 0;
        glyph.mXOffset = glyph.mYOffset = 0;
        glyph.mCoverage.clear();
    }
    return true;
}

void ReadKerning(FT_Face face, FontData& font) {
    if (!FT_HAS_KERNING(face)) {
        return;
    }
    for (int first = kFirstChar; first <= kLastChar; ++first) {
        const FT_UInt left = FT_Get_Char_Index(face, static_cast<FT_ULong>(first));
        for (int second = kFirstChar; second <= kLastChar; ++second) {
            const FT_UInt right = FT_Get_Char_Index(face, static_cast<FT_ULong>(second));
            FT_Vector delta{0, 0};
            if (left == 0 || right == 0 || FT_Get_Kerning(face, left, right, FT_KERNING_DEFAULT, &delta) != 0) {
                continue;
            }
            const int amount = static_cast<int>(std::lround(delta.x / 64.0));
            if (amount != 0) {
                font.mKerning.push_back({first, second, amount});
            }
        }
    }
}

struct FaceHandle {
    FT_Face mFace = nullptr;
    ~FaceHandle() {
        if (mFace) {
            FT_Done_Face(mFace);
        }
    }
};

bool OpenFace(FT_Library library, const std::string& path, int pixelSize, FaceHandle& handle) {
    if (FT_New_Face(library, path.c_str(), 0, &handle.mFace) != 0 ||
        FT_Set_Pixel_Sizes(handle.mFace, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        std::fprintf(stderr, "cannot open %s at %d px\n", path.c_str(), pixelSize);
        return false;
    }
    return true;
}

} // namespace

bool RasteriseFace(FT_Library library, const std::string& path, int pixelSize, FontData& font) {
    FaceHandle handle;
    if (!OpenFace(library, path, pixelSize, handle)) {
        return false;
    }
    const FT_Size_Metrics& metrics = handle.mFace->size->metrics;
    const int ascender = static_cast<int>((metrics.ascender + 63) >> 6);
    const int descender = static_cast<int>(metrics.descender >> 6);
    font.mFace = std::string(handle.mFace->family_name) + " " + handle.mFace->style_name;
    font.mSize = pixelSize;
    font.mBase = ascender;
    font.mLineHeight = std::max(static_cast<int>((metrics.height + 32) >> 6), ascender - descender);
    font.mBold = (handle.mFace->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    for (int code = kFirstChar; code <= kLastChar; ++code) {
        Glyph glyph;
        if (!LoadGlyph(handle.mFace, code, font.mBase, glyph)) {
            std::fprintf(stderr, "cannot render character %d of %s\n", code, path.c_str());
            return false;
        }
        font.mGlyphs.push_back(std::move(glyph));
    }
    ReadKerning(handle.mFace, font);
    return true;
}

namespace {

// Seven-segment geometry, in pixels of the upright digit box (y down); the slant is applied when
// the segments are filled.
constexpr double kDigitWidth = 16.0;
constexpr double kDigitHeight = 26.0;
constexpr double kThickness = 4.6;
constexpr double kGap = 0.6;
constexpr double kSlant = 0.125; // horizontal shift per pixel of height (about 7 degrees)
constexpr int kPad = 1;
constexpr int kDigitBase = 30;
constexpr int kDigitLineHeight = 36;
constexpr int kDigitAdvance = 21;

void HorizontalSegment(cairo_t* cr, double yc) {
    const double h = kThickness / 2;
    const double x0 = h + kGap;
    const double x1 = kDigitWidth - h - kGap;
    cairo_move_to(cr, x0, yc);
    cairo_line_to(cr, x0 + h, yc - h);
    cairo_line_to(cr, x1 - h, yc - h);
    cairo_line_to(cr, x1, yc);
    cairo_line_to(cr, x1 - h, yc + h);
    cairo_line_to(cr, x0 + h, yc + h);
    cairo_close_path(cr);
}

void VerticalSegment(cairo_t* cr, double xc, double y0, double y1) {
    const double h = kThickness / 2;
    y0 += kGap;
    y1 -= kGap;
    cairo_move_to(cr, xc, y0);
    cairo_line_to(cr, xc + h, y0 + h);
    cairo_line_to(cr, xc + h, y1 - h);
    cairo_line_to(cr, xc, y1);
    cairo_line_to(cr, xc - h, y1 - h);
    cairo_line_to(cr, xc - h, y0 + h);
    cairo_close_path(cr);
}

// Segments a..g as bits 0..6.
void SegmentsPath(cairo_t* cr, unsigned mask) {
    const double h = kThickness / 2;
    const double mid = kDigitHeight / 2;
    const double left = h;
    const double right = kDigitWidth - h;
    if (mask & 0x01) HorizontalSegment(cr, h);
    if (mask & 0x02) VerticalSegment(cr, right, h, mid);
    if (mask & 0x04) VerticalSegment(cr, right, mid, kDigitHeight - h);
    if (mask & 0x08) HorizontalSegment(cr, kDigitHeight - h);
    if (mask & 0x10) VerticalSegment(cr, left, mid, kDigitHeight - h);
    if (mask & 0x20) VerticalSegment(cr, left, h, mid);
    if (mask & 0x40) HorizontalSegment(cr, mid);
}

void DotPath(cairo_t* cr, double x, double y) {
    const double s = kThickness * 1.05;
    cairo_rectangle(cr, x - s / 2, y - s / 2, s, s);
}

// Draws with `path` into an A8 bitmap covering the slanted digit box and turns it into a glyph.
template <typename PathFn>
Glyph DrawSegmentGlyph(int code, int advance, double boxWidth, PathFn path) {
    const int width = static_cast<int>(std::ceil(boxWidth + kSlant * kDigitHeight)) + 2 * kPad;
    const int height = static_cast<int>(kDigitHeight) + 2 * kPad;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_matrix_t skew;
    cairo_matrix_init(&skew, 1.0, 0.0, -kSlant, 1.0, kPad + kSlant * kDigitHeight, kPad);
    cairo_set_matrix(cr, &skew);
    path(cr);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    Glyph glyph;
    glyph.mCode = code;
    glyph.mWidth = width;
    glyph.mHeight = height;
    glyph.mXOffset = 1 - kPad;
    glyph.mYOffset = kDigitBase - static_cast<int>(kDigitHeight) - kPad;
    glyph.mXAdvance = advance;
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    glyph.mCoverage.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            glyph.mCoverage[static_cast<size_t>(y) * width + x] = data[y * stride + x];
        }
    }
    cairo_surface_destroy(surface);
    return glyph;
}

Glyph DigitalGlyph(int code) {
    static const unsigned kDigits[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    if (code >= '0' && code <= '9') {
        return DrawSegmentGlyph(code, kDigitAdvance, kDigitWidth,
                                [&](cairo_t* cr) { SegmentsPath(cr, kDigits[code - '0']); });
    }
    if (code == '-') {
        return DrawSegmentGlyph(code, kDigitAdvance, kDigitWidth, [](cairo_t* cr) { SegmentsPath(cr, 0x40); });
    }
    if (code == '.') {
        return DrawSegmentGlyph(code, 8, 5.0, [](cairo_t* cr) { DotPath(cr, 2.2, kDigitHeight - kThickness / 2); });
    }
    // ':' sits between the two rows of segments.
    return DrawSegmentGlyph(code, 9, 6.0, [](cairo_t* cr) {
        DotPath(cr, 3.0, kDigitHeight * 0.30);
        DotPath(cr, 3.0, kDigitHeight * 0.72);
    });
}

} // namespace

bool BuildDigitalFont(FT_Library library, const std::string& fallbackPath, FontData& font) {
    // The fallback face is sized so that its capitals are as tall as the segment digits.
    FaceHandle handle;
    if (!OpenFace(library, fallbackPath, 36, handle)) {
        return false;
    }
    font.mFace = "Velmora Seven Segment";
    font.mSize = 32;
    font.mBase = kDigitBase;
    font.mLineHeight = kDigitLineHeight;
    font.mBold = true;
    for (int code = kFirstChar; code <= kLastChar; ++code) {
        Glyph glyph;
        if ((code >= '0' && code <= '9') || code == ':' || code == '.' || code == '-') {
            glyph = DigitalGlyph(code);
        } else if (code == ' ') {
            glyph.mCode = code;
            glyph.mXAdvance = kDigitAdvance;
        } else if (!LoadGlyph(handle.mFace, code, kDigitBase, glyph)) {
            std::fprintf(stderr, "cannot render character %d of %s\n", code, fallbackPath.c_str());
            return false;
        }
        font.mGlyphs.push_back(std::move(glyph));
    }
    return true;
}

} // namespace Velmora::Tools
