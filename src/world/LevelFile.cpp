#include "world/LevelFile.h"

#include "core/Game.h"
#include "core/LogRecord.h"
#include "core/ParseNumber.h"
#include "core/Path.h"
#include "core/UserFiles.h"
#include "core/ValueXml.h"
#include "core/XmlFile.h"
#include "graphics/DebugWatch.h"
#include "world/Level.h"
#include "world/TileManager.h"
#include "world/TriggerFile.h"

#include <tinyxml.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string_view>

namespace Velmora::Logic {

namespace {

const char* TextOf(const TiXmlElement& element) {
    const char* text = element.GetText();
    return text ? text : "";
}

Vector2 ReadPoint(const TiXmlElement* element) {
    if (!element) return {};
    return {ParseDouble(element->Attribute("x")), ParseDouble(element->Attribute("y"))};
}

// The shortest text that reads back as the same double: a saved level loads as it was shown,
// where six significant digits would move a spawn placed far from the origin.
std::string Number(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// Copies the file at `from` over `to`, through a temporary beside `to` so that a failed copy
// leaves the old backup whole. False when either file cannot be used.
bool CopyFileSafely(const std::string& from, const std::string& to) {
    const std::string temporary = to + ".tmp";
    {
        std::ifstream in(from, std::ios::binary);
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!in || !out) return false;
        out << in.rdbuf();
        out.close();
        if (out.fail()) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), to.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

// A spawn's value as the typed-value writer writes it, except that numbers keep every digit
// they need to read back the same: a level saved from the editor must not drift.
void WriteSpawnValue(std::ostream& out, const Value& value) {
    if (value.Is(ValueType::Double)) {
        out << "<double>" << Number(value.GetDouble()) << "</double>";
    } else if (value.Is(ValueType::Vector)) {
        out << "<vector x='" << Number(value.GetVector().x) << "' y='" << Number(value.GetVector().y) << "'/>";
    } else {
        WriteValue(out, value);
    }
}

// A point whose x or y is written as a number that is not finite ("nan", "inf", "1e999").
bool IsFinitePoint(const TiXmlElement* element) {
    return !element || (IsFiniteNumber(element->Attribute("x")) && IsFiniteNumber(element->Attribute("y")));
}

// The size attributes: an integer, −1 when the attribute is missing.
long long ReadSide(const TiXmlElement& tilemap, const char* name) {
    const char* text = tilemap.Attribute(name);
    return text ? ParseInteger(text) : -1;
}

// An optional sign and at most nine digits: a number ParseInteger reads whole, without clamping.
bool IsPlainInteger(std::string_view token) {
    if (!token.empty() && (token.front() == '-' || token.front() == '+')) token.remove_prefix(1);
    return !token.empty() && token.size() <= 9 &&
        std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The blank-separated token starting at or after p; p moves past it. Empty at the end.
std::string_view NextToken(const char*& p) {
    while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
    const char* start = p;
    while (*p && !std::isspace(static_cast<unsigned char>(*p))) ++p;
    return {start, static_cast<size_t>(p - start)};
}

// Tokens of one tilemap that name no tile of the catalogue.
struct UnknownTiles {
    static constexpr size_t kNamed = 8; // distinct tokens named in the warning
    std::vector<std::string> mTokens;
    size_t mFirstCell = 0;
    size_t mCount = 0;

    void Add(std::string_view token, size_t cell) {
        if (mCount++ == 0) mFirstCell = cell;
        const std::string text(token.substr(0, 16));
        if (mTokens.size() < kNamed && std::find(mTokens.begin(), mTokens.end(), text) == mTokens.end()) {
            mTokens.push_back(text);
        }
    }
};

void WarnUnknownTiles(const UnknownTiles& unknown, int width, const std::string& path) {
    std::ostringstream ids;
    for (size_t i = 0; i < unknown.mTokens.size(); ++i) ids << (i > 0 ? ", " : "") << unknown.mTokens[i];
    const size_t columns = static_cast<size_t>(std::max(width, 1));
    VELMORA_LOG("LEVEL") << "Unknown tile ids read as floor (0): " << ids.str() << " in " << unknown.mCount
                         << (unknown.mCount == 1 ? " cell" : " cells") << ", the first at cell ("
                         << unknown.mFirstCell % columns << ", " << unknown.mFirstCell / columns << "): " << path;
}

} // namespace

std::string LevelFile::LevelPath(const std::string& folder, const std::string& name) {
    return JoinPath(Game::GetInstance().DataPath("level", folder), name + ".xml");
}

std::string LevelFile::UserLevelPath(const std::string& folder, const std::string& name) {
    const std::string user = UserDataFolder();
    if (user.empty() || !IsPlainFileStem(folder) || !IsPlainFileStem(name)) return std::string();
    return JoinPath(JoinPath(JoinPath(user, "level"), folder), name + ".xml");
}

std::string LevelFile::ReadPath(const std::string& folder, const std::string& name) {
    const std::string user = UserLevelPath(folder, name);
    return !user.empty() && IsRegularFile(user) ? user : LevelPath(folder, name);
}

std::string LevelFile::SavePath(const std::string& folder, const std::string& name) {
    return Game::GetInstance().mInstalled ? UserLevelPath(folder, name) : LevelPath(folder, name);
}

std::unique_ptr<Level> LevelFile::LoadLevel(const std::string& folder, const std::string& name) {
    // The name comes from a campaign file; the folder is the campaign the program chose.
    if (!IsPlainName(name)) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Level name refused, it would lead out of the level folder: `" << name << "`";
        return nullptr;
    }
    return ReadLevel(ReadPath(folder, name), folder);
}

std::unique_ptr<Level> LevelFile::ReadLevel(const std::string& path, const std::string& folder,
                                            const TileManager* tiles) {
    auto level = std::make_unique<Level>(tiles);
    level->SetFolder(folder);
    TiXmlDocument document;
    if (!LoadXmlFile(path, document)) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Failed to load level file: " << path;
        return nullptr;
    }
    const TiXmlElement* root = document.FirstChildElement("level");
    if (!root) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Level file missing root <level> element: " << path;
        return nullptr;
    }
    const TiXmlElement* name = root->FirstChildElement("name");
    if (!name) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Level file missing <name> : " << path;
        return nullptr;
    }
    level->SetName(TextOf(*name));
    if (!ReadTilemap(*root, path, *level) || !ReadMedals(*root, path, *level) || !ReadEntities(*root, path, *level)) {
        return nullptr;
    }
    ReadTriggers(*root, path, *level);
    return level;
}

bool LevelFile::ReadTilemap(const TiXmlElement& root, const std::string& path, Level& level) {
    const TiXmlElement* tilemap = root.FirstChildElement("tilemap");
    if (!tilemap) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Level file missing <tilemap> element: " << path;
        return false;
    }
    const long long width = ReadSide(*tilemap, "width");
    const long long height = ReadSide(*tilemap, "height");
    // Besides sizes below 1, a grid too large to allocate sensibly is refused the same way.
    if (!Level::IsValidSize(width, height)) {
        VELMORA_LOG_CRITICAL("LEVEL") << "Level has invalid size: " << path;
        return false;
    }
    const size_t count = static_cast<size_t>(width * height);
    return level.SetCells(static_cast<int>(width), static_cast<int>(height),
                          ReadTileIds(tilemap->GetText(), count, static_cast<int>(width), level.GetTiles(), path));
}

std::vector<int32_t> LevelFile::ReadTileIds(const char* text, size_t count, int width, const TileManager& tiles,
                                            const std::string& path) {
    std::vector<int32_t> ids(count, kTileFloor);
    if (!text) return ids;
    UnknownTiles unknown;
    const char* p = text;
    for (size_t i = 0; i < count; ++i) {
        const std::string_view token = NextToken(p);
        if (token.empty()) break;
        const int id = IsPlainInteger(token) ? ParseInteger(std::string(token).c_str()) : -1;
        if (tiles.GetTile(id))
            ids[i] = id;
        else
            unknown.Add(token, i);
    }
    if (unknown.mCount > 0) WarnUnknownTiles(unknown, width, path);
    return ids;
}

std::vector<int32_t> LevelFile::ParseTileIds(const char* text, size_t count) {
    std::vector<int32_t> ids(count, kTileFloor);
    if (!text) return ids;
    const char* p = text;
    for (size_t i = 0; i < count; ++i) {
        while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
        if (!*p) break;
        ids[i] = ParseInteger(p);
        while (*p && !std::isspace(static_cast<unsigned char>(*p))) ++p;
    }
    return ids;
}

bool LevelFile::ReadMedals(const TiXmlElement& root, const std::string& path, Level& level) {
    const TiXmlElement* medals = root.FirstChildElement("medals");
    if (!medals) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Level file missing <medals> element: " << path;
        return false;
    }
    level.SetMedalTimes({ParseDouble(medals->Attribute("bronze")), ParseDouble(medals->Attribute("silver")),
                         ParseDouble(medals->Attribute("gold"))});
    return true;
}

bool LevelFile::ReadEntities(const TiXmlElement& root, const std::string& path, Level& level) {
    // Every node called "entity" counts, so a comment or text reading "entity" is an error too.
    for (const TiXmlNode* node = root.FirstChild("entity"); node; node = node->NextSibling("entity")) {
        const TiXmlElement* element = node->ToElement();
        if (!element) {
            VELMORA_LOG_CRITICAL("LOGIC") << "Level has invalid <entity> element: " << path;
            return false;
        }
        const TiXmlElement* archetype = element->FirstChildElement("archetype");
        if (!archetype) {
            VELMORA_LOG_CRITICAL("LOGIC") << "Level has invalid <entity> element, missing <archetype>: " << path;
            return false;
        }
        // Positions far outside the grid are harmless and kept; NaN and infinity are not.
        if (!IsFinitePoint(element->FirstChildElement("position")) ||
            !IsFinitePoint(element->FirstChildElement("direction"))) {
            VELMORA_LOG_CRITICAL("LOGIC")
                << "Level has invalid <entity> element, position or direction is not a finite number: " << path;
            return false;
        }
        auto spawn = std::make_unique<SpawnInfo>();
        spawn->mArchetype = TextOf(*archetype);
        if (const TiXmlElement* name = element->FirstChildElement("name")) spawn->mName = TextOf(*name);
        // Values up to the first element that is not a value; the rest of the data is dropped.
        if (const TiXmlElement* data = element->FirstChildElement("data")) ReadValues(*data, spawn->mData);
        spawn->mPosition = ReadPoint(element->FirstChildElement("position"));
        spawn->mDirection = ReadPoint(element->FirstChildElement("direction"));
        level.AddSpawn(std::move(spawn));
    }
    return true;
}

void LevelFile::ReadTriggers(const TiXmlElement& root, const std::string& path, Level& level) {
    TriggerFile::ReleaseTriggers(level.GetTriggers());
    for (const TiXmlNode* node = root.FirstChild("trigger"); node; node = node->NextSibling("trigger")) {
        const TiXmlElement* element = node->ToElement();
        if (!element) {
            VELMORA_LOG("LOGIC") << "Level has invalid <trigger> element: " << path;
            continue;
        }
        TriggerFile::ReadTrigger(*element, level.GetTriggers());
    }
}

bool LevelFile::SaveLevel(const Level& level, std::string* reason) {
    const std::string path = SavePath(level.GetFolder(), level.GetName());
    // The player's level folder is made on the first save; the shipped campaign folders exist.
    const bool folderReady = !Game::GetInstance().mInstalled || MakeFolders(ParentPath(path));
    std::string why = path.empty() ? "no folder to save in" : "the folder cannot be made";
    if (path.empty() || !folderReady || !WriteFileSafely(level, path, why)) {
        VELMORA_LOG("EDITOR") << path << "`"
                              << " FOR WRITING (" << why << ")";
        if (reason) *reason = why;
        return false;
    }
    VELMORA_LOG("EDITOR") << "LEVEL `" << level.GetName() << "` SAVED!";
    Graphics::DebugWatch("editor.saved", 5.0) << "LEVEL `" << level.GetName() << "` SAVED!";
    return true;
}

bool LevelFile::WriteFileSafely(const Level& level, const std::string& path, std::string& reason) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            reason = std::strerror(errno);
            return false;
        }
        WriteLevel(level, out);
        out.close();
        if (out.fail()) {
            reason = "the file could not be written whole";
            std::remove(temporary.c_str());
            return false;
        }
    }
    // The version being replaced stays beside the new one, so one bad save costs no work.
    if (IsRegularFile(path) && !CopyFileSafely(path, path + ".bak")) {
        VELMORA_LOG("EDITOR") << "Could not keep the previous version as " << path << ".bak";
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void LevelFile::WriteLevel(const Level& level, std::ostream& out) {
    out << "<?xml verison=\"1.0\"?>\n";
    out << "<!-- LEVEL FILE -->\n";
    out << "<level>\n";
    out << "\t<name>" << EscapeXmlText(level.GetName()) << "</name>\n";
    out << "\t<!-- TILEMAP DATA -->\n";
    out << "\t<tilemap width='" << level.GetWidth() << "' height='" << level.GetHeight() << "'>\n";
    for (int y = 0; y < level.GetHeight(); ++y) {
        out << "\t\t";
        for (int x = 0; x < level.GetWidth(); ++x) out << level.GetStoredCell(x, y) << ' ';
        out << '\n';
    }
    out << "\t</tilemap>\n\n";
    out << "\t<!-- SPAWN LIST -->\n";
    WriteSpawns(level, out);
    // The level's own times, so that saving from the editor keeps what the file said.
    const Level::MedalTimes& medals = level.GetMedalTimes();
    out << "\n<medals gold ='" << Number(medals.mGold) << "' silver='" << Number(medals.mSilver) << "' bronze ='"
        << Number(medals.mBronze) << "'></medals>\n";
    out << "\t<!-- TRIGGERS -->\n";
    TriggerFile::WriteTriggers(level.GetTriggers(), out);
    out << "</level>\n";
}

void LevelFile::WriteSpawns(const Level& level, std::ostream& out) {
    for (const auto& spawn : level.GetSpawnList()) {
        out << "\t<entity>\n";
        out << "\t\t<archetype>" << EscapeXmlText(spawn->mArchetype) << "</archetype>\n";
        out << "\t\t<name>" << EscapeXmlText(spawn->mName) << "</name>\n";
        if (!spawn->mData.empty()) {
            out << "\t\t<data>\n";
            for (const Value& value : spawn->mData) {
                out << "\t\t\t";
                WriteSpawnValue(out, value);
                out << '\n';
            }
            out << "\t\t</data>\n";
        }
        out << "\t\t<position x='" << Number(spawn->mPosition.x) << "' y='" << Number(spawn->mPosition.y) << "'/>\n";
        out << "\t\t<direction x='" << Number(spawn->mDirection.x) << "' y='" << Number(spawn->mDirection.y) << "'/>\n";
        out << "\t</entity>\n";
    }
}

} // namespace Velmora::Logic
