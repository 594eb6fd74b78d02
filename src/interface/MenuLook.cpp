#include "interface/MenuLook.h"

#include "interface/SliderWidget.h"
#include "interface/WButton.h"

namespace Velmora::Interface {

WidgetLook MenuLook::Get() {
    WidgetLook look;
    look.mNormal = {Color::FromRgba(200, 216, 232), Color::FromRgba(52, 94, 132), Color::FromRgba(6, 14, 24), 0.25};
    look.mHighlight = {Color::FromRgba(255, 255, 255), Color::FromRgba(110, 200, 255), Color::FromRgba(22, 58, 94),
                       0.5};
    look.mFillOpacity = 0.8;
    return look;
}

WidgetLook MenuLook::GetDisabled() {
    WidgetLook look = Get();
    look.mNormal = {Color::FromRgba(90, 90, 90), Color::FromRgba(58, 62, 68), Color::FromRgba(6, 10, 14), 0.25};
    look.mHighlight = look.mNormal;
    return look;
}

void MenuLook::Apply(Widget& tree) {
    const WidgetLook look = tree.HasState(Widget::kDisabled) ? GetDisabled() : Get();
    if (auto* button = dynamic_cast<WButton*>(&tree)) {
        button->SetLook(look);
    } else if (auto* slider = dynamic_cast<SliderWidget*>(&tree)) {
        slider->SetLook(look);
    }
    for (unsigned i = 0; i < tree.GetChildCount(); ++i) {
        if (Widget* child = tree.GetChild(i)) Apply(*child);
    }
}

} // namespace Velmora::Interface
