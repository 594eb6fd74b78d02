#include "interface/SliderLook.h"

#include "interface/AnimateStyle.h"
#include "interface/Widget.h"
#include "interface/WidgetDrawing.h"

namespace Velmora::Interface {

namespace {
constexpr double kHighlightSeconds = 0.15;
constexpr double kNormalSeconds = 0.35;
constexpr double kHighlightKnob = 2.0;
} // namespace

void AnimateSliderHighlight(Widget& slider, bool highlighted) {
    slider.mActions.RemoveLanes(kLaneBehavior);
    Style target;
    target.SetColor2(highlighted ? Style::kCyan : Style::kGreen).SetScalar2(highlighted ? kHighlightKnob : 1.0);
    Animate(slider, kLaneBehavior, kInterpolateSine, target, true, highlighted ? kHighlightSeconds : kNormalSeconds);
}

void AnimateSliderKnob(Widget& slider, double position) {
    // Only the newest glide matters; older ones would be overwritten every step anyway.
    slider.mActions.RemoveLanes(kLaneMovement);
    Style target;
    target.SetScalar1(position);
    Animate(slider, kLaneMovement, kInterpolateSine, target, false, kSliderKnobSeconds);
}

void DrawSlider(const Widget& slider, Graphics::Renderer& renderer, int layer) {
    const Style style = GetEffectiveStyle(slider);
    if (!(style.mAlpha > 0.0)) return;
    const double x = slider.GetAbsoluteX();
    const double y = slider.GetAbsoluteY();
    const double width = slider.GetAreaWidth();
    const uint32_t frame = WithOpacity(style.mColor2, style.mAlpha);
    DrawFramedBox(renderer, layer, x, y + 22.0, x + width, y + 32.0, 4.0, frame,
                  WithOpacity(style.mColor2, style.mAlpha * 0.5));
    const double knobX = x + (width - 10.0) * style.mScalar1 + 5.0;
    DrawFramedBox(renderer, layer, knobX - 5.0, y + 15.0 - 5.0 * style.mScalar2, knobX + 5.0,
                  y + 35.0 + 5.0 * style.mScalar2, 4.0 * style.mScalar3, frame, WithOpacity(Style::kBlack, style.mAlpha));
}

} // namespace Velmora::Interface
