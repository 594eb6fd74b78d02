#pragma once

namespace Velmora::Logic {

/// The game events that level triggers react to; the numbers are what level files store.
enum TriggerEvent : int {
    kEventNone = 0,
    kEventSeen = 1,         ///< "SEEN": the player was seen
    kEventShatter = 2,      ///< "SHATTER": glass broke, once per hit
    kEventTick = 3,         ///< "TICK": each whole second of play
    kEventStep = 4,         ///< "STEP": each footstep wave of the player
    kEventShoot = 5,        ///< "SHOOT": Sound Gun or White Gun fired
    kEventShockwave = 6,    ///< "SHOCKWAVE": Shock Gun fired
    kEventBeginLevel = 7,   ///< "BEGIN_LEVEL"
    kEventEndLevel = 8,     ///< "END_LEVEL", followed at once by WIN or LOSE
    kEventWin = 9,          ///< "WIN"
    kEventLose = 10,        ///< "LOSE"
    kEventEnterZone = 11,   ///< "ENTER_ZONE"
    kEventExitZone = 12,    ///< "EXIT_ZONE"
    kEventMacGuffin = 13,   ///< "MACGUFFIN": the briefcase was taken
    kEventGunPickup = 14,   ///< "GUN_PICKUP"
};

} // namespace Velmora::Logic
