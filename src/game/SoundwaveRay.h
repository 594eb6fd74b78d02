#pragma once

#include "core/Vector2.h"

#include <array>
#include <cstdint>

namespace Velmora::Logic {

/// One ray of a sound wave (ComponentSoundwave): where it has been over the last updates, where
/// it is heading and how much energy it has left.
struct SoundwaveRay {
    /// Positions kept per ray: one per update, in a ring.
    static constexpr unsigned kTrailLength = 16;

    /// The ray's position at each of the last 16 updates; slot (step mod 16) is the current one.
    std::array<Vector2, kTrailLength> mTrail{};
    double mDirX = 0.0; ///< direction of travel; unit length after launch and after each bounce
    double mDirY = 0.0;
    uint32_t mBounces = 0; ///< wall events so far
    double mEnergy = 0.0;  ///< world units of travel left; the ray is alive while this is above 0
    bool mLinked = false;  ///< the band between this ray and the next one is intact

    /// True while the ray still travels.
    bool IsAlive() const { return mEnergy > 0.0; }
};

} // namespace Velmora::Logic
