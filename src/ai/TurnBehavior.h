#pragma once

#include "ai/Behavior.h"

namespace Velmora::Ai {

/// Turns the guard's facing towards a direction at the ghost's turn speed, the short way round
/// (a half turn goes counter-clockwise). Finished when the facing is exactly the direction; a
/// zero direction, or a guard that faces nowhere, ends at once. Blocking.
class TurnBehavior : public Behavior {
public:
    /// A turn of the entity towards `direction` on the given lanes.
    TurnBehavior(uint32_t entity, uint32_t lanes, const Vector2& direction);

    bool Update(double dt) override;

    Vector2 mDirection; ///< the facing to end with
};

} // namespace Velmora::Ai
