#include "CellPath.h"

#include "core/TileGrid.h"
#include "world/Level.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace Velmora::Tools {

Cell CellAt(double x, double y) {
    return Cell{static_cast<int>(std::floor(x / kTileSize)), static_cast<int>(std::floor(y / kTileSize))};
}

bool BlocksPlayer(const Logic::Level& level, Cell cell) {
    return !level.IsInside(cell.x, cell.y) || (level.GetCellFlags(cell.x, cell.y) & kTileBlocksPlayer) != 0;
}

bool IsGlass(const Logic::Level& level, Cell cell) {
    return level.IsInside(cell.x, cell.y) && (level.GetCellFlags(cell.x, cell.y) & kTileShatters) != 0;
}

std::vector<Cell> FindPath(const Logic::Level& level, Cell from, const std::function<bool(Cell)>& goal, Glass glass) {
    const int width = level.GetWidth();
    const int height = level.GetHeight();
    if (!level.IsInside(from.x, from.y)) return {};
    std::vector<int> cameFrom(static_cast<size_t>(width) * height, -1);
    const auto index = [width](Cell c) { return static_cast<size_t>(c.y) * width + c.x; };
    const auto open = [&](Cell c) {
        if (!level.IsInside(c.x, c.y)) return false;
        return !BlocksPlayer(level, c) || (glass == Glass::kBreakThrough && IsGlass(level, c));
    };
    std::deque<Cell> queue{from};
    cameFrom[index(from)] = static_cast<int>(index(from));
    while (!queue.empty()) {
        const Cell cell = queue.front();
        queue.pop_front();
        if (goal(cell)) {
            std::vector<Cell> path{cell};
            for (Cell c = cell; !(c == from);) {
                const int previous = cameFrom[index(c)];
                c = Cell{previous % width, previous / width};
                path.push_back(c);
            }
            std::reverse(path.begin(), path.end());
            return path;
        }
        for (const Cell step : {Cell{1, 0}, Cell{-1, 0}, Cell{0, 1}, Cell{0, -1}}) {
            const Cell next{cell.x + step.x, cell.y + step.y};
            if (!open(next) || cameFrom[index(next)] >= 0) continue;
            cameFrom[index(next)] = static_cast<int>(index(cell));
            queue.push_back(next);
        }
    }
    return {};
}

} // namespace Velmora::Tools
