#pragma once

#include "core/Value.h"
#include "core/Vector2.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Velmora::Logic {
struct SpawnInfo;
}

namespace Velmora::Editor {

/// What the editor can set on a spawn besides its place and facing, told by its archetype.
enum class SpawnKind {
    kOther,    ///< nothing more
    kGuard,    ///< a guard that patrols: its data is its route
    kWaypoint, ///< a patrol point, found by its spawn name
    kZone,     ///< a trigger zone: its data is its id and two corners
};

/// The spawn values the editor writes: a patrolling guard's route (waypoint names, in order)
/// and a trigger zone's id and corners, read and written in the order the components read them.
class SpawnData {
public:
    /// A trigger zone's data. The corners may be in any order; the zone sorts them per axis.
    struct Zone {
        int32_t mId = 0;
        Vector2 mCorners[2];
    };

    /// The kind of spawn an archetype's values make: a ghost with a patrol behaviour is a guard,
    /// a waypoint or trigger-zone component makes the other kinds.
    static SpawnKind KindOf(const ValueList& archetypeValues);
    /// The kind of spawn of the factory's archetype of that name (kOther when there is none).
    static SpawnKind KindOf(const std::string& archetype);

    /// The waypoint names of a guard's data, in order (values that are not names are skipped).
    static std::vector<std::string> GetRoute(const Logic::SpawnInfo& spawn);
    /// Replaces a guard's data with the names.
    static void SetRoute(Logic::SpawnInfo& spawn, const std::vector<std::string>& names);
    /// A zone's id and corners, read as the zone reads them (missing values are 0 and (0, 0)).
    static Zone GetZone(const Logic::SpawnInfo& spawn);
    /// Replaces a zone's data with the id and the two corners.
    static void SetZone(Logic::SpawnInfo& spawn, const Zone& zone);

    /// `stem` followed by the smallest number from 1 that makes a name not in `taken`.
    static std::string FreeName(const std::string& stem, const std::vector<std::string>& taken);
};

} // namespace Velmora::Editor
