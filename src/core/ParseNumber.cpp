#include "core/ParseNumber.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

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

} // namespace Velmora
