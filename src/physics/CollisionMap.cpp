#include "physics/CollisionMap.h"

#include "core/TileGrid.h"

namespace Velmora::Physics {

void CollisionMap::Build(int width, int height, std::span<const uint32_t> cellFlags) {
    if (width < 1 || height < 1) {
        mWidth = mHeight = 0;
        mEdges.clear();
        return;
    }
    mWidth = width;
    mHeight = height;
    mEdges.resize(4 * static_cast<size_t>(width) * static_cast<size_t>(height));
    CollisionEdge* edge = mEdges.data();
    size_t cell = 0;
    for (int y = 0; y < height; ++y) {
        const double y0 = kTileSize * y;
        const double y1 = y0 + kTileSize;
        for (int x = 0; x < width; ++x, ++cell, edge += 4) {
            const double x0 = kTileSize * x;
            const double x1 = x0 + kTileSize;
            const uint32_t flags = cell < cellFlags.size() ? cellFlags[cell] : 0u;
            edge[kBottom] = {x0, y0, x1, y0, flags};
            edge[kRight] = {x1, y0, x1, y1, flags};
            edge[kTop] = {x1, y1, x0, y1, flags};
            edge[kLeft] = {x0, y1, x0, y0, flags};
        }
    }
    RemoveSharedEdges();
}

void CollisionMap::RemoveSharedEdges() {
    // Every facing pair is compared once, from its left or lower cell. An edge's flags only
    // change to 0 when its partner's equal its own, so a pair's outcome does not depend on the
    // order in which pairs are visited: this matches comparing all four sides of every cell.
    for (int y = 0; y < mHeight; ++y) {
        for (int x = 0; x < mWidth; ++x) {
            CollisionEdge* edges = &mEdges[EdgeIndex(x, y, 0)];
            if (x + 1 < mWidth) {
                CollisionEdge& left = mEdges[EdgeIndex(x + 1, y, kLeft)];
                if (edges[kRight].mFlags == left.mFlags) edges[kRight].mFlags = left.mFlags = 0;
            }
            if (y + 1 < mHeight) {
                CollisionEdge& bottom = mEdges[EdgeIndex(x, y + 1, kBottom)];
                if (edges[kTop].mFlags == bottom.mFlags) edges[kTop].mFlags = bottom.mFlags = 0;
            }
        }
    }
}

} // namespace Velmora::Physics
