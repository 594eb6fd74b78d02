#pragma once

#include "game/GameCounters.h"
#include "world/Trigger.h"

#include <functional>

namespace Velmora::Logic {

/// Runs a level's triggers when game events happen and counts the events. It counts into two
/// sets of counters owned elsewhere (the logic manager's): the game's, never reset, and the
/// level's, zeroed at every level begin. Rules of counter set 2 read the game's counters, all
/// others the level's.
class TriggerSet {
public:
    /// Says how many notifications are on screen (the "NOTIFICATIONS" rule).
    using NotificationCounter = std::function<int()>;

    /// Counts into `game` and `level`, which must outlive the set.
    TriggerSet(GameCounters& game, GameCounters& level, NotificationCounter notifications);

    /// An event: its counter (if it has one) goes up by one in both sets, then every trigger of
    /// `triggers` (null: none) on that event whose rules all hold runs its callback, in list
    /// order. zoneId is the trigger zone of ENTER_ZONE and EXIT_ZONE and ignored for the rest.
    /// A callback's runtime error is logged on "LUA" with the event's name; the others run on.
    void FireEvent(const TriggerList* triggers, TriggerEvent event, int zoneId);
    /// The list being walked is about to go (the level ends): a firing in progress stops after
    /// the callback that is running, without touching the list again.
    void Invalidate() { ++mGeneration; }

    /// Whether one rule holds for an event of that zone id. An op outside EQ … EACH fails; an
    /// unknown rule type is logged as "Unknown trigger type" and holds.
    bool RuleHolds(const TriggerRule& rule, int zoneId) const;
    /// Whether every rule holds (an empty list always does); stops at the first that fails.
    bool RulesHold(const Trigger& trigger, int zoneId) const;

private:
    int RuleValue(const TriggerRule& rule, int zoneId, bool& known) const;
    void RunCallback(const Trigger& trigger, TriggerEvent event);

    GameCounters& mGame;
    GameCounters& mLevel;
    NotificationCounter mNotifications;
    unsigned mGeneration = 0;
};

} // namespace Velmora::Logic
