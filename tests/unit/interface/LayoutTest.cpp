// Layout of the toolkit's boxes and rows, and styles with their animations.
#include "WidgetTestSupport.h"

#include "interface/AnimateStyle.h"
#include "interface/Style.h"
#include "interface/WButton.h"
#include "interface/WField.h"
#include "interface/WHBox.h"
#include "interface/WSelector.h"
#include "interface/WVBox.h"

#include <gtest/gtest.h>

namespace Velmora::Interface {
namespace {

using Tests::FixedWidget;

struct Placed {
    double mX;
    double mY;
    int32_t mMinWidth;
    int32_t mMinHeight;
    bool operator==(const Placed&) const = default;
};

Placed PlacementOf(const Widget& w) { return {w.mX, w.mY, w.mMinWidth, w.mMinHeight}; }

TEST(LayoutTest, AVerticalBoxStacksItsChildrenFirstOnTop) {
    WVBox box(2, 3);
    auto* top = box.Emplace<FixedWidget>(30, 10);
    auto* middle = box.Emplace<FixedWidget>(50, 20);
    auto* bottom = box.Emplace<FixedWidget>(40, 5);
    EXPECT_EQ(box.GetWidth(), 3 * 2 + 50);
    EXPECT_EQ(box.GetHeight(), 3 * 2 + 10 + 20 + 5 + 2 * 2);
    EXPECT_EQ(PlacementOf(*bottom), (Placed{3, 3, 50, 0}));
    EXPECT_EQ(PlacementOf(*middle), (Placed{3, 10, 50, 0}));
    EXPECT_EQ(PlacementOf(*top), (Placed{3, 32, 50, 0}));

    // A wider minimum stretches every child to the inner width.
    box.mMinWidth = 100;
    box.Layout();
    EXPECT_EQ(top->mMinWidth, 94);
    EXPECT_EQ(box.GetWidth(), 100);
    EXPECT_EQ(WVBox(4, 7).GetHeight(), 14); // empty: just the margins
}

TEST(LayoutTest, NestedBoxesAndAbsolutePositionsWithStyleOffsets) {
    WField field(800, 600);
    auto* column = field.Emplace<WVBox>(0, 5);
    column->mX = 100;
    column->mY = 200;
    auto* row = column->Emplace<WHBox>(2, 0);
    auto* a = row->Emplace<FixedWidget>(10, 10);
    auto* b = row->Emplace<FixedWidget>(10, 30);
    column->Layout();
    EXPECT_DOUBLE_EQ(b->GetAbsoluteX(), 100 + 5 + 12);
    EXPECT_DOUBLE_EQ(b->GetAbsoluteY(), 200 + 5);
    EXPECT_TRUE(a->IsInside(105, 205));
    EXPECT_TRUE(a->IsInside(114.9, 234.9)); // stretched to the row's height
    EXPECT_FALSE(a->IsInside(115, 220));
    column->mStyle.SetOffset(-50, 10);
    EXPECT_DOUBLE_EQ(a->GetAbsoluteX(), 55);
    EXPECT_DOUBLE_EQ(a->GetAbsoluteY(), 215);
    EXPECT_FALSE(a->IsInside(105, 205));
}

TEST(LayoutTest, AButtonFramesItsChildAndPassesItsMinimumOn) {
    WButton button(nullptr, 10);
    auto* child = button.Emplace<FixedWidget>(40, 12);
    EXPECT_EQ(button.GetWidth(), 60);
    EXPECT_EQ(button.GetHeight(), 32);
    EXPECT_EQ(PlacementOf(*child), (Placed{10, 10, 0, 0}));
    button.mMinWidth = 100;
    button.Layout();
    EXPECT_EQ(child->mMinWidth, 80);
    EXPECT_EQ(button.GetWidth(), 100);
}

TEST(LayoutTest, ASelectorRowsItsButtonsAroundTheOption) {
    WSelector selector(nullptr, std::make_unique<FixedWidget>(40, 20));
    const int32_t minus = selector.mMinus->GetAreaWidth();
    const int32_t plus = selector.mPlus->GetAreaWidth();
    Widget* option = selector.GetOption();
    EXPECT_EQ(selector.GetWidth(), minus + 10 + 40 + 10 + plus);
    EXPECT_DOUBLE_EQ(option->mX, minus + 10);
    EXPECT_DOUBLE_EQ(selector.mPlus->mX, minus + 10 + 40 + 10);
    // The row's minimum width goes to the option.
    selector.mMinWidth = minus + plus + 20 + 100;
    selector.Layout();
    EXPECT_EQ(option->mMinWidth, 100);
    EXPECT_DOUBLE_EQ(selector.mPlus->mX, minus + 10 + 100 + 10);
}

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
    Tick(widget, 1.0);
    EXPECT_EQ(widget.mStyle.mColor2, Style::kCyan);
    EXPECT_TRUE(widget.mActions.IsEmpty()); // finished at t = 1
    EXPECT_DOUBLE_EQ(widget.mStyle.mAlpha, before.mAlpha);
    EXPECT_EQ(widget.mStyle.mColor1, before.mColor1);
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
        EXPECT_NEAR(widget.mStyle.mOffsetY, -10.0 * c.mHalf, 1e-6) << c.mInterpolation; // as the scalars
        Tick(widget, 1.0);
        EXPECT_NEAR(widget.mStyle.mScalar1, c.mEnd, 1e-12) << c.mInterpolation;
        EXPECT_TRUE(widget.mActions.IsEmpty());
    }
    // A zero duration jumps to the end in the first step.
    FixedWidget widget(10, 10);
    Animate(widget, 1, kInterpolateSine, Style().SetScalar3(3.0), true, 0.0);
    Tick(widget, 0.016);
    EXPECT_DOUBLE_EQ(widget.mStyle.mScalar3, 3.0);
    EXPECT_TRUE(widget.mActions.IsEmpty());
}

TEST(StyleTest, AQueuedAnimationStartsWhereTheOneBeforeItEnded) {
    FixedWidget widget(10, 10);
    widget.mStyle.SetColor2(Style::kCyan);
    Style toCyan;
    toCyan.SetColor2(Style::kCyan);
    Animate(widget, kLaneBehavior, kInterpolateLinear, Style().SetColor2(Style::kGreen), true, 1.0);
    Animate(widget, kLaneBehavior, kInterpolateLinear, toCyan, true, 1.0);
    Tick(widget, 1.0); // the green animation ends; the cyan one waits for the next step
    EXPECT_EQ(widget.mStyle.mColor2, Style::kGreen);
    Tick(widget, 0.5);
    EXPECT_EQ(widget.mStyle.mColor2, Color::FromRgba(0, 255, 127));
}

} // namespace
} // namespace Velmora::Interface
