#include "screens/MenuLook.h"

#include "interface/SliderWidget.h"
#include "interface/WButton.h"

namespace Velmora::Logic {

Interface::WidgetLook MenuLook::Get() {
    Interface::WidgetLook look;
    look.mNormal = {Color::FromRgba(200, 216, 232), Color::FromRgba(52, 94, 132), Color::FromRgba(6, 14, 24), 0.25};
    look.mHighlight = {Color::FromRgba(255, 255, 255), Color::FromRgba(110, 200, 255), Color::FromRgba(22, 58, 94),
                       0.5};
    look.mFillOpacity = 0.8;
    return look;
}

void MenuLook::Apply(Interface::Widget& tree) {
    if (!tree.HasState(Interface::Widget::kDisabled)) {
        if (auto* button = dynamic_cast<Interface::WButton*>(&tree))
            button->SetLook(Get());
        else if (auto* slider = dynamic_cast<Interface::SliderWidget*>(&tree))
            slider->SetLook(Get());
    }
    for (unsigned i = 0; i < tree.GetChildCount(); ++i) {
        if (Interface::Widget* child = tree.GetChild(i)) Apply(*child);
    }
}

} // namespace Velmora::Logic
