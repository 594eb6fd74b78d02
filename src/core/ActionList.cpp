#include "core/ActionList.h"

#include <cassert>
#include <vector>

namespace Velmora {

// Counts a walk for its whole scope, so the removals made during it are settled even when the
// walk is left early (a test's fatal handler throws out of an action).
class ActionList::WalkScope {
public:
    explicit WalkScope(ActionList& list) : mList(list) { ++mList.mWalkDepth; }
    ~WalkScope() { mList.EndWalk(); }
    WalkScope(const WalkScope&) = delete;
    WalkScope& operator=(const WalkScope&) = delete;

private:
    ActionList& mList;
};

ActionList::~ActionList() {
    assert(mWalkDepth == 0 && "an action list must not be destroyed while it is being walked");
    Clear();
}

void ActionList::PushBack(Action* action) { Link(nullptr, action); }

void ActionList::InsertBefore(Action* existing, Action* action) {
    assert(existing != nullptr);
    Link(existing, action);
}

// Links the action in front of `before`, or at the tail when `before` is null; a new first
// action becomes the head.
void ActionList::Link(Action* before, Action* action) {
    assert(action && !action->mPrevious && !action->mNext && action != mHead);
    Action* after = before ? before->mPrevious : mTail;
    action->mPrevious = after;
    action->mNext = before;
    if (after)
        after->mNext = action;
    else
        mHead = action;
    if (before)
        before->mPrevious = action;
    else
        mTail = action;
}

void ActionList::Unlink(Action* action) {
    if (action->mPrevious)
        action->mPrevious->mNext = action->mNext;
    else
        mHead = action->mNext;
    if (action->mNext)
        action->mNext->mPrevious = action->mPrevious;
    else
        mTail = action->mPrevious;
    action->mPrevious = nullptr;
    action->mNext = nullptr;
}

// During a walk the action only leaves play; it is deleted when the walk ends.
void ActionList::Discard(Action* action) {
    if (action->IsRemoved()) return;
    if (mWalkDepth > 0) {
        action->mFlags |= Action::kFlagRemoved;
        ++mRemovedCount;
        return;
    }
    Unlink(action);
    delete action;
}

Action* ActionList::Remove(Action* action) {
    if (!action) return nullptr;
    Action* next = action->GetNext();
    Discard(action);
    return next;
}

void ActionList::RemoveLanes(uint32_t mask) { RemoveWhere(mask, false); }

void ActionList::Clear() { RemoveWhere(0, true); }

void ActionList::RemoveWhere(uint32_t mask, bool all) {
    std::vector<Action*> doomed;
    for (Action* action = GetHead(); action; action = action->GetNext()) {
        if (all || (action->mLanes & mask)) doomed.push_back(action);
    }
    // Unlinked first and deleted afterwards, so a destructor that touches the list finds it whole.
    if (mWalkDepth == 0) {
        for (Action* action : doomed) Unlink(action);
        for (Action* action : doomed) delete action;
        return;
    }
    for (Action* action : doomed) Discard(action);
}

void ActionList::Update(double dt) {
    if (dt == 0.0 || IsEmpty()) return;
    const WalkScope walk(*this);
    uint32_t blocked = 0;
    // Removed actions stay linked until EndWalk, so following mNext is always safe here, and
    // actions appended behind the current one are reached.
    for (Action* action = mHead; action; action = action->mNext) {
        if (!action->IsRemoved()) UpdateOne(*action, dt, blocked);
    }
}

void ActionList::UpdateOne(Action& action, double dt, uint32_t& blocked) {
    if (action.mLanes & blocked) {
        if (action.IsActive()) {
            action.mFlags &= ~Action::kFlagActive;
            action.OnPause();
        }
        return;
    }
    if (!action.IsStarted()) {
        action.mFlags |= Action::kFlagStarted;
        action.OnStart();
        if (action.IsRemoved()) return;
    }
    if (action.mFirstStep == 0.0) action.mFirstStep = dt;
    action.mElapsed += dt;
    action.mLastStep = dt;
    if (!action.IsActive()) {
        action.mFlags |= Action::kFlagActive;
        action.OnResume();
        if (action.IsRemoved()) return;
    }
    const bool finished = action.Update(dt);
    if (action.IsBlocking()) blocked |= action.mLanes;
    if (finished) Discard(&action);
}

void ActionList::HandleMessage(Message& message) {
    const WalkScope walk(*this);
    for (Action* action = mHead; action; action = action->mNext) {
        if (action->IsRemoved()) continue;
        if (!action->IsStarted()) {
            action->mFlags |= Action::kFlagStarted;
            action->OnStart();
            if (action->IsRemoved()) continue;
        }
        action->HandleMessage(message);
    }
}

void ActionList::EndWalk() {
    if (--mWalkDepth > 0 || mRemovedCount == 0) return;
    std::vector<Action*> doomed;
    doomed.reserve(mRemovedCount);
    for (Action* action = mHead; action; action = action->mNext) {
        if (action->IsRemoved()) doomed.push_back(action);
    }
    mRemovedCount = 0;
    for (Action* action : doomed) Unlink(action);
    for (Action* action : doomed) delete action;
}

Action* ActionList::GetHead() const {
    Action* head = mHead;
    while (head && head->IsRemoved()) head = head->mNext;
    return head;
}

std::size_t ActionList::GetCount() const {
    std::size_t count = 0;
    for (const Action* action = GetHead(); action; action = action->GetNext()) ++count;
    return count;
}

} // namespace Velmora
