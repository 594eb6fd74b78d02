#pragma once

#include "ai/Behavior.h"

namespace Velmora::Ai {

/// Makes a noise: on its first update an ordinary sound wave all round a point, with the given
/// strength, through the game; finished at once. Does not block.
class EffectBehavior : public Behavior {
public:
    /// A noise at `point` with `strength` times the base energy, on the given lanes.
    EffectBehavior(uint32_t entity, uint32_t lanes, const Vector2& point, double strength)
        : Behavior(entity, lanes, false), mPoint(point), mStrength(strength) {}

    bool Update(double dt) override;

    Vector2 mPoint;   ///< world units
    double mStrength; ///< times the base energy
};

} // namespace Velmora::Ai
