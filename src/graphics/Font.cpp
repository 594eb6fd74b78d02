#include "graphics/Font.h"

#include "graphics/Batch.h"
#include "graphics/Renderer.h"

#include <charconv>
#include <cmath>

namespace Velmora::Graphics {

namespace {

constexpr long long kValueLimit = 1000000;

// The key=value pairs of one description line; later keys replace earlier ones.
struct LineValues {
    std::map<std::string_view, int> mValues;

    bool Has(std::string_view key) const { return mValues.count(key) != 0; }
    int Get(std::string_view key) const {
        const auto it = mValues.find(key);
        return it == mValues.end() ? 0 : it->second;
    }
};

// A decimal integer as atoi reads it: optional sign, leading digits, anything else ignored.
int ReadInteger(std::string_view text) {
    long long value = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+') ++begin;
    const auto [next, error] = std::from_chars(begin, end, value);
    if (error == std::errc::result_out_of_range) return text.starts_with('-') ? -kValueLimit : kValueLimit;
    if (next == begin) return 0;
    if (value > kValueLimit) return kValueLimit;
    if (value < -kValueLimit) return -kValueLimit;
    return static_cast<int>(value);
}

std::string_view NextWord(std::string_view& rest) {
    const size_t start = rest.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) {
        rest = std::string_view();
        return rest;
    }
    rest.remove_prefix(start);
    const size_t end = std::min(rest.find_first_of(" \t\r"), rest.size());
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

LineValues ReadValues(std::string_view rest) {
    LineValues values;
    for (std::string_view word = NextWord(rest); !word.empty(); word = NextWord(rest)) {
        const size_t equals = word.find('=');
        if (equals == std::string_view::npos || equals == 0) continue;
        values.mValues[word.substr(0, equals)] = ReadInteger(word.substr(equals + 1));
    }
    return values;
}

bool IsCharacterCode(int code) { return code >= 0 && code <= 255; }

} // namespace

void Font::Parse(std::string_view text, int pageWidth, int pageHeight, double maxU, double maxV) {
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        ParseLine(text.substr(0, end), pageWidth, pageHeight, maxU, maxV);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

void Font::ParseLine(std::string_view line, int pageWidth, int pageHeight, double maxU, double maxV) {
    std::string_view rest = line;
    const std::string_view tag = NextWord(rest);
    if (tag == "common") {
        const LineValues values = ReadValues(rest);
        if (values.Has("base")) mBase = values.Get("base");
        if (values.Has("lineHeight")) mLineHeight = values.Get("lineHeight");
    } else if (tag == "char") {
        const LineValues values = ReadValues(rest);
        const int id = values.Get("id");
        if (!values.Has("id") || !IsCharacterCode(id)) return;
        Glyph& glyph = mGlyphs[static_cast<size_t>(id)];
        const double x = values.Get("x");
        const double y = values.Get("y");
        glyph.mWidth = values.Get("width");
        glyph.mHeight = values.Get("height");
        glyph.mXOffset = values.Get("xoffset");
        glyph.mYOffset = values.Get("yoffset");
        glyph.mXAdvance = values.Get("xadvance");
        const double uScale = pageWidth > 0 ? maxU / pageWidth : 0.0;
        const double vScale = pageHeight > 0 ? maxV / pageHeight : 0.0;
        glyph.mU0 = x * uScale;
        glyph.mV0 = y * vScale;
        glyph.mU1 = (x + glyph.mWidth) * uScale;
        glyph.mV1 = (y + glyph.mHeight) * vScale;
    } else if (tag == "kerning") {
        const LineValues values = ReadValues(rest);
        const int first = values.Get("first");
        const int second = values.Get("second");
        // Only codes a string can contain; this also bounds the map at 65536 pairs.
        if (!IsCharacterCode(first) || !IsCharacterCode(second)) return;
        mKerning[{first, second}] = values.Get("amount");
    }
}

int Font::GetKerning(int first, int second) const {
    if (mKerning.empty()) return 0;
    const auto it = mKerning.find({first, second});
    return it == mKerning.end() ? 0 : it->second;
}

double Font::TextWidth(std::string_view text) const {
    double width = 0.0;
    for (size_t i = 0; i < text.size(); ++i) {
        const int code = static_cast<signed char>(text[i]);
        if (code < 0) continue;
        width += mGlyphs[static_cast<size_t>(code)].mXAdvance;
        if (i + 1 < text.size()) width += GetKerning(code, static_cast<signed char>(text[i + 1]));
    }
    return std::ceil(width);
}

void Font::Draw(Renderer& renderer, std::string_view text, double x, double y, int alignment, int layer, uint32_t color,
                double scaleX, double scaleY) const {
    Batch& batch = renderer.GetBatch(kPrimitiveQuads, mPage, layer, kBatchCapacity, kBlendAlpha);
    if (alignment == kAlignCenter)
        x -= TextWidth(text) / 2.0;
    else if (alignment == kAlignRight)
        x -= TextWidth(text) * scaleX;
    x = std::floor(x);
    y = std::floor(y);
    for (size_t i = 0; i < text.size(); ++i) {
        const int code = static_cast<signed char>(text[i]);
        if (code < 0) continue;
        const Glyph& glyph = mGlyphs[static_cast<size_t>(code)];
        const double left = x + glyph.mXOffset * scaleX;
        const double right = x + (glyph.mXOffset + glyph.mWidth) * scaleX;
        const double top = y + (mLineHeight - glyph.mYOffset) * scaleY;
        const double bottom = top - glyph.mHeight * scaleY;
        // Blanks have no area; leaving them out saves batch room for longer strings.
        if (glyph.mWidth != 0.0 && glyph.mHeight != 0.0) {
            batch.AddTexturedRect(left, right, bottom, top, glyph.mU0, glyph.mV0, glyph.mU1, glyph.mV1, color);
        }
        x += glyph.mXAdvance * scaleX;
        if (i + 1 < text.size()) x += GetKerning(code, static_cast<signed char>(text[i + 1]));
    }
}

} // namespace Velmora::Graphics
