#pragma once

#include "script/ScriptFunction.h"
#include "world/TriggerEvent.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Velmora::Logic {

/// What a trigger rule compares; the numbers are what level files name.
enum TriggerRuleType : int {
    kRuleNone = 0,
    kRuleNumSeen = 1,       ///< "NUMSEEN": times the player was seen
    kRuleNumShatter = 2,    ///< "NUMSHATTER": glass hits that broke something
    kRuleNumTicks = 3,      ///< "NUMTICKS": whole seconds played
    kRuleNumSteps = 4,      ///< "NUMSTEPS": footsteps
    kRuleNumShots = 5,      ///< "NUMSHOTS": Sound Gun and White Gun shots
    kRuleNumShockwaves = 6, ///< "NUMSHOCKWAVES": Shock Gun shots
    kRuleNotifications = 7, ///< "NOTIFICATIONS": notifications on screen now
    kRuleInZone = 8,        ///< "IN_ZONE": the zone of an ENTER_ZONE or EXIT_ZONE event, else 0
    kRuleMacGuffin = 9,     ///< "MACGUFFIN": briefcases taken
};

/// How a rule compares its value (left) with its parameter (right).
enum TriggerOp : int {
    kOpNone = 0,
    kOpEq = 1,   ///< "EQ"
    kOpGt = 2,   ///< "GT"
    kOpLt = 3,   ///< "LT"
    kOpGte = 4,  ///< "GTE"
    kOpLte = 5,  ///< "LTE"
    kOpEach = 6, ///< "EACH": the parameter is not 0 and divides the value
};

/// One condition of a trigger.
struct TriggerRule {
    /// Counter set 1: the level's counters; 2: the game's. Rules read from files use 1.
    static constexpr unsigned kLevelCounters = 1;
    static constexpr unsigned kGameCounters = 2;

    TriggerRuleType mType = kRuleNone;
    unsigned mCounterSet = kLevelCounters;
    TriggerOp mOp = kOpNone;
    int32_t mParam = 0;

    bool operator==(const TriggerRule&) const = default;
};

/// A level's reaction to a game event: when the event happens and every rule holds, the
/// callback runs in the script manager.
struct Trigger {
    std::vector<TriggerRule> mRules; ///< in file order; all must hold
    TriggerEvent mEvent = kEventNone;
    std::string mSource;              ///< the callback's Lua source, as written in the file
    Script::ScriptFunction mCallback; ///< the compiled source (empty until compiled)
};

/// The triggers of a level, in file order.
using TriggerList = std::vector<Trigger>;

} // namespace Velmora::Logic
