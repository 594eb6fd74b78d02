#include "world/TileManager.h"

#include "core/Game.h"
#include "core/LogRecord.h"
#include "core/ParseNumber.h"
#include "core/XmlFile.h"
#include "graphics/TextureManager.h"

#include <tinyxml.h>

#include <cctype>

namespace Velmora::Logic {

namespace {

// "%d" semantics: blanks, an optional sign and at least one digit; anything else is no number.
bool ScanInteger(const char* text, int& value) {
    if (!text) return false;
    const char* p = text;
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    if (*p == '+' || *p == '-') ++p;
    if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
    value = ParseInteger(text);
    return true;
}

int IntAttribute(const TiXmlElement* element, const char* name) {
    return element ? ParseInteger(element->Attribute(name)) : 0;
}

uint8_t Channel(const TiXmlElement& color, const char* name) {
    return static_cast<uint8_t>(IntAttribute(&color, name) & 0xFF);
}

TileFlags ReadFlags(const TiXmlElement* flags) {
    if (!flags) return 0;
    TileFlags result = 0;
    if (IntAttribute(flags, "blkplayer") != 0) result |= kTileBlocksPlayer;
    if (IntAttribute(flags, "blkenemy") != 0) result |= kTileBlocksEnemy;
    if (IntAttribute(flags, "blksound") != 0) result |= kTileBlocksSound;
    if (IntAttribute(flags, "blkvision") != 0) result |= kTileBlocksVision;
    if (IntAttribute(flags, "shatters") != 0) result |= kTileShatters;
    return result;
}

const char* TextOf(const TiXmlElement& element) {
    const char* text = element.GetText();
    return text ? text : "";
}

} // namespace

TileManager& TileManager::GetInstance() {
    static TileManager* instance = new TileManager(); // lives to process exit, like every system
    return *instance;
}

void TileManager::Initialize() {
    LoadCatalogue(Game::GetInstance().DataPath("misc", "tiles.xml"),
                  [](const std::string& name) { return Graphics::TextureManager::GetInstance().GetTexture(name); });
}

void TileManager::LoadCatalogue(const std::string& path, const TextureLookup& lookup) {
    mTiles.clear();
    TiXmlDocument document;
    if (!LoadXmlFile(path, document)) {
        VELMORA_FATAL << "Cannot open tiles definition file " << path << ": " << document.ErrorDesc();
        return;
    }
    const TiXmlElement* root = document.FirstChildElement("tiles");
    if (!root) {
        VELMORA_FATAL << "Tiles definition file is missing root <tiles> element";
        return;
    }
    for (const TiXmlElement* element = root->FirstChildElement(); element; element = element->NextSiblingElement()) {
        if (element->ValueStr() != "tile") {
            VELMORA_FATAL << "Unknown element " << element->ValueStr() << " in " << path;
            return;
        }
        if (!ReadTile(*element, path, lookup)) return;
    }
}

bool TileManager::ReadTile(const TiXmlElement& element, const std::string& path, const TextureLookup& lookup) {
    Tile tile;
    if (!ScanInteger(element.Attribute("id"), tile.mId) || tile.mId != GetTileCount()) {
        VELMORA_FATAL << "Tile id sequence is out of order in " << path;
        return false;
    }
    const TiXmlElement* name = element.FirstChildElement("name");
    if (!name) {
        VELMORA_FATAL << "Tile missing <name> element in " << path;
        return false;
    }
    tile.mName = TextOf(*name);
    if (const TiXmlElement* group = element.FirstChildElement("group")) tile.mGroup = ParseInteger(group->GetText());
    if (const TiXmlElement* color = element.FirstChildElement("color")) {
        tile.mColor = Color::FromRgba(Channel(*color, "red"), Channel(*color, "green"), Channel(*color, "blue"));
    }
    tile.mFlags = ReadFlags(element.FirstChildElement("flags"));
    const TiXmlElement* texture = element.FirstChildElement("texture");
    if (!texture) {
        VELMORA_FATAL << "Tile missing <texture> element in " << path;
        return false;
    }
    tile.mTextureName = TextOf(*texture);
    if (lookup) tile.mTexture = lookup(tile.mTextureName);
    mTiles.push_back(std::move(tile));
    return true;
}

const Tile* TileManager::GetTile(int id) const {
    if (id < 0 || id >= GetTileCount()) return nullptr;
    return &mTiles[static_cast<size_t>(id)];
}

} // namespace Velmora::Logic
