// Shared by the logic and physics tests: the game's real tile catalogue (without textures) and
// levels built from rows of tile ids.
#pragma once

#include "support/TestSupport.h"
#include "world/Level.h"
#include "world/TileManager.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace Velmora::Tests {

/// The content catalogue (data/misc/tiles.xml) in the game's TileManager, loaded once, no textures.
/// Ids: 0 floor, 1 stone wall (flags 15, group 1), 2 glass (0x17, group 2), 4 shattered glass,
/// 5 metal wall (group 3), 8 exit, 9 player-only fence (0x01), 10 guard-only barrier (0x02),
/// 11 closed door (15), 12 open door, 13 wood floor.
inline const Logic::TileManager& ContentTiles() {
    static const bool loaded = [] {
        Logic::TileManager::GetInstance().LoadCatalogue(SourceDir() + "/data/misc/tiles.xml", nullptr);
        return true;
    }();
    (void)loaded;
    return Logic::TileManager::GetInstance();
}

/// A level of the content catalogue with the given rows (top row first: "1 1 1", "1 0 1", …, as
/// they look on screen); its cells are reset, so the physics manager's collision map is built.
inline std::unique_ptr<Logic::Level> MakeLevel(const std::vector<std::string>& topFirst) {
    std::vector<int32_t> cells;
    int width = 0;
    for (auto row = topFirst.rbegin(); row != topFirst.rend(); ++row) {
        std::istringstream in(*row);
        width = 0;
        for (int id = 0; in >> id; ++width) cells.push_back(id);
    }
    auto level = std::make_unique<Logic::Level>(&ContentTiles());
    level->SetCells(width, static_cast<int>(topFirst.size()), cells);
    return level;
}

} // namespace Velmora::Tests
