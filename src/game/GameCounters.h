#pragma once

#include "world/TriggerEvent.h"

namespace Velmora::Logic {

/// One set of the event counters that triggers and achievements read.
struct GameCounters {
    int mSeen = 0;        ///< times the player was seen
    int mShatter = 0;     ///< glass hits that broke something
    int mTicks = 0;       ///< whole seconds played
    int mSteps = 0;       ///< footsteps
    int mShots = 0;       ///< Sound Gun and White Gun shots
    int mShockwaves = 0;  ///< Shock Gun shots
    int mMacGuffin = 0;   ///< briefcases taken
    double mPlayTime = 0.0;  ///< seconds played, the HUD clock

    /// The counter an event increments first, or null for events without one.
    int* CounterFor(TriggerEvent event);
};

inline int* GameCounters::CounterFor(TriggerEvent event) {
    switch (event) {
    case kEventSeen: return &mSeen;
    case kEventShatter: return &mShatter;
    case kEventTick: return &mTicks;
    case kEventStep: return &mSteps;
    case kEventShoot: return &mShots;
    case kEventShockwave: return &mShockwaves;
    case kEventMacGuffin: return &mMacGuffin;
    default: return nullptr;
    }
}

} // namespace Velmora::Logic
