#include "world/CampaignFile.h"

#include "core/Game.h"
#include "core/Path.h"
#include "core/XmlFile.h"

#include <tinyxml.h>

namespace Velmora::Logic {

std::string CampaignFile::CampaignPath(const std::string& id) {
    return JoinPath(Game::GetInstance().DataPath("level", id), "campaign.xml");
}

std::vector<std::string> CampaignFile::ReadLevelNames(const std::string& path) {
    TiXmlDocument document;
    if (!LoadXmlFile(path, document)) return {};
    return LevelNamesOf(document);
}

std::vector<std::string> CampaignFile::ParseLevelNames(const std::string& text) {
    TiXmlDocument document;
    if (!ParseXmlText(text, document)) return {};
    return LevelNamesOf(document);
}

std::vector<std::string> CampaignFile::LevelNamesOf(const TiXmlDocument& document) {
    std::vector<std::string> names;
    const TiXmlElement* campaign = document.FirstChildElement("campaign");
    const TiXmlElement* levels = campaign ? campaign->FirstChildElement("levels") : nullptr;
    if (!levels) return names;
    for (const TiXmlElement* level = levels->FirstChildElement("level"); level;
         level = level->NextSiblingElement("level")) {
        const char* text = level->GetText();
        names.emplace_back(text ? text : "");
    }
    return names;
}

} // namespace Velmora::Logic
