#pragma once

#include "interface/WidgetLook.h"

namespace Velmora::Interface {
class Widget;
}

namespace Velmora::Logic {

/// The look of the game's menus and panels, drawn to sit with the game's art: buttons of dark,
/// translucent glass with a thin steel-blue frame and pale text; the one highlight (hover or
/// focus) lights the frame sky-blue, thickens it a little, warms the fill and whitens the text.
class MenuLook {
public:
    /// The buttons' and sliders' look.
    static Interface::WidgetLook Get();
    /// Gives every button and slider of the tree (the widget and everything under it) the look;
    /// widgets disabled themselves keep the greyed look their screen gave them.
    static void Apply(Interface::Widget& tree);
};

} // namespace Velmora::Logic
