#include "interface/WidgetTree.h"

#include "interface/Widget.h"

namespace Velmora::Interface {

namespace {

// The child's subtree first, then the child itself.
Widget* SearchChild(Widget& child, bool forward) {
    if (child.HasState(Widget::kDisabled)) return nullptr;
    if (Widget* inner = forward ? FindFirstFocusable(child) : FindLastFocusable(child)) return inner;
    return child.HasState(Widget::kFocusable) ? &child : nullptr;
}

// The sibling itself first, then its subtree. A disabled sibling's subtree cannot take focus.
Widget* SearchSibling(Widget& sibling, bool forward) {
    if (sibling.HasState(Widget::kDisabled)) return nullptr;
    if (sibling.CanFocus()) return &sibling;
    return forward ? FindFirstFocusable(sibling) : FindLastFocusable(sibling);
}

int IndexInParent(const Widget& widget) {
    const Widget* parent = widget.mParent;
    for (unsigned i = 0; i < parent->GetChildCount(); ++i) {
        if (parent->GetChild(i) == &widget) return static_cast<int>(i);
    }
    return -1;
}

} // namespace

Widget* FindFirstFocusable(const Widget& widget) {
    for (unsigned i = 0; i < widget.GetChildCount(); ++i) {
        Widget* child = widget.GetChild(i);
        if (Widget* found = child ? SearchChild(*child, true) : nullptr) return found;
    }
    return nullptr;
}

Widget* FindLastFocusable(const Widget& widget) {
    for (unsigned i = widget.GetChildCount(); i-- > 0;) {
        Widget* child = widget.GetChild(i);
        if (Widget* found = child ? SearchChild(*child, false) : nullptr) return found;
    }
    return nullptr;
}

Widget* NextFocusable(const Widget& widget) {
    if (!widget.mParent) return nullptr;
    const Widget& parent = *widget.mParent;
    const int index = IndexInParent(widget);
    if (index < 0) return nullptr;
    for (unsigned i = static_cast<unsigned>(index) + 1; i < parent.GetChildCount(); ++i) {
        Widget* sibling = parent.GetChild(i);
        if (Widget* found = sibling ? SearchSibling(*sibling, true) : nullptr) return found;
    }
    return nullptr;
}

Widget* PreviousFocusable(const Widget& widget) {
    if (!widget.mParent) return nullptr;
    const Widget& parent = *widget.mParent;
    for (int i = IndexInParent(widget) - 1; i >= 0; --i) {
        Widget* sibling = parent.GetChild(static_cast<unsigned>(i));
        if (Widget* found = sibling ? SearchSibling(*sibling, false) : nullptr) return found;
    }
    return nullptr;
}

bool IsWithin(const Widget& widget, const Widget& ancestor) {
    for (const Widget* w = &widget; w; w = w->mParent) {
        if (w == &ancestor) return true;
    }
    return false;
}

} // namespace Velmora::Interface
