#include "debug/TweakDefinition.h"

#include <cctype>
#include <cstdlib>

namespace Velmora::Debug {

namespace {

std::optional<double> ParseNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return std::nullopt;
    return value;
}

// Reads one token starting at i: a quoted string or a run of characters up to a blank.
std::string ReadValue(const std::string& text, size_t& i) {
    if (i < text.size() && (text[i] == '\'' || text[i] == '"')) {
        const char quote = text[i++];
        const size_t end = text.find(quote, i);
        const size_t stop = end == std::string::npos ? text.size() : end;
        std::string value = text.substr(i, stop - i);
        i = end == std::string::npos ? text.size() : end + 1;
        return value;
    }
    const size_t start = i;
    while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    return text.substr(start, i - start);
}

} // namespace

TweakDefinition ParseTweakDefinition(const std::string& definition) {
    TweakDefinition result;
    size_t i = 0;
    while (i < definition.size()) {
        while (i < definition.size() && std::isspace(static_cast<unsigned char>(definition[i]))) ++i;
        const size_t keyStart = i;
        while (i < definition.size() && definition[i] != '=' &&
               !std::isspace(static_cast<unsigned char>(definition[i]))) {
            ++i;
        }
        const std::string key = definition.substr(keyStart, i - keyStart);
        if (i >= definition.size() || definition[i] != '=') continue;
        ++i;
        const std::string value = ReadValue(definition, i);
        if (key == "group")
            result.mGroup = value;
        else if (key == "label")
            result.mLabel = value;
        else if (key == "min")
            result.mMin = ParseNumber(value);
        else if (key == "max")
            result.mMax = ParseNumber(value);
        else if (key == "step")
            result.mStep = ParseNumber(value);
    }
    return result;
}

} // namespace Velmora::Debug
