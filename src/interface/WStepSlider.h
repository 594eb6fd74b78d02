#pragma once

#include "interface/WStepSliderCallback.h"
#include "interface/Widget.h"

#include <cstdint>
#include <memory>

namespace Velmora::Interface {

/// A slider over a fixed number of steps (indices 0 … count − 1), drawn and driven like
/// WSlider: press and drag, or left and right (one step) while focused; every change the user
/// makes goes to the callback. The knob glides to index / (count − 1).
/// Size: 0 × 0 of its own unless SetSize gives it one (see WSlider).
class WStepSlider : public Widget {
public:
    /// Clickable and focusable, index 0. stepCount: number of steps (at least 1).
    explicit WStepSlider(int32_t stepCount, std::unique_ptr<WStepSliderCallback> callback = nullptr);

    int32_t GetWidth() const override { return mWidth; }
    int32_t GetHeight() const override { return mHeight; }
    /// Track and knob on the layer.
    void Render(Graphics::Renderer& renderer, int layer) override;
    void OnEvent(WidgetEvent& event) override;

    /// Sets the index (clamped to 0 … count − 1) and glides the knob there; no callback.
    void SetIndex(int32_t index);
    /// The current step, the number of steps, and whether a press on it is being dragged.
    int32_t GetIndex() const { return mIndex; }
    int32_t GetStepCount() const { return mStepCount; }
    bool IsDragging() const { return mDragging; }
    /// Gives the slider an own size in pixels.
    void SetSize(int32_t width, int32_t height) {
        mWidth = width;
        mHeight = height;
    }

    std::unique_ptr<WStepSliderCallback> mCallback;  ///< may be null
    int32_t mIndex = 0;
    int32_t mStepCount;
    bool mDragging = false;
    int32_t mWidth = 0;
    int32_t mHeight = 0;

private:
    /// A change made by the user: set, then tell the callback when the index changed.
    void ChangeIndex(int32_t index);
    /// The step under a window x: floor(count · fraction + 0.5), at most count − 1.
    int32_t IndexAt(double x) const;
};

} // namespace Velmora::Interface
