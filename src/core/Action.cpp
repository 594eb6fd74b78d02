#include "core/Action.h"

namespace Velmora {

Action::Action(uint32_t lanes, bool blocking) : mLanes(lanes), mFlags(blocking ? kFlagBlocking : 0) {}

Action* Action::GetNext() const {
    Action* next = mNext;
    while (next && next->IsRemoved()) next = next->mNext;
    return next;
}

Action* Action::GetPrevious() const {
    Action* previous = mPrevious;
    while (previous && previous->IsRemoved()) previous = previous->mPrevious;
    return previous;
}

} // namespace Velmora
