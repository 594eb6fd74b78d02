#include "screens/PreloadList.h"

#include "core/Game.h"
#include "core/LogRecord.h"
#include "core/ReadFile.h"
#include "core/XmlFile.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstring>
#include <sstream>

namespace Velmora::Logic {

namespace {

const char* ChildText(const TiXmlElement& element, const char* name) {
    const TiXmlElement* child = element.FirstChildElement(name);
    const char* text = child ? child->GetText() : nullptr;
    return text ? text : "";
}

bool KindOf(const char* name, PreloadKind& kind) {
    for (const PreloadKind candidate : {PreloadKind::kSample, PreloadKind::kTrack, PreloadKind::kTexture}) {
        if (std::strcmp(name, PreloadList::KindName(candidate)) == 0) {
            kind = candidate;
            return true;
        }
    }
    return false;
}

// One critical record for all the unknown elements of a list, however many: each record raises a
// modal box, and a list of junk must not keep the player closing boxes.
void ReportUnknown(const std::vector<std::string>& names) {
    if (names.empty()) return;
    std::ostringstream line;
    line << "Unknown preloader type `" << names[0] << "`";
    const size_t shown = std::min(names.size(), PreloadList::kShownUnknown);
    for (size_t i = 1; i < shown; ++i) line << ", `" << names[i] << "`";
    if (names.size() > shown) line << " and " << names.size() - shown << " more";
    if (names.size() > 1) line << " (" << names.size() << " entries skipped)";
    VELMORA_LOG_CRITICAL("PRELOADER") << line.str();
}

void ReadEntries(const TiXmlElement& root, std::vector<PreloadEntry>& entries) {
    std::vector<std::string> unknown;
    for (const TiXmlElement* element = root.FirstChildElement(); element; element = element->NextSiblingElement()) {
        PreloadKind kind;
        if (!KindOf(element->Value(), kind)) {
            unknown.emplace_back(element->Value());
            continue;
        }
        if (entries.size() == PreloadList::kMaxEntries) {
            VELMORA_LOG("PRELOADER") << "Preload list longer than " << PreloadList::kMaxEntries
                                     << " entries; the rest is ignored";
            break;
        }
        entries.push_back({kind, ChildText(*element, "path"), ChildText(*element, "message")});
    }
    ReportUnknown(unknown);
}

} // namespace

std::string PreloadList::DefaultPath() { return Game::GetInstance().DataPath("misc", "preload.xml"); }

const char* PreloadList::KindName(PreloadKind kind) {
    switch (kind) {
    case PreloadKind::kSample: return "sample";
    case PreloadKind::kTrack: return "track";
    case PreloadKind::kTexture: return "texture";
    }
    return "";
}

bool PreloadList::ReadFile(const std::string& path, std::vector<PreloadEntry>& entries) {
    std::string text;
    if (!ReadFileText(path, text, kMaxFileBytes)) {
        entries.clear();
        VELMORA_LOG_CRITICAL("LOGIC") << "Failed to load preloader file: " << path;
        return false;
    }
    return Parse(text, path, entries);
}

bool PreloadList::Parse(std::string_view text, const std::string& path, std::vector<PreloadEntry>& entries) {
    entries.clear();
    TiXmlDocument document;
    if (!ParseXmlText(text, document)) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Failed to load preloader file: " << path;
        return false;
    }
    const TiXmlElement* root = document.FirstChildElement("preload");
    if (!root) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Preload file missing root <preload> element: " << path;
        return false;
    }
    ReadEntries(*root, entries);
    return true;
}

} // namespace Velmora::Logic
