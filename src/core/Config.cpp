#include "core/Config.h"

#include "core/Game.h"
#include "core/LogRecord.h"
#include "core/ReadFile.h"
#include "core/Settings.h"
#include "core/UserFiles.h"

namespace Velmora {

namespace {

constexpr size_t kMaxConfigBytes = 1 << 20;

} // namespace

bool LoadConfig() {
    if (!LoadConfigFile(JoinPath(Game::GetInstance().GetRootPath(), "config.xml"))) return false;
    const std::string folder = UserConfigFolder();
    Settings::GetInstance().LoadUser(folder.empty() ? folder : JoinPath(folder, "config.xml"));
    return true;
}

bool LoadConfigFile(const std::string& path) {
    std::string text;
    if (!ReadFileText(path, text, kMaxConfigBytes)) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Failed to load configuration file: " << path;
        return false;
    }
    std::string why;
    if (!Settings::GetInstance().SetShipped(text, why)) {
        if (why == Settings::kNoConfigRoot) {
            VELMORA_LOG_CRITICAL("LOGIC") << "Config  file missing root <config> element: " << path;
        } else {
            VELMORA_LOG_CRITICAL("LOGIC") << "Failed to load configuration file: " << path;
        }
        return false;
    }
    return true;
}

} // namespace Velmora
