#include "interface/WSlider.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Interface {

WSlider::WSlider(std::unique_ptr<WSliderCallback> callback) : mCallback(std::move(callback)) {}

void WSlider::SetValue(double value) {
    if (std::isnan(value)) return;
    mValue = std::clamp(value, 0.0, 1.0);
    MoveKnob(mValue);
}

void WSlider::ChangeValue(double value) {
    SetValue(value);
    if (mCallback) mCallback->OnChange(mValue);
}

} // namespace Velmora::Interface
