#include "interface/SliderWidget.h"

#include "interface/AnimateStyle.h"
#include "interface/WidgetDrawing.h"

#include <algorithm>

namespace Velmora::Interface {

namespace {
constexpr double kHighlightSeconds = 0.15;
constexpr double kNormalSeconds = 0.35;
constexpr double kHighlightKnob = 2.0;
} // namespace

SliderWidget::SliderWidget() {
    mState = kClickable | kFocusable;
    mStyle.SetScalar1(0.0);
}

void SliderWidget::OnEvent(WidgetEvent& event) {
    switch (event.mKind) {
    case WidgetEvent::kMouseDown:
        if (IsEnabled() && IsInside(event.mX, event.mY)) {
            mDragging = true;
            PointerAt(event.mX);
            event.mHandled = 1;
        }
        break;
    case WidgetEvent::kMouseMove:
        if (mDragging) PointerAt(event.mX);
        break;
    case WidgetEvent::kMouseUp:
        if (!mDragging) break;
        mDragging = false;
        if (!HasState(kHovered | kFocused)) AnimateHighlight(false);
        break;
    case WidgetEvent::kIncrease:
    case WidgetEvent::kDecrease:
        OnStep(event.mKind == WidgetEvent::kIncrease ? 1 : -1);
        event.mHandled = 1;
        break;
    case WidgetEvent::kFocusGained: AnimateHighlight(true); break;
    case WidgetEvent::kFocusLost:
        if (!mDragging) AnimateHighlight(false);
        break;
    default: break;
    }
}

void SliderWidget::PointerAt(double x) {
    double fraction = 0.0;
    if (FractionAt(x, fraction)) OnPointerAt(fraction);
}

bool SliderWidget::FractionAt(double x, double& fraction) const {
    const int32_t width = GetAreaWidth();
    if (width <= 0) return false;
    fraction = std::clamp((x - GetAbsoluteX()) / width, 0.0, 1.0);
    return true;
}

Style SliderWidget::HighlightTarget(bool highlighted) const {
    Style target;
    target.SetScalar2(highlighted ? kHighlightKnob : 1.0);
    if (!mLook) return target.SetColor2(highlighted ? Style::kCyan : Style::kGreen);
    const WidgetLook::Face& face = highlighted ? mLook->mHighlight : mLook->mNormal;
    return target.SetColor2(face.mFrame).SetColor3(face.mFill).SetScalar3(face.mFrameScale);
}

void SliderWidget::AnimateHighlight(bool highlighted) {
    mActions.RemoveLanes(kLaneBehavior);
    Animate(*this, kLaneBehavior, kInterpolateSine, HighlightTarget(highlighted), true,
            highlighted ? kHighlightSeconds : kNormalSeconds);
}

void SliderWidget::SetLook(const WidgetLook& look) {
    mLook = look;
    Apply(mStyle, HighlightTarget(HasState(kFocused)));
}

void SliderWidget::MoveKnob(double position) {
    // Only the newest glide matters; older ones would be overwritten every step anyway.
    mActions.RemoveLanes(kLaneMovement);
    Style target;
    target.SetScalar1(position);
    Animate(*this, kLaneMovement, kInterpolateSine, target, false, kKnobSeconds);
}

void SliderWidget::Render(Graphics::Renderer& renderer, int layer) {
    const Style style = GetEffectiveStyle(*this);
    if (!(style.mAlpha > 0.0)) return;
    const double x = GetAbsoluteX();
    const double y = GetAbsoluteY();
    const double width = GetAreaWidth();
    const uint32_t frame = WithOpacity(style.mColor2, style.mAlpha);
    const uint32_t trackFill = mLook ? WithOpacity(style.mColor3, style.mAlpha * mLook->mFillOpacity)
                                     : WithOpacity(style.mColor2, style.mAlpha * 0.5);
    DrawFramedBox(renderer, layer, x, y + 22.0, x + width, y + 32.0, mLook ? 1.0 : 4.0, frame, trackFill);
    const double knobX = x + (width - 10.0) * style.mScalar1 + 5.0;
    const uint32_t knobFill = mLook ? WithOpacity(style.mColor2, style.mAlpha) : WithOpacity(Style::kBlack, style.mAlpha);
    DrawFramedBox(renderer, layer, knobX - 5.0, y + 15.0 - 5.0 * style.mScalar2, knobX + 5.0,
                  y + 35.0 + 5.0 * style.mScalar2, 4.0 * style.mScalar3, frame, knobFill);
}

} // namespace Velmora::Interface
