#pragma once

#include "game/ProgressStore.h"

namespace Velmora::Logic {

/// The line shown when a win beats the level's earlier best time.
constexpr const char* kNewBestText = "New best time!";

/// The current level was won: records its time and medal (from the level's medal times) in the
/// player's progress, logs them on "LOGIC" ("Finished level `NAME` of `CAMPAIGN` in T s, medal
/// M"), and when the time beats an earlier win shows kNewBestText with the time as a
/// notification over the level-end panel. Nothing happens without a level.
ProgressStore::Result RecordFinishedLevel();

} // namespace Velmora::Logic
