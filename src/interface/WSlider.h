#pragma once

#include "interface/SliderWidget.h"
#include "interface/WSliderCallback.h"

#include <memory>

namespace Velmora::Interface {

/// A horizontal slider for a value 0 … 1: a track and a knob that glides to the value. Dragging
/// sets the value (clamped to the ends), left and right change it by ±0.05; every change the
/// user makes goes to the callback.
class WSlider : public SliderWidget {
public:
    static constexpr double kKeyStep = 0.05;

    /// Clickable and focusable, value 0 (knob at the left end).
    explicit WSlider(std::unique_ptr<WSliderCallback> callback = nullptr);

    /// Sets the value (clamped to 0 … 1; not a number is ignored) and glides the knob there.
    /// Does not call the callback.
    void SetValue(double value);
    double GetValue() const { return mValue; }

    std::unique_ptr<WSliderCallback> mCallback; ///< may be null
    double mValue = 0.0;

protected:
    void OnPointerAt(double fraction) override { ChangeValue(fraction); }
    void OnStep(int direction) override { ChangeValue(mValue + direction * kKeyStep); }

private:
    /// A change made by the user: set, then tell the callback.
    void ChangeValue(double value);
};

} // namespace Velmora::Interface
