#pragma once

#include <cstdint>

namespace Velmora::Logic {

/// One record of the particle manager's pool: a small textured square that flies, slows down,
/// bounces off sound-blocking cells and fades out over its life.
struct Particle {
    double mX = 0.0; ///< centre, world units
    double mY = 0.0;
    double mVelX = 0.0; ///< world units per second
    double mVelY = 0.0;
    double mDrag = 1.0;            ///< factor applied to the velocity once per update (not scaled by time)
    double mSize = 0.0;            ///< half the side of the drawn square, world units
    double mLife = 0.0;            ///< seconds left
    double mLifeInitial = 0.0;     ///< seconds at birth
    uint32_t mColor = 0xFFFFFFFFu; ///< 0xAABBGGRR; the alpha byte is replaced when drawn
    bool mMoving = false;          ///< position and velocity are still integrated
    bool mCollides = false;        ///< moves are tested against sound-blocking cells
    bool mBounces = false;         ///< a wall reflects it (otherwise it stops there)
    double mU0 = 0.0;              ///< the rectangle of "particle.png" to draw: u from mU0 to mU1,
    double mU1 = 0.0;              ///< v from mV0 (bottom of the square) to mV1 (top)
    double mV0 = 0.0;
    double mV1 = 0.0;
};

} // namespace Velmora::Logic
