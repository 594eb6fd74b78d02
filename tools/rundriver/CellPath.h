#pragma once

#include <functional>
#include <vector>

namespace Velmora::Logic {
class Level;
}

namespace Velmora::Tools {

/// A level cell.
struct Cell {
    int x = 0;
    int y = 0;
    bool operator==(const Cell& other) const = default;
};

/// The cell of a world point.
Cell CellAt(double x, double y);

/// Which cells a path may use: the player's walkable cells, and breakable glass when allowed.
enum class Glass { kAvoid, kBreakThrough };

/// The shortest path (4-neighbour, breadth first) from `from` to the nearest cell for which
/// `goal` holds, both ends included; empty when there is none.
std::vector<Cell> FindPath(const Logic::Level& level, Cell from, const std::function<bool(Cell)>& goal, Glass glass);

/// True when the live cell blocks the player.
bool BlocksPlayer(const Logic::Level& level, Cell cell);
/// True when the live cell is unbroken glass.
bool IsGlass(const Logic::Level& level, Cell cell);

} // namespace Velmora::Tools
