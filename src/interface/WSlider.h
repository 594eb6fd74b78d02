#pragma once

#include "interface/WSliderCallback.h"
#include "interface/Widget.h"

#include <memory>

namespace Velmora::Interface {

/// A horizontal slider for a value 0 … 1: a track and a knob that glides to the value. Press
/// on it and drag to set the value (clamped to the ends), or use left and right (±0.05) while
/// it has the focus; every change the user makes goes to the callback. Focused, the knob grows
/// and turns cyan.
/// Size: 0 × 0 of its own unless SetSize gives it one; a box layout or the screen gives it
/// its area through the minimum size. The drawing needs about 40 pixels of height.
class WSlider : public Widget {
public:
    static constexpr double kKeyStep = 0.05;

    /// Clickable and focusable, value 0 (knob at the left end).
    explicit WSlider(std::unique_ptr<WSliderCallback> callback = nullptr);

    int32_t GetWidth() const override { return mWidth; }
    int32_t GetHeight() const override { return mHeight; }
    /// Track and knob on the layer.
    void Render(Graphics::Renderer& renderer, int layer) override;
    void OnEvent(WidgetEvent& event) override;

    /// Sets the value (clamped to 0 … 1; not a number is ignored) and glides the knob there.
    /// Does not call the callback.
    void SetValue(double value);
    /// The current value and whether a press on it is being dragged.
    double GetValue() const { return mValue; }
    bool IsDragging() const { return mDragging; }
    /// Gives the slider an own size in pixels.
    void SetSize(int32_t width, int32_t height) {
        mWidth = width;
        mHeight = height;
    }

    std::unique_ptr<WSliderCallback> mCallback;  ///< may be null
    double mValue = 0.0;
    bool mDragging = false;
    int32_t mWidth = 0;
    int32_t mHeight = 0;

private:
    /// A change made by the user: set, then tell the callback.
    void ChangeValue(double value);
    /// The value under a window x: the fraction of the area's width, clamped.
    double ValueAt(double x) const;
};

} // namespace Velmora::Interface
