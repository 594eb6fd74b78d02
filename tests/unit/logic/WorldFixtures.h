// Shared by the logic and physics tests: the game's real tile catalogue (without textures) and
// small helpers to build levels from rows written top row first, as they look on screen.
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

/// Tile ids from rows given top row first ("1 1 1", "1 0 1", …), returned row 0 (bottom) first.
inline std::vector<int32_t> CellsFromRows(const std::vector<std::string>& topFirst, int& width, int& height) {
    std::vector<int32_t> cells;
    height = static_cast<int>(topFirst.size());
    width = 0;
    for (auto row = topFirst.rbegin(); row != topFirst.rend(); ++row) {
        std::istringstream in(*row);
        int id = 0, count = 0;
        while (in >> id) {
            cells.push_back(id);
            ++count;
        }
        width = count;
    }
    return cells;
}

/// A level of the content catalogue with the given rows (top row first); its cells are reset,
/// so the physics manager's collision map is built from it.
inline std::unique_ptr<Logic::Level> MakeLevel(const std::vector<std::string>& topFirst) {
    auto level = std::make_unique<Logic::Level>(&ContentTiles());
    int width = 0, height = 0;
    const std::vector<int32_t> cells = CellsFromRows(topFirst, width, height);
    level->SetCells(width, height, cells);
    return level;
}

} // namespace Velmora::Tests
