#pragma once

#include <cstdint>

namespace Velmora {

class ActionList;
class Message;

/// Lane bits of an action's mask. Actions that share a lane with an earlier blocking action in
/// the same list wait until it is gone.
constexpr uint32_t kLaneBehavior = 1;        ///< every behaviour read from data
constexpr uint32_t kLaneMovement = 2;        ///< moving and following
constexpr uint32_t kLaneFacing = 4;          ///< turning
constexpr uint32_t kLaneAlarm = 0x7FFFFFFFu; ///< holds up everything behind it (all lanes but bit 31)

/// One entry of an ActionList: something that runs a little every step until it reports that it
/// is finished (a guard behaviour, a move, a turn, a delay, a widget animation). An action is
/// owned by the list it is in, which deletes it when it finishes or is removed; an action that
/// is in no list belongs to whoever made it.
///
/// Life: created (not started, inactive) → OnStart once, on its first update or first message →
/// OnResume whenever it runs after being held up, and before its first update → Update each step
/// while no earlier blocking action shares a lane with it → OnPause when it gets held up →
/// deleted. A removal gives no OnPause.
class Action {
public:
    static constexpr uint8_t kFlagStarted = 1;  ///< OnStart has been called
    static constexpr uint8_t kFlagBlocking = 2; ///< holds up later actions on its lanes
    static constexpr uint8_t kFlagActive = 4;   ///< ran on its last chance (OnResume seen, no OnPause since)
    static constexpr uint8_t kFlagRemoved = 8;  ///< removed during a walk; deleted when the walk ends

    /// An action on the given lanes, blocking or not, with all times 0 and no links.
    Action(uint32_t lanes, bool blocking);
    virtual ~Action() = default;
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;

    /// One step of dt seconds (never 0); mElapsed already includes it. True when finished: the
    /// list then deletes the action.
    virtual bool Update(double dt) = 0;
    /// A message dispatched to the list (the ghost forwards its entity's messages).
    virtual void HandleMessage(Message&) {}
    /// The action runs again after being held up, or for the first time.
    virtual void OnResume() {}
    /// An earlier blocking action now holds this one up.
    virtual void OnPause() {}
    /// Once, before the first update or first message, whichever comes first.
    virtual void OnStart() {}

    /// The kFlagStarted, kFlagBlocking and kFlagActive bits.
    bool IsStarted() const { return (mFlags & kFlagStarted) != 0; }
    bool IsBlocking() const { return (mFlags & kFlagBlocking) != 0; }
    bool IsActive() const { return (mFlags & kFlagActive) != 0; }
    /// True once the action has been taken out of its list while the list was being walked;
    /// it is deleted when the walk ends and is skipped until then.
    bool IsRemoved() const { return (mFlags & kFlagRemoved) != 0; }
    /// The next action of the list that has not been removed, or null.
    Action* GetNext() const;
    /// The previous action of the list that has not been removed, or null.
    Action* GetPrevious() const;

    double mFirstStep = 0.0;     ///< seconds: the time step of the first update
    double mElapsed = 0.0;       ///< seconds: sum of all steps the action was updated with
    double mLastStep = 0.0;      ///< seconds: the latest step
    uint32_t mLanes;             ///< lane mask
    Action* mPrevious = nullptr; ///< link of the owning list (null at the head or outside a list)
    Action* mNext = nullptr;     ///< link of the owning list (null at the tail or outside a list)
    uint8_t mFlags;              ///< kFlag… bits
};

} // namespace Velmora
