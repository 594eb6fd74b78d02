#pragma once

#include <cstdint>

namespace Velmora::Interface {

/// Told whenever the user changes a WStepSlider's index. Owned by the slider.
class WStepSliderCallback {
public:
    virtual ~WStepSliderCallback() = default;
    /// index: the new step, 0 … step count − 1.
    virtual void OnChange(int32_t index) = 0;
};

} // namespace Velmora::Interface
