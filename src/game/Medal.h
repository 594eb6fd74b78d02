#pragma once

namespace Velmora::Logic {

/// What a won level earns by its time, best first from gold.
enum class Medal { kNone, kBronze, kSilver, kGold };

/// The medal for a level won in `seconds` against the level's medal times: gold at or under the
/// gold time, else silver at or under the silver time, else bronze at or under the bronze time,
/// else none. Times are compared in whole hundredths, as the clock shows them, so a run that
/// reads 0:12.00 on the clock earns a 12-second medal. A medal time of 0 or less (a level file
/// without it) is never earned, and neither is anything by a negative or non-numeric time.
Medal ChooseMedal(double seconds, double gold, double silver, double bronze);

/// "Gold", "Silver", "Bronze" or "None".
const char* MedalName(Medal medal);

} // namespace Velmora::Logic
