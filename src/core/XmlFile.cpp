#include "core/XmlFile.h"

#include "core/ReadFile.h"

#include <tinyxml.h>

namespace Velmora {

namespace {

// TinyXML steps over a UTF-8 lead byte and the continuation bytes it announces without looking
// at them, so text ending inside such a sequence would take it up to three bytes past a single
// terminator. Enough NULs behind the text keep every step inside the buffer.
constexpr size_t kTerminatorPadding = 8;

} // namespace

bool ParseXmlText(std::string_view text, TiXmlDocument& document) {
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
