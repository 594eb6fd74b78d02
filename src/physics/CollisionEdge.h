#pragma once

#include <cstdint>

namespace Velmora::Physics {

/// One directed wall segment of the collision map. Each cell owns four, wound counter-clockwise
/// (bottom, right, top, left), so the right-hand normal (dy, −dx) points out of the cell.
struct CollisionEdge {
    double mStartX = 0.0;
    double mStartY = 0.0;
    double mEndX = 0.0;
    double mEndY = 0.0;
    /// The owning cell's TileFlags; 0 once the edge has been removed (shared by two cells with
    /// equal flags). Queries match flags & mask, so removed edges never match.
    uint32_t mFlags = 0;
};

} // namespace Velmora::Physics
