#pragma once

#include "ai/Behavior.h"

namespace Velmora::Ai {

/// Looks from side to side: pauses, turns by the pan angle, pauses, turns back, for ever.
/// Data: pan angle (degrees, positive counter-clockwise), pause before each turn (seconds).
class PanBehavior : public Behavior {
public:
    explicit PanBehavior(uint32_t entity) : Behavior(entity) {}

    void Deserialize(ValueCursor& cursor) override;
    bool Update(double dt) override;

    double mAngle = 0.0; ///< radians; its sign flips with every turn
    double mPause = 0.0; ///< seconds
};

} // namespace Velmora::Ai
