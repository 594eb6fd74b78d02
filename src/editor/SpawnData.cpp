#include "editor/SpawnData.h"

#include "core/Archetype.h"
#include "core/Factory.h"
#include "core/ValueCursor.h"
#include "world/SpawnInfo.h"

#include <algorithm>

namespace Velmora::Editor {

namespace {

bool HasString(const ValueList& values, const char* text) {
    return std::any_of(values.begin(), values.end(),
                       [text](const Value& value) { return value.Is(ValueType::String) && value.GetString() == text; });
}

} // namespace

SpawnKind SpawnData::KindOf(const ValueList& archetypeValues) {
    if (HasString(archetypeValues, "ComponentTriggerZone")) return SpawnKind::kZone;
    if (HasString(archetypeValues, "ComponentWaypoint")) return SpawnKind::kWaypoint;
    if (HasString(archetypeValues, "ComponentGhost") && HasString(archetypeValues, "BehaviorPatrol")) {
        return SpawnKind::kGuard;
    }
    return SpawnKind::kOther;
}

SpawnKind SpawnData::KindOf(const std::string& archetype) {
    const Archetype* found = Factory::GetInstance().FindArchetype(archetype);
    return found ? KindOf(found->mValues) : SpawnKind::kOther;
}

std::vector<std::string> SpawnData::GetRoute(const Logic::SpawnInfo& spawn) {
    std::vector<std::string> names;
    for (const Value& value : spawn.mData) {
        if (value.Is(ValueType::String)) names.push_back(value.GetString());
    }
    return names;
}

void SpawnData::SetRoute(Logic::SpawnInfo& spawn, const std::vector<std::string>& names) {
    spawn.mData.assign(names.begin(), names.end());
}

SpawnData::Zone SpawnData::GetZone(const Logic::SpawnInfo& spawn) {
    Zone zone;
    ValueCursor cursor(spawn.mData);
    cursor >> zone.mId >> zone.mCorners[0] >> zone.mCorners[1];
    return zone;
}

void SpawnData::SetZone(Logic::SpawnInfo& spawn, const Zone& zone) {
    spawn.mData = {Value(zone.mId), Value(zone.mCorners[0]), Value(zone.mCorners[1])};
}

std::string SpawnData::FreeName(const std::string& stem, const std::vector<std::string>& taken) {
    for (unsigned number = 1;; ++number) {
        std::string name = stem + std::to_string(number);
        if (std::find(taken.begin(), taken.end(), name) == taken.end()) return name;
    }
}

} // namespace Velmora::Editor
