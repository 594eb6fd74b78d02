#pragma once

#include "core/Vector2.h"
#include "game/GunType.h"
#include "screens/PlayState.h"

#include <functional>
#include <string>

namespace Velmora::Logic {

/// Everything one logic tick reads of the player's controls. The play screen gathers it from the
/// keyboard, mouse and pad between ticks and hands it to the logic at the start of each tick, so
/// the same sequence of inputs always plays a level the same way whatever the frame rate.
struct TickInput {
    Vector2 mMove;         ///< the player's velocity, world units per second
    Vector2 mFacing;       ///< the player's facing (the aim), world units; (0, 0) keeps it
    bool mFire = false;    ///< the fire control held, or pressed and let go since the last tick
    bool mResumed = false; ///< play (re)started just before this tick: the gun's meters empty
    bool operator==(const TickInput& other) const = default;
};

/// Who else takes part in a play screen's ticks: a recorder that keeps the inputs, a replay that
/// supplies them. Each hook is optional; set them before the play screen starts.
struct TickHooks {
    /// A level begins: its campaign folder, its name and the gun the player carries into it.
    std::function<void(const std::string& campaign, const std::string& level, GunType gun)> mLevelBegun;
    /// Set: the player's own controls are ignored (Escape aside) and each tick's input comes
    /// from here; false means no more input (the player then stands still).
    std::function<bool(TickInput& input)> mSupply;
    /// Each tick's input, as the logic is about to read it.
    std::function<void(const TickInput& input)> mObserve;
    /// The level ended during the tick being run: kWon or kLost.
    std::function<void(PlayState result)> mLevelEnded;
    /// A tick has run to its end (its destroyed entities deleted).
    std::function<void()> mTickDone;
};

} // namespace Velmora::Logic
