#include "WidgetTestSupport.h"

#include "interface/AnimateStyle.h"
#include "interface/Style.h"
#include "interface/WVBox.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace Velmora::Interface {
namespace {

using Tests::FixedWidget;

constexpr Color kRed = Color::FromRgba(255, 0, 0);

// Runs a widget's animations for dt, as its tick event does.
void Tick(Widget& widget, double dt) { widget.mActions.Update(dt); }

TEST(StyleTest, ApplyCopiesOnlyTheFieldsTheOverlayDefines) {
    Style base;
    base.SetAlpha(0.5).SetScalar2(3.0);
    Style over;
    over.SetColor1(kRed).SetOffset(4.0, -2.0);
    over.mScalar2 = 9.0; // not marked: must not be copied
    Apply(base, over);
    EXPECT_DOUBLE_EQ(base.mAlpha, 0.5);
    EXPECT_EQ(base.mColor1, kRed);
    EXPECT_DOUBLE_EQ(base.mScalar2, 3.0);
    EXPECT_DOUBLE_EQ(base.mOffsetX, 4.0);
    EXPECT_DOUBLE_EQ(base.mOffsetY, -2.0);
    EXPECT_EQ(base.mSetFields, Style::kAlpha | Style::kScalar2 | Style::kColor1 | Style::kOffset);
}

TEST(StyleTest, ChildrenInheritWhatTheyDoNotSetFromTheNearestAncestorThatDoes) {
    WVBox outer;
    outer.mStyle.SetAlpha(0.25).SetColor1(kRed);
    auto* inner = outer.Emplace<WVBox>();
    inner->mStyle.SetColor2(Style::kWhite);
    auto* leaf = inner->Emplace<FixedWidget>(10, 10);
    const Style leafStyle = GetEffectiveStyle(*leaf);
    EXPECT_DOUBLE_EQ(leafStyle.mAlpha, 0.25);
    EXPECT_EQ(leafStyle.mColor1, kRed);
    EXPECT_EQ(leafStyle.mColor2, Style::kWhite);
    EXPECT_EQ(leafStyle.mColor3, Style::kGreen); // from the default style
    leaf->mStyle.SetColor1(Style::kCyan);
    EXPECT_EQ(GetEffectiveStyle(*leaf).mColor1, Style::kCyan);
    EXPECT_EQ(GetEffectiveStyle(outer).mColor2, Style::kGreen); // parents see nothing of their children
}

TEST(StyleTest, AnAnimationChangesOnlyTheFieldsItsTargetDefines) {
    FixedWidget widget(10, 10);
    widget.mStyle.SetAlpha(0.5).SetScalar1(2.0);
    const Style before = widget.mStyle;
    Style target;
    target.SetColor2(Style::kCyan);
    Animate(widget, kLaneBehavior, kInterpolateLinear, target, true, 1.0);
    Tick(widget, 0.5);
    EXPECT_EQ(widget.mStyle.mColor2, Color::FromRgba(0, 255, 127));
    Tick(widget, 0.5);
    EXPECT_EQ(widget.mStyle.mColor2, Style::kCyan);
    EXPECT_TRUE(widget.mActions.IsEmpty()); // finished at t = 1
    EXPECT_DOUBLE_EQ(widget.mStyle.mAlpha, before.mAlpha);
    EXPECT_DOUBLE_EQ(widget.mStyle.mScalar1, before.mScalar1);
    EXPECT_EQ(widget.mStyle.mColor1, before.mColor1);
    EXPECT_EQ(widget.mStyle.mColor3, before.mColor3);
    EXPECT_EQ(widget.mStyle.mSetFields, before.mSetFields | Style::kColor2);
}

TEST(StyleTest, CurvesAtHalfTimeAndAtTheEnd) {
    const struct {
        int32_t mInterpolation;
        double mHalf;
        double mEnd;
    } cases[] = {{kInterpolateLinear, 0.5, 1.0},
                 {kInterpolateReverse, 0.5, 0.0},
                 {kInterpolateSine, 0.70710678, 1.0},
                 {kInterpolateCosine, 0.70710678, 0.0}};
    for (const auto& c : cases) {
        FixedWidget widget(10, 10);
        widget.mStyle.SetScalar1(0.0).SetAlpha(1.0);
        Style target;
        target.SetScalar1(1.0).SetOffset(10.0, -10.0);
        Animate(widget, 2, c.mInterpolation, target, false, 2.0);
        Tick(widget, 1.0);
        EXPECT_NEAR(widget.mStyle.mScalar1, c.mHalf, 1e-6) << c.mInterpolation;
        // The offset follows the same straight blend as the scalars.
        EXPECT_NEAR(widget.mStyle.mOffsetX, 10.0 * c.mHalf, 1e-6) << c.mInterpolation;
        EXPECT_NEAR(widget.mStyle.mOffsetY, -10.0 * c.mHalf, 1e-6) << c.mInterpolation;
        Tick(widget, 1.0);
        EXPECT_NEAR(widget.mStyle.mScalar1, c.mEnd, 1e-12) << c.mInterpolation;
        EXPECT_TRUE(widget.mActions.IsEmpty());
    }
}

TEST(StyleTest, AZeroDurationJumpsToTheEndAndAnUnchangedChannelStaysPut) {
    FixedWidget widget(10, 10);
    Style target;
    target.SetColor2(Style::kCyan).SetScalar3(3.0);
    Animate(widget, 1, kInterpolateSine, target, true, 0.0);
    Tick(widget, 0.016);
    EXPECT_EQ(widget.mStyle.mColor2, Style::kCyan);
    EXPECT_DOUBLE_EQ(widget.mStyle.mScalar3, 3.0);
    EXPECT_TRUE(widget.mActions.IsEmpty());

    // Green to cyan keeps green at 255 all the way (no rounding loss) and blue follows sin.
    Style back;
    back.SetColor2(Style::kGreen);
    Animate(widget, 1, kInterpolateSine, back, true, 1.0);
    for (int i = 0; i < 10; ++i) {
        Tick(widget, 0.05);
        EXPECT_EQ(widget.mStyle.mColor2.GetGreen(), 255);
        EXPECT_EQ(widget.mStyle.mColor2.GetAlpha(), 255);
    }
    EXPECT_EQ(widget.mStyle.mColor2.GetBlue(), static_cast<int>(255 * (1.0 - 0.70710678)));
}

TEST(StyleTest, AnAnimationQueuedOrRestartedStartsFromTheValuesReachedSoFar) {
    FixedWidget widget(10, 10);
    Style toCyan;
    toCyan.SetColor2(Style::kCyan);
    Style toGreen;
    toGreen.SetColor2(Style::kGreen);
    Animate(widget, kLaneBehavior, kInterpolateLinear, toCyan, true, 1.0);
    Tick(widget, 0.5);
    const Color reached = widget.mStyle.mColor2;
    ASSERT_EQ(reached, Color::FromRgba(0, 255, 127));
    widget.mActions.RemoveLanes(kLaneBehavior);
    Animate(widget, kLaneBehavior, kInterpolateLinear, toGreen, true, 1.0);
    Tick(widget, 0.25);
    EXPECT_EQ(widget.mStyle.mColor2.GetBlue(), static_cast<int>(127 * 0.75));

    // Queued behind a blocking animation, the next one starts where the first one ended.
    Animate(widget, kLaneBehavior, kInterpolateLinear, toCyan, true, 1.0);
    Tick(widget, 0.75); // the green animation ends; the cyan one waits for the next step
    EXPECT_EQ(widget.mStyle.mColor2, Style::kGreen);
    Tick(widget, 0.5);
    EXPECT_EQ(widget.mStyle.mColor2, Color::FromRgba(0, 255, 127));
}

TEST(StyleTest, AnUnknownInterpolationIsFatal) {
    ::Velmora::Tests::LogCapture log;
    FixedWidget widget(10, 10);
    Animate(widget, 1, 7, Style().SetAlpha(0.0), true, 1.0);
    EXPECT_THROW(Tick(widget, 0.1), ::Velmora::Tests::FatalError);
    EXPECT_TRUE(log.CriticalContains("[ASSERT:1] Fatal Error: Unknown interpolation value 7"));
}

} // namespace
} // namespace Velmora::Interface
