#include "interface/AnimateStyle.h"

#include "core/LogRecord.h"
#include "interface/Widget.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Velmora::Interface {

namespace {

double Mix(double start, double target, double fraction) { return start + (target - start) * fraction; }

// Per channel: trunc(target·f + start·(1 − f)). The small bias keeps a channel that does not
// change (255 → 255) from losing one step to rounding in the blend.
uint8_t MixChannel(uint8_t start, uint8_t target, double f) {
    const double value = target * f + start * (1.0 - f) + 1e-9;
    return static_cast<uint8_t>(std::clamp(value, 0.0, 255.0));
}

Color MixColor(Color start, Color target, double f) {
    return Color::FromRgba(
        MixChannel(start.GetRed(), target.GetRed(), f), MixChannel(start.GetGreen(), target.GetGreen(), f),
        MixChannel(start.GetBlue(), target.GetBlue(), f), MixChannel(start.GetAlpha(), target.GetAlpha(), f));
}

} // namespace

AnimateStyle::AnimateStyle(Widget* widget, uint32_t lanes, int32_t interpolation, const Style& target, bool blocking,
                           double duration)
    : Action(lanes, blocking), mWidget(widget), mTarget(target), mInterpolation(interpolation), mDuration(duration) {}

void AnimateStyle::OnStart() { mStart = mWidget->mStyle; }

bool AnimateStyle::Interpolate(int32_t interpolation, double t, double& f) {
    switch (interpolation) {
        case kInterpolateLinear:
            f = t;
            return true;
        case kInterpolateReverse:
            f = 1.0 - t;
            return true;
        case kInterpolateSine:
            f = std::sin(t * std::numbers::pi / 2.0);
            return true;
        case kInterpolateCosine:
            f = std::cos(t * std::numbers::pi / 2.0);
            return true;
        default:
            return false;
    }
}

bool AnimateStyle::Update(double) {
    // A duration of 0 (or less, or not a number) means: jump to the end.
    const double t = mDuration > 0.0 ? std::min(mElapsed / mDuration, 1.0) : 1.0;
    double f = 0.0;
    if (!Interpolate(mInterpolation, t, f)) {
        VELMORA_FATAL << "Unknown interpolation value " << mInterpolation;
        return true; // only reached when the fatal handler returns (fuzzing): drop the animation
    }
    Blend(mStart, mTarget, f, mWidget->mStyle);
    return t >= 1.0;
}

void AnimateStyle::Blend(const Style& start, const Style& target, double f, Style& out) {
    const uint32_t set = target.mSetFields;
    const double fc = std::clamp(f, 0.0, 1.0);
    if (set & Style::kAlpha) out.mAlpha = Mix(start.mAlpha, target.mAlpha, fc);
    if (set & Style::kColor1) out.mColor1 = MixColor(start.mColor1, target.mColor1, fc);
    if (set & Style::kColor2) out.mColor2 = MixColor(start.mColor2, target.mColor2, fc);
    if (set & Style::kColor3) out.mColor3 = MixColor(start.mColor3, target.mColor3, fc);
    if (set & Style::kScalar1) out.mScalar1 = Mix(start.mScalar1, target.mScalar1, fc);
    if (set & Style::kScalar2) out.mScalar2 = Mix(start.mScalar2, target.mScalar2, fc);
    if (set & Style::kScalar3) out.mScalar3 = Mix(start.mScalar3, target.mScalar3, fc);
    if (set & Style::kOffset) {
        out.mOffsetX = Mix(start.mOffsetX, target.mOffsetX, fc);
        out.mOffsetY = Mix(start.mOffsetY, target.mOffsetY, fc);
    }
    out.mSetFields |= set;
}

AnimateStyle* Animate(Widget& widget, uint32_t lanes, int32_t interpolation, const Style& target, bool blocking,
                      double duration) {
    auto* action = new AnimateStyle(&widget, lanes, interpolation, target, blocking, duration);
    widget.mActions.PushBack(action);
    return action;
}

} // namespace Velmora::Interface
