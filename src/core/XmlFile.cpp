#include "core/XmlFile.h"

#include "core/ReadFile.h"

#include <tinyxml.h>

namespace Velmora {

namespace {

// TinyXML steps over a UTF-8 lead byte and the continuation bytes it announces without looking
// at them, so text ending inside such a sequence would take it up to three bytes past a single
// terminator. Enough NULs behind the text keep every step inside the buffer.
constexpr size_t kTerminatorPadding = 8;

// Length of the valid UTF-8 sequence starting at text[i], 0 when the bytes there are not one.
size_t Utf8Length(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    return length;
}

// Whether elements nest deeper than the limit, counted the way TinyXML walks them: comments,
// CDATA sections, declarations and quoted attribute values are stepped over. TinyXML parses
// each nested element in a nested call, so a file of a few megabytes of "<a>" would overflow
// the stack.
bool NestsTooDeeply(std::string_view text, size_t limit) {
    size_t depth = 0;
    size_t i = 0;
    const auto skipPast = [&](std::string_view end) {
        const size_t found = text.find(end, i);
        i = found == std::string_view::npos ? text.size() : found + end.size();
    };
    while ((i = text.find('<', i)) != std::string_view::npos) {
        if (text.substr(i, 4) == "<!--") skipPast("-->");
        else if (text.substr(i, 9) == "<![CDATA[") skipPast("]]>");
        else if (text.substr(i, 2) == "<?" || text.substr(i, 2) == "<!") skipPast(">");
        else if (text.substr(i, 2) == "</") {
            if (depth > 0) --depth;
            skipPast(">");
        } else {
            size_t end = i + 1;
            char quote = 0;
            for (; end < text.size() && (quote || text[end] != '>'); ++end) {
                if (quote && text[end] == quote) quote = 0;
                else if (!quote && (text[end] == '"' || text[end] == '\'')) quote = text[end];
            }
            if (end >= text.size()) break;
            if (text[end - 1] != '/' && ++depth > limit) return true;
            i = end + 1;
        }
    }
    return false;
}

} // namespace

std::string EscapeXmlText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const size_t length = Utf8Length(text, i);
            result += length ? text.substr(i, length) : std::string_view("?");
            i += length ? length - 1 : 0;
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
        switch (c) {
        case '&': result += "&amp;"; break;
        case '<': result += "&lt;"; break;
        case '>': result += "&gt;"; break;
        default: result += c; break;
        }
    }
    return result;
}

bool ParseXmlText(std::string_view text, TiXmlDocument& document) {
    if (NestsTooDeeply(text, kMaxXmlDepth)) {
        document.SetError(TiXmlBase::TIXML_ERROR_PARSING_ELEMENT, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
        return false;
    }
    std::string terminated;
    terminated.reserve(text.size() + kTerminatorPadding);
    // Line ends become "\n" as TinyXML's own file reader makes them, so element texts and
    // attributes read the same whichever way the file was saved.
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            terminated += text[i];
            continue;
        }
        terminated += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    terminated.append(kTerminatorPadding, '\0');
    document.Parse(terminated.c_str());
    return !document.Error();
}

bool LoadXmlFile(const std::string& path, TiXmlDocument& document) {
    std::string text;
    if (!ReadFileText(path, text, kMaxXmlFileBytes)) {
        document.SetError(TiXmlBase::TIXML_ERROR_OPENING_FILE, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
        return false;
    }
    return ParseXmlText(text, document);
}

} // namespace Velmora
