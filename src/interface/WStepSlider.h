#pragma once

#include "interface/SliderWidget.h"
#include "interface/WStepSliderCallback.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace Velmora::Interface {

/// A slider over a fixed number of steps (indices 0 … count − 1), drawn and driven like
/// WSlider: dragging picks the nearest step, left and right move one step; every change the
/// user makes goes to the callback. The knob glides to index / (count − 1).
class WStepSlider : public SliderWidget {
public:
    /// Clickable and focusable, index 0. stepCount: number of steps (at least 1).
    explicit WStepSlider(int32_t stepCount, std::unique_ptr<WStepSliderCallback> callback = nullptr);

    /// Sets the index (clamped to 0 … count − 1) and glides the knob there; no callback.
    void SetIndex(int32_t index);
    /// The current step and the number of steps.
    int32_t GetIndex() const { return mIndex; }
    int32_t GetStepCount() const { return mStepCount; }

    std::unique_ptr<WStepSliderCallback> mCallback; ///< may be null
    int32_t mIndex = 0;
    int32_t mStepCount;

protected:
    /// The step under the pointer: floor(count · fraction + 0.5), at most count − 1.
    void OnPointerAt(double fraction) override;
    /// One step, stopping at the ends.
    void OnStep(int direction) override { ChangeIndex(std::clamp(mIndex + direction, 0, mStepCount - 1)); }

private:
    /// A change made by the user: set, then tell the callback when the index changed.
    void ChangeIndex(int32_t index);
};

} // namespace Velmora::Interface
