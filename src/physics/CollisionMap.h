#pragma once

#include "physics/CollisionEdge.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace Velmora::Physics {

/// The wall edges of a tile grid: exactly 4·W·H edges, those of cell (x, y) at indices
/// 4·(y·W + x) + k with k = 0 bottom, 1 right, 2 top, 3 left. An edge shared by two cells with
/// equal flags is removed (flags 0) but stays in place, so the index arithmetic always holds.
/// Built whole from the cells' flags; there is no incremental update.
class CollisionMap {
public:
    /// Edge sides, the k of the index formula.
    static constexpr int kBottom = 0;
    static constexpr int kRight = 1;
    static constexpr int kTop = 2;
    static constexpr int kLeft = 3;

    /// Rebuilds every edge from the flags of a width × height grid (row-major, row 0 first; a
    /// missing cell counts as 0), then removes the shared edges. A size below 1 gives an
    /// empty map.
    void Build(int width, int height, std::span<const uint32_t> cellFlags);
    /// Sets both edges of every facing pair whose flags are equal to 0. Build runs it.
    void RemoveSharedEdges();

    /// Size in cells of the grid the map was built from (0 × 0 before the first build).
    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    /// True when (x, y) is a cell of the map; callers check before reading a cell's edges.
    bool IsInside(int x, int y) const { return x >= 0 && y >= 0 && x < mWidth && y < mHeight; }
    /// Edge k of cell (x, y); the cell must be inside.
    const CollisionEdge& GetEdge(int x, int y, int k) const { return mEdges[EdgeIndex(x, y, k)]; }
    /// All edges, indexed 4·(y·W + x) + k.
    const std::vector<CollisionEdge>& GetEdges() const { return mEdges; }
    /// The index of edge k of cell (x, y).
    size_t EdgeIndex(int x, int y, int k) const {
        return 4 * (static_cast<size_t>(y) * static_cast<size_t>(mWidth) + static_cast<size_t>(x)) +
            static_cast<size_t>(k);
    }

private:
    int mWidth = 0;
    int mHeight = 0;
    std::vector<CollisionEdge> mEdges;
};

} // namespace Velmora::Physics
