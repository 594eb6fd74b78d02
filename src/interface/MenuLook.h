#pragma once

#include "interface/WidgetLook.h"

namespace Velmora::Interface {

class Widget;

/// The look of the game's menus and panels, drawn to sit with the game's art: buttons of dark,
/// translucent glass with a thin steel-blue frame and pale text; the one highlight (hover or
/// focus) lights the frame sky-blue, thickens it a little, warms the fill and whitens the text.
class MenuLook {
public:
    /// The buttons' and sliders' look.
    static WidgetLook Get();
    /// The look of an entry that cannot be chosen: grey on a dark fill, no highlight.
    static WidgetLook GetDisabled();
    /// Gives every button and slider of the tree (the widget and everything under it) the look,
    /// the greyed one to those disabled themselves.
    static void Apply(Widget& tree);
};

} // namespace Velmora::Interface
