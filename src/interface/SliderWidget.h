#pragma once

#include "interface/Widget.h"
#include "interface/WidgetLook.h"

#include <cstdint>
#include <optional>

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Interface {

/// What WSlider and WStepSlider share: the look, the size and the pointer and key handling.
/// The knob's position is the style's scalar 1 (0 … 1), its height factor scalar 2 and its frame
/// factor scalar 3; colour 2 draws both the track and the knob's frame. Focused, the knob grows
/// and turns cyan. Press on it and drag to move it, or use left and right while it has the focus.
/// Size: 0 × 0 of its own unless SetSize gives it one; a box layout or the screen gives it its
/// area through the minimum size. The drawing needs about 40 pixels of height.
class SliderWidget : public Widget {
public:
    /// Seconds the knob takes to glide to a new value.
    static constexpr double kKnobSeconds = 0.2;

    int32_t GetWidth() const override { return mWidth; }
    int32_t GetHeight() const override { return mHeight; }
    /// The track (from y + 22 to y + 32, the area's width) and the knob (10 pixels wide, centred
    /// at (W − 10)·scalar 1 + 5, from y + 15 − 5·scalar 2 to y + 35 + 5·scalar 2), on the layer.
    void Render(Graphics::Renderer& renderer, int layer) override;
    void OnEvent(WidgetEvent& event) override;

    /// Whether a press on it is being dragged.
    bool IsDragging() const { return mDragging; }
    /// Gives the slider a look of its own (see WidgetLook): frames in colour 2, the track and
    /// the knob filled with colour 3, the highlight face while focused; the track's frame is
    /// then thin.
    void SetLook(const WidgetLook& look);
    /// Gives the slider an own size in pixels.
    void SetSize(int32_t width, int32_t height) {
        mWidth = width;
        mHeight = height;
    }

    bool mDragging = false;
    std::optional<WidgetLook> mLook;
    int32_t mWidth = 0;
    int32_t mHeight = 0;

protected:
    /// Clickable and focusable, knob at the left end.
    SliderWidget();

    /// The user pressed or dragged at this fraction (0 … 1) of the track.
    virtual void OnPointerAt(double fraction) = 0;
    /// The user pressed right (+1) or left (−1) while focused.
    virtual void OnStep(int direction) = 0;
    /// Glides the knob (scalar 1) to a position 0 … 1 on the movement lane over kKnobSeconds.
    void MoveKnob(double position);

private:
    /// Replaces the running highlight animation: focused — colour 2 cyan and a knob twice as
    /// tall over 0.15 s; normal — green and 1.0 over 0.35 s.
    void AnimateHighlight(bool highlighted);
    Style HighlightTarget(bool highlighted) const;
    /// The pointer's fraction of the area's width at a window x, clamped; false without width.
    bool FractionAt(double x, double& fraction) const;
    void PointerAt(double x);
};

} // namespace Velmora::Interface
