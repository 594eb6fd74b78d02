#pragma once

#include "ai/Behavior.h"

namespace Velmora::Ai {

/// Waits: finished once it has run for its duration. Blocking, so whatever shares its lanes
/// behind it waits too.
class DelayBehavior : public Behavior {
public:
    /// A wait of `duration` seconds on the given lanes.
    DelayBehavior(uint32_t entity, uint32_t lanes, double duration)
        : Behavior(entity, lanes, true), mDuration(duration) {}

    bool Update(double) override { return mDuration <= mElapsed; }

    double mDuration; ///< seconds
};

} // namespace Velmora::Ai
