#include "core/ParseNumber.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace Velmora {

namespace {

const char* SkipBlanks(const char* text) {
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\f' || *text == '\v') ++text;
    return text;
}

} // namespace

int ParseInteger(const char* text) {
    if (!text) return 0;
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double ParseDouble(const char* text) {
    if (!text) return 0.0;
    text = SkipBlanks(text);
    // from_chars takes no leading '+' and ignores the locale's decimal separator.
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    if (*text == '+' || *text == '-') return 0.0;  // "+-1" is not a number
    double value = 0.0;
    const char* end = text + std::strlen(text);
    const std::from_chars_result result = std::from_chars(text, end, value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

bool IsFiniteNumber(const char* text) {
    if (!text) return true;
    text = SkipBlanks(text);
    if (*text == '+' || *text == '-') ++text;
    double value = 0.0;
    const char* end = text + std::strlen(text);
    const std::from_chars_result result = std::from_chars(text, end, value, std::chars_format::general);
    if (result.ec == std::errc()) return std::isfinite(value);
    if (result.ec != std::errc::result_out_of_range) return true;
    // Out of range is either too large (not finite) or too small (merely 0): strtod tells them
    // apart, in the C locale so the decimal point reads the same as above.
    static const locale_t sCLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return !std::isinf(strtod_l(text, nullptr, sCLocale));
}

} // namespace Velmora
