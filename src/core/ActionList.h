#pragma once

#include "core/Action.h"

#include <cstddef>
#include <cstdint>

namespace Velmora {

class Message;

/// An ordered, intrusive, doubly linked list of actions that all run every step. Order is
/// priority: a blocking action holds up every later action that shares one of its lanes, so
/// an action inserted in front of another on a shared lane pauses it until it is done. The list
/// owns its actions. Main thread only.
///
/// Walks (Update and HandleMessage) follow these rules, so that actions may change the list
/// they are in from inside their own operations:
/// - Removing actions during a walk (Remove, RemoveLanes, Clear, or an action finishing) takes
///   them out of play at once — they are skipped from then on, get no further calls and are no
///   longer returned by GetHead/GetNext — but they stay allocated and linked until the
///   outermost walk ends, and are deleted then, in list order. Nothing a walk holds can dangle,
///   not even the action whose Update is running when it removes itself.
/// - Actions inserted in front of the action being updated first run on the next step; actions
///   inserted behind it are reached in the same walk.
/// - An action that ran in a step blocks its lanes for the rest of that step when it is
///   blocking, whether it finished, was removed meanwhile, or goes on.
/// - The list itself must not be destroyed during one of its walks.
class ActionList {
public:
    ActionList() = default;
    /// Deletes every action.
    ~ActionList();
    ActionList(const ActionList&) = delete;
    ActionList& operator=(const ActionList&) = delete;

    /// Appends an action (which must be in no list) at the tail; the list takes ownership.
    void PushBack(Action* action);
    /// Links a new action (in no list) directly in front of an existing one of this list, and
    /// makes it the head when the existing action was the head. The list takes ownership.
    void InsertBefore(Action* existing, Action* action);
    /// Takes an action out of the list and deletes it (at the end of the walk, during one);
    /// returns the action that followed it, skipping removed ones, or null.
    Action* Remove(Action* action);
    /// Removes, in list order, every action whose lanes share a bit with the mask. No OnPause.
    void RemoveLanes(uint32_t mask);
    /// Removes every action.
    void Clear();

    /// One step of dt seconds: see the walk rules above. A step of 0 (or an empty list) does
    /// nothing. Front to back, an action held up by an earlier blocking action on a shared lane
    /// is paused (OnPause once); any other is started if new (OnStart), has its times
    /// advanced, is resumed if it was not running (OnResume) and is updated; a blocking action
    /// adds its lanes to the held-up set, also in the step it finishes; a finished action is
    /// removed.
    void Update(double dt);
    /// Gives the message to every action front to back, regardless of lanes; an action that
    /// was never started gets OnStart first.
    void HandleMessage(Message& message);

    /// The first action that has not been removed, or null.
    Action* GetHead() const;
    /// True when no action is left (removed ones awaiting deletion do not count).
    bool IsEmpty() const { return GetHead() == nullptr; }
    /// Number of actions not removed.
    std::size_t GetCount() const;
    /// True while Update or HandleMessage is walking the list.
    bool IsWalking() const { return mWalkDepth > 0; }

private:
    void Link(Action* before, Action* action);
    void Unlink(Action* action);
    void Discard(Action* action);
    void RemoveWhere(uint32_t mask, bool all);
    void UpdateOne(Action& action, double dt, uint32_t& blocked);
    void EndWalk();

    class WalkScope;

    Action* mHead = nullptr; // owned, together with every action linked behind it
    Action* mTail = nullptr;
    int mWalkDepth = 0;            // nested walks in progress
    std::size_t mRemovedCount = 0; // removed actions still linked, waiting for the walk to end
};

} // namespace Velmora
