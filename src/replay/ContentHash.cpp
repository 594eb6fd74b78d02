#include "replay/ContentHash.h"

#include "core/Game.h"
#include "core/ReadFile.h"
#include "replay/StateHash.h"
#include "world/CampaignFile.h"
#include "world/LevelFile.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace Velmora::Replay {

namespace {

constexpr size_t kMaxContentFile = 16u << 20;

void HashFile(Hasher& hash, const std::string& path, const std::string& name) {
    std::string text;
    hash.Text(name);
    if (ReadFileText(path, text, kMaxContentFile)) {
        hash.Text(text);
    } else {
        hash.Int(-1);
    }
}

// The archetype files, by name so the order does not depend on the directory listing.
std::vector<std::filesystem::path> ObjectFiles(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".xml") files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

uint64_t ContentHash(const std::string& campaign, const std::string& level) {
    const Game& game = Game::GetInstance();
    Hasher hash;
    HashFile(hash, game.DataPath("misc", "tiles.xml"), "tiles.xml");
    for (const std::filesystem::path& file : ObjectFiles(game.DataPath("object", ""))) {
        HashFile(hash, file.string(), file.filename().string());
    }
    HashFile(hash, Logic::CampaignFile::CampaignPath(campaign), "campaign.xml");
    HashFile(hash, Logic::LevelFile::ReadPath(campaign, level), "level.xml");
    return hash.Get();
}

} // namespace Velmora::Replay
