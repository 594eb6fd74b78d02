#include "core/Config.h"

#include "core/Game.h"
#include "core/LogRecord.h"
#include "core/XmlFile.h"

#include <tinyxml.h>

namespace Velmora {

bool LoadConfig() { return LoadConfigFile(JoinPath(Game::GetInstance().GetRootPath(), "config.xml")); }

bool LoadConfigFile(const std::string& path) {
    TiXmlDocument document;
    if (!LoadXmlFile(path, document)) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Failed to load configuration file: " << path;
        return false;
    }
    const TiXmlElement* root = document.RootElement();
    if (!root || root->ValueStr() != "config") {
        VELMORA_LOG_CRITICAL("LOGIC") << "Config  file missing root <config> element: " << path;
        return false;
    }
    // The game has no configurable keys yet: children of <config> are accepted and ignored.
    return true;
}

} // namespace Velmora
