#pragma once

namespace Velmora::Interface {

class Widget;

/// Focus searches over a widget tree. Disabled widgets and everything under them are never
/// returned.

/// The first focusable widget under `widget` (not the widget itself): the children in order,
/// skipping disabled ones, depth first, preferring a child's own descendants over the child (a
/// focusable child is returned only when nothing under it is focusable). Null when none.
Widget* FindFirstFocusable(const Widget& widget);
/// The same search from the last child backwards.
Widget* FindLastFocusable(const Widget& widget);
/// The next focus after `widget` among its later siblings, nearest first: a sibling that can
/// be focused itself, else the first focusable widget under it. Null without a parent or when
/// the siblings run out; the search never climbs to the parent's siblings nor wraps around.
Widget* NextFocusable(const Widget& widget);
/// The same among the earlier siblings, nearest first, using FindLastFocusable.
Widget* PreviousFocusable(const Widget& widget);
/// True when `widget` is `ancestor` or lies under it.
bool IsWithin(const Widget& widget, const Widget& ancestor);

} // namespace Velmora::Interface
