#include "interface/WStepSlider.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Interface {

WStepSlider::WStepSlider(int32_t stepCount, std::unique_ptr<WStepSliderCallback> callback)
    : mCallback(std::move(callback)), mStepCount(std::max(stepCount, 1)) {}

void WStepSlider::SetIndex(int32_t index) {
    mIndex = std::clamp(index, 0, mStepCount - 1);
    MoveKnob(mStepCount > 1 ? static_cast<double>(mIndex) / (mStepCount - 1) : 0.0);
}

void WStepSlider::OnPointerAt(double fraction) {
    ChangeIndex(std::min(static_cast<int32_t>(std::floor(mStepCount * fraction + 0.5)), mStepCount - 1));
}

void WStepSlider::ChangeIndex(int32_t index) {
    const int32_t previous = mIndex;
    SetIndex(index);
    if (mIndex != previous && mCallback) mCallback->OnChange(mIndex);
}

} // namespace Velmora::Interface
