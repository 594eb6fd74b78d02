#include "core/Settings.h"

#include "core/LogRecord.h"
#include "core/Path.h"
#include "core/ReadFile.h"
#include "core/UserFiles.h"
#include "core/XmlFile.h"

#include <tinyxml.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace Velmora {

namespace {

std::string Cut(const char* text) {
    std::string result = text ? text : "";
    if (result.size() > Settings::kMaxTextLength) result.resize(Settings::kMaxTextLength);
    return result;
}

// The game writes numbers and words: a value of other bytes (control characters, invalid UTF-8)
// or of a size no setting has is dropped, so it reads as unset and is never written back.
bool IsPlainValue(const char* value) {
    size_t length = 0;
    for (const char* c = value ? value : ""; *c; ++c, ++length) {
        if (*c < 0x20 || *c > 0x7e || length >= Settings::kMaxTextLength) return false;
    }
    return true;
}

// The whole text must be the number: "12abc" or "" is not a setting the game wrote.
// A settings file the game wrote is a few hundred bytes.
constexpr size_t kMaxFileBytes = 1 << 20;

bool ParseWholeDouble(const std::string& text, double& value) {
    if (text.empty()) return false;
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    stream >> value;
    return stream && stream.peek() == std::char_traits<char>::eof() && std::isfinite(value);
}

} // namespace

Settings& Settings::GetInstance() {
    static Settings* instance = new Settings(); // lives to process exit, like the systems
    return *instance;
}

bool Settings::Parse(const std::string& text, Keys& keys, std::string& why) {
    TiXmlDocument document;
    if (!ParseXmlText(text, document, "settings")) {
        why = document.ErrorDesc();
        return false;
    }
    const TiXmlElement* root = document.RootElement();
    if (!root || root->ValueStr() != "config") {
        why = kNoConfigRoot;
        return false;
    }
    size_t count = 0;
    for (const TiXmlElement* key = root->FirstChildElement(); key && count < kMaxKeys;
         key = key->NextSiblingElement(), ++count) {
        const char* value = key->GetText();
        if (!IsPlainFileStem(key->ValueStr()) || !IsPlainValue(value)) continue;
        // Spaces at either end mean nothing, and a run of spaces reads as one (a stray '&' between
        // two spaces, which the parser drops, leaves two): neither would survive being written and
        // read again.
        std::string text = value ? value : "";
        text.erase(0, text.find_first_not_of(' '));
        text.erase(text.find_last_not_of(' ') + 1);
        text.erase(std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
                   text.end());
        keys[key->ValueStr()] = text;
    }
    return true;
}

std::string Settings::Serialize(const Keys& keys) {
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", ""));
    auto* root = new TiXmlElement("config");
    document.LinkEndChild(root);
    for (const auto& [key, value] : keys) {
        auto* element = new TiXmlElement(key);
        element->LinkEndChild(new TiXmlText(value));
        root->LinkEndChild(element);
    }
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.CStr();
}

bool Settings::SetShipped(const std::string& text, std::string& why) {
    Keys keys;
    if (!Parse(text, keys, why)) return false;
    mShipped = std::move(keys);
    return true;
}

void Settings::LoadUser(const std::string& path) {
    mUserPath = path;
    mUser.clear();
    mDirty = false;
    std::string text;
    if (path.empty() || !IsRegularFile(path) || !ReadFileText(path, text, kMaxFileBytes)) return;
    std::string why;
    Keys keys;
    if (!Parse(text, keys, why)) {
        SetAsideDamagedFile(path, "CORE", why);
        return;
    }
    mUser = std::move(keys);
    VELMORA_LOG("CORE") << "Settings read from " << path;
}

const std::string* Settings::Find(const std::string& key) const {
    auto found = mUser.find(key);
    if (found != mUser.end()) return &found->second;
    found = mShipped.find(key);
    return found != mShipped.end() ? &found->second : nullptr;
}

std::string Settings::GetString(const std::string& key, const std::string& fallback) const {
    const std::string* value = Find(key);
    return value ? *value : fallback;
}

int Settings::GetInt(const std::string& key, int fallback, int low, int high) const {
    const double value = GetDouble(key, fallback, low, high);
    return value == std::floor(value) ? static_cast<int>(value) : fallback;
}

double Settings::GetDouble(const std::string& key, double fallback, double low, double high) const {
    const std::string* text = Find(key);
    double value = 0.0;
    if (!text || !ParseWholeDouble(*text, value) || value < low || value > high) return fallback;
    return value;
}

void Settings::Set(const std::string& key, const std::string& value) {
    if (!IsPlainFileStem(key)) return;
    const std::string* old = Find(key);
    if (old && *old == value && mUser.count(key)) return;
    mUser[key] = Cut(value.c_str());
    mDirty = true;
}

void Settings::SetInt(const std::string& key, int value) { Set(key, std::to_string(value)); }

void Settings::SetDouble(const std::string& key, double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof(text), value); // the shortest exact text
    Set(key, std::string(text, result.ptr));
}

bool Settings::Save() {
    if (!mDirty) return true;
    if (!mUserPath.empty() && WriteFileAtomically(mUserPath, Serialize(mUser))) {
        mDirty = false;
        return true;
    }
    if (!mSaveFailureLogged) {
        VELMORA_LOG("CORE") << "Cannot save the settings to "
                            << (mUserPath.empty() ? std::string("(no user folder)") : mUserPath)
                            << "; they are kept for this run only";
        mSaveFailureLogged = true;
    }
    return false;
}

void Settings::Reset() {
    mShipped.clear();
    mUser.clear();
    mUserPath.clear();
    mDirty = false;
    mSaveFailureLogged = false;
}

} // namespace Velmora
