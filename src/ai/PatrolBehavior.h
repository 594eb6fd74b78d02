#pragma once

#include "ai/Behavior.h"

#include <cstddef>
#include <vector>

namespace Velmora::Ai {

/// Walks the waypoints named in the guard's spawn data in turn, over the level's graph, pausing
/// at each. Names that find no waypoint when the patrol starts are skipped; a waypoint that has
/// gone since stalls the patrol there; one that cannot be reached is passed over. With no
/// waypoint at all the patrol is finished at once.
/// Data: speed (world units per second), pause at each waypoint (seconds).
class PatrolBehavior : public Behavior {
public:
    explicit PatrolBehavior(uint32_t entity) : Behavior(entity) {}

    void Deserialize(ValueCursor& cursor) override;
    /// Looks the waypoints up by name.
    void OnStart() override;
    bool Update(double dt) override;

    double mSpeed = 0.0;              ///< world units per second
    double mPause = 0.0;              ///< seconds at each waypoint
    std::size_t mIndex = 0;           ///< the waypoint walked to next
    std::vector<uint32_t> mWaypoints; ///< waypoint entity ids, in route order
};

} // namespace Velmora::Ai
