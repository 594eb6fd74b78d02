#include "interface/WSlider.h"

#include "interface/SliderLook.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Interface {

WSlider::WSlider(std::unique_ptr<WSliderCallback> callback) : mCallback(std::move(callback)) {
    mState = kClickable | kFocusable;
    mStyle.SetScalar1(0.0);
}

void WSlider::Render(Graphics::Renderer& renderer, int layer) { DrawSlider(*this, renderer, layer); }

void WSlider::OnEvent(WidgetEvent& event) {
    switch (event.mKind) {
    case WidgetEvent::kMouseDown:
        if (IsEnabled() && IsInside(event.mX, event.mY)) {
            mDragging = true;
            ChangeValue(ValueAt(event.mX));
            event.mHandled = 1;
        }
        break;
    case WidgetEvent::kMouseMove:
        if (mDragging) ChangeValue(ValueAt(event.mX));
        break;
    case WidgetEvent::kMouseUp:
        if (!mDragging) break;
        mDragging = false;
        if (!HasState(kHovered | kFocused)) AnimateSliderHighlight(*this, false);
        break;
    case WidgetEvent::kIncrease:
    case WidgetEvent::kDecrease:
        ChangeValue(mValue + (event.mKind == WidgetEvent::kIncrease ? kKeyStep : -kKeyStep));
        event.mHandled = 1;
        break;
    case WidgetEvent::kFocusGained: AnimateSliderHighlight(*this, true); break;
    case WidgetEvent::kFocusLost:
        if (!mDragging) AnimateSliderHighlight(*this, false);
        break;
    default: break;
    }
}

void WSlider::SetValue(double value) {
    if (std::isnan(value)) return;
    mValue = std::clamp(value, 0.0, 1.0);
    AnimateSliderKnob(*this, mValue);
}

void WSlider::ChangeValue(double value) {
    SetValue(value);
    if (mCallback) mCallback->OnChange(mValue);
}

double WSlider::ValueAt(double x) const {
    const int32_t width = GetAreaWidth();
    if (width <= 0) return mValue;
    return std::clamp((x - GetAbsoluteX()) / width, 0.0, 1.0);
}

} // namespace Velmora::Interface
