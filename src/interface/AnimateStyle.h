#pragma once

#include "core/Action.h"
#include "interface/Style.h"

#include <cstdint>

namespace Velmora::Interface {

class Widget;

/// Interpolation curves of AnimateStyle: the fraction f of the way from the start to the
/// target at time fraction t (0 … 1).
constexpr int32_t kInterpolateLinear = 0;  ///< f = t
constexpr int32_t kInterpolateReverse = 1; ///< f = 1 − t (ends on the start values)
constexpr int32_t kInterpolateSine = 2;    ///< f = sin(t·π/2): fast, then easing in
constexpr int32_t kInterpolateCosine = 3;  ///< f = cos(t·π/2) (ends on the start values)

/// An animation of a widget's own style towards a target over a duration: an action in the
/// widget's ActionList, advanced by the widget's tick event. The start is taken from the
/// widget's style when the action first runs, so an animation queued behind a blocking one
/// starts from whatever that one left. Only the fields the target defines change, and they
/// become defined in the widget's style.
class AnimateStyle : public Action {
public:
    /// An animation of `widget` (not owned; it owns the list the action lives in).
    AnimateStyle(Widget* widget, uint32_t lanes, int32_t interpolation, const Style& target, bool blocking,
                 double duration);

    /// Blends the start and the target into the widget's style; finished at the duration's end.
    /// An interpolation outside 0 … 3 is fatal ("Unknown interpolation value N").
    bool Update(double dt) override;
    /// Captures the widget's own style as the start.
    void OnStart() override;

    /// The fraction of the way for an interpolation at time fraction t; false for an unknown
    /// interpolation.
    static bool Interpolate(int32_t interpolation, double t, double& f);
    /// Blends the fields `target` defines: start + (target − start)·f for alpha, scalars and
    /// offset (f limited to 0 … 1), per colour channel trunc(target·f + start·(1 − f)).
    static void Blend(const Style& start, const Style& target, double f, Style& out);

    Widget* mWidget;
    Style mStart;
    Style mTarget;
    int32_t mInterpolation;
    double mDuration; ///< seconds; 0 jumps to the end on the first update
};

/// Appends an AnimateStyle of the widget's style to the widget's action list.
/// lanes: the action's lane mask; blocking: whether it holds up later animations on its lanes;
/// duration in seconds. Returns the new action (owned by the list).
AnimateStyle* Animate(Widget& widget, uint32_t lanes, int32_t interpolation, const Style& target, bool blocking,
                      double duration);

} // namespace Velmora::Interface
