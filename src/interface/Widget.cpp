#include "interface/Widget.h"

#include "interface/WidgetRoot.h"

#include <algorithm>

namespace Velmora::Interface {

namespace {

// Keeps the root's count of events in flight, so that widgets removed meanwhile are deleted
// only when the outermost event is over. Holds the root, not the widget, because the widget
// itself may be among those deleted when the guard ends.
class DispatchGuard {
public:
    explicit DispatchGuard(WidgetRoot* root) : mRoot(root) {
        if (mRoot) mRoot->BeginDispatch();
    }
    ~DispatchGuard() {
        if (mRoot) mRoot->EndDispatch();
    }
    DispatchGuard(const DispatchGuard&) = delete;
    DispatchGuard& operator=(const DispatchGuard&) = delete;

private:
    WidgetRoot* mRoot;
};

} // namespace

Widget::~Widget() {
    if (mRoot) mRoot->Forget(*this);
}

Widget* Widget::AddChild(std::unique_ptr<Widget> child) {
    Discard(std::move(child));
    return nullptr;
}

void Widget::Dispatch(WidgetEvent& event) {
    const DispatchGuard guard(mRoot);
    Deliver(event);
    if (event.mHandled) return;
    if (event.mDirection == WidgetEvent::kBubble) {
        for (Widget* ancestor = mParent; ancestor && !event.mHandled; ancestor = ancestor->mParent) {
            ancestor->Deliver(event);
        }
    } else if (event.mDirection == WidgetEvent::kBroadcast) {
        // By index, re-reading the count: a handler may add or remove children on the way.
        for (unsigned i = 0; i < GetChildCount() && !event.mHandled; ++i) {
            if (Widget* child = GetChild(i)) child->Dispatch(event);
        }
    }
}

void Widget::Send(int32_t kind, int32_t direction) {
    WidgetEvent event;
    event.mKind = kind;
    event.mDirection = direction;
    Dispatch(event);
}

void Widget::Deliver(WidgetEvent& event) {
    HandleGeneric(event);
    OnEvent(event);
}

void Widget::HandleGeneric(WidgetEvent& event) {
    switch (event.mKind) {
        case WidgetEvent::kTick:
            mActions.Update(event.mDt);
            break;
        case WidgetEvent::kMouseMove:
            HandleMouseMove(event);
            break;
        case WidgetEvent::kMouseLeave:
            mState &= ~kHovered;
            break;
        case WidgetEvent::kFocusGained:
            mState |= kFocused;
            break;
        case WidgetEvent::kFocusLost:
            mState &= ~kFocused;
            break;
        case WidgetEvent::kMouseDown:
            if (HasState(kClickable) && IsEnabled() && IsInside(event.mX, event.mY)) {
                Send(WidgetEvent::kActivate, WidgetEvent::kBroadcast);
                event.mHandled = 1;
            }
            break;
        default:
            break;
    }
}

void Widget::HandleMouseMove(const WidgetEvent& event) {
    const bool inside = IsInside(event.mX, event.mY);
    if (!HasState(kHovered)) {
        if (inside && IsEnabled()) {
            mState |= kHovered;
            Send(WidgetEvent::kMouseEnter, WidgetEvent::kSelf);
        }
    } else if (!inside) {
        mState &= ~kHovered;
        Send(WidgetEvent::kMouseLeave, WidgetEvent::kSelf);
    }
}

bool Widget::IsEnabled() const {
    for (const Widget* w = this; w; w = w->mParent) {
        if (w->HasState(kDisabled)) return false;
    }
    return true;
}

int32_t Widget::GetAreaWidth() const { return std::max(GetWidth(), mMinWidth); }

int32_t Widget::GetAreaHeight() const { return std::max(GetHeight(), mMinHeight); }

double Widget::GetAbsoluteX() const {
    double x = 0.0;
    for (const Widget* w = this; w; w = w->mParent) {
        x += w->mX + (w->mStyle.mSetFields & Style::kOffset ? w->mStyle.mOffsetX : 0.0);
    }
    return x;
}

double Widget::GetAbsoluteY() const {
    double y = 0.0;
    for (const Widget* w = this; w; w = w->mParent) {
        y += w->mY + (w->mStyle.mSetFields & Style::kOffset ? w->mStyle.mOffsetY : 0.0);
    }
    return y;
}

bool Widget::IsInside(double x, double y) const {
    const double left = GetAbsoluteX();
    const double bottom = GetAbsoluteY();
    return left <= x && x < left + GetAreaWidth() && bottom <= y && y < bottom + GetAreaHeight();
}

void Widget::Adopt(Widget& child) {
    child.mParent = this;
    child.SetRootRecursive(mRoot);
}

void Widget::Discard(std::unique_ptr<Widget> child) {
    if (!child) return;
    if (mRoot) mRoot->Discard(std::move(child));
}

void Widget::SetRootRecursive(WidgetRoot* root) {
    mRoot = root;
    for (unsigned i = 0; i < GetChildCount(); ++i) {
        if (Widget* child = GetChild(i)) child->SetRootRecursive(root);
    }
}

} // namespace Velmora::Interface
