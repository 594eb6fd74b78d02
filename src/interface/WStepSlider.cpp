#include "interface/WStepSlider.h"

#include "interface/SliderLook.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Interface {

WStepSlider::WStepSlider(int32_t stepCount, std::unique_ptr<WStepSliderCallback> callback)
    : mCallback(std::move(callback)), mStepCount(std::max(stepCount, 1)) {
    mState = kClickable | kFocusable;
    mStyle.SetScalar1(0.0);
}

void WStepSlider::Render(Graphics::Renderer& renderer, int layer) { DrawSlider(*this, renderer, layer); }

void WStepSlider::OnEvent(WidgetEvent& event) {
    switch (event.mKind) {
    case WidgetEvent::kMouseDown:
        if (IsEnabled() && IsInside(event.mX, event.mY)) {
            mDragging = true;
            ChangeIndex(IndexAt(event.mX));
            event.mHandled = 1;
        }
        break;
    case WidgetEvent::kMouseMove:
        if (mDragging) ChangeIndex(IndexAt(event.mX));
        break;
    case WidgetEvent::kMouseUp:
        if (!mDragging) break;
        mDragging = false;
        if (!HasState(kHovered | kFocused)) AnimateSliderHighlight(*this, false);
        break;
    case WidgetEvent::kIncrease:
        if (mIndex < mStepCount - 1) ChangeIndex(mIndex + 1);
        event.mHandled = 1;
        break;
    case WidgetEvent::kDecrease:
        if (mIndex > 0) ChangeIndex(mIndex - 1);
        event.mHandled = 1;
        break;
    case WidgetEvent::kFocusGained: AnimateSliderHighlight(*this, true); break;
    case WidgetEvent::kFocusLost:
        if (!mDragging) AnimateSliderHighlight(*this, false);
        break;
    default: break;
    }
}

void WStepSlider::SetIndex(int32_t index) {
    mIndex = std::clamp(index, 0, mStepCount - 1);
    AnimateSliderKnob(*this, mStepCount > 1 ? static_cast<double>(mIndex) / (mStepCount - 1) : 0.0);
}

void WStepSlider::ChangeIndex(int32_t index) {
    const int32_t previous = mIndex;
    SetIndex(index);
    if (mIndex != previous && mCallback) mCallback->OnChange(mIndex);
}

int32_t WStepSlider::IndexAt(double x) const {
    const int32_t width = GetAreaWidth();
    if (width <= 0) return mIndex;
    const double fraction = std::clamp((x - GetAbsoluteX()) / width, 0.0, 1.0);
    return std::min(static_cast<int32_t>(std::floor(mStepCount * fraction + 0.5)), mStepCount - 1);
}

} // namespace Velmora::Interface
