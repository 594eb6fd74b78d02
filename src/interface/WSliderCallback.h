#pragma once

namespace Velmora::Interface {

/// Told whenever the user changes a WSlider's value (click, drag, left and right). Owned by
/// the slider.
class WSliderCallback {
public:
    virtual ~WSliderCallback() = default;
    /// value: the new value, 0 … 1.
    virtual void OnChange(double value) = 0;
};

} // namespace Velmora::Interface
