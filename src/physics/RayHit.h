#pragma once

#include <cstdint>

namespace Velmora::Physics {

/// Where a ray cast met its first blocking cell (PhysicsManager::RayCast). Written only when the
/// cast reports a hit.
struct RayHit {
    double mPointX = 0.0; ///< where the ray enters the blocking cell (on its boundary), world units
    double mPointY = 0.0;
    double mNormalX = 0.0;  ///< unit normal of the crossed boundary, pointing back at the ray's
    double mNormalY = 0.0;  ///< origin: each component −1, 0 or +1
    double mFraction = 0.0; ///< t in [0, 1] along A→B at which the blocking cell is entered
    int32_t mCellX = 0;     ///< the blocking cell
    int32_t mCellY = 0;
    uint32_t mCellFlags = 0; ///< that cell's TileFlags
};

} // namespace Velmora::Physics
