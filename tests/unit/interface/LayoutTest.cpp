#include "WidgetTestSupport.h"

#include "graphics/Font.h"
#include "interface/WButton.h"
#include "interface/WField.h"
#include "interface/WHBox.h"
#include "interface/WLabel.h"
#include "interface/WSelector.h"
#include "interface/WVBox.h"
#include "support/GraphicsFixtures.h"

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
    EXPECT_GT(top->mLayouts, 0);

    // A wider minimum stretches every child to the inner width.
    box.mMinWidth = 100;
    box.Layout();
    EXPECT_EQ(top->mMinWidth, 94);
    EXPECT_EQ(box.GetWidth(), 100);
    EXPECT_EQ(WVBox(4, 7).GetHeight(), 14); // empty: just the margins
}

TEST(LayoutTest, AHorizontalBoxLinesItsChildrenUpLeftToRight) {
    WHBox box(4, 1);
    auto* left = box.Emplace<FixedWidget>(30, 10);
    auto* right = box.Emplace<FixedWidget>(20, 25);
    EXPECT_EQ(box.GetWidth(), 1 * 2 + 30 + 20 + 4);
    EXPECT_EQ(box.GetHeight(), 1 * 2 + 25);
    EXPECT_EQ(PlacementOf(*left), (Placed{1, 1, 0, 25}));
    EXPECT_EQ(PlacementOf(*right), (Placed{35, 1, 0, 25}));
    box.mMinHeight = 40;
    box.Layout();
    EXPECT_EQ(left->mMinHeight, 38);
    EXPECT_EQ(WHBox(4, 2).GetWidth(), 4);
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
    WButton empty;
    EXPECT_EQ(empty.GetWidth(), 0);
    EXPECT_EQ(empty.GetHeight(), 0);

    WButton button(nullptr, 10);
    auto* child = button.Emplace<FixedWidget>(40, 12);
    EXPECT_EQ(button.GetWidth(), 60);
    EXPECT_EQ(button.GetHeight(), 32);
    EXPECT_EQ(PlacementOf(*child), (Placed{10, 10, 0, 0}));
    button.mMinWidth = 100;
    button.Layout();
    EXPECT_EQ(child->mMinWidth, 80);
    EXPECT_EQ(button.GetWidth(), 100);

    // A label sizes itself by its font.
    Graphics::Font font;
    font.Parse(::Velmora::Tests::FixtureFontDescription(), 64, 32);
    auto labelled = std::make_unique<WButton>(nullptr, 5);
    labelled->AddChild(std::make_unique<WLabel>("AV", &font));
    EXPECT_EQ(labelled->GetWidth(), 9 + 9 - 2 + 10);
    EXPECT_EQ(labelled->GetHeight(), 12 + 10);
}

TEST(LayoutTest, ASelectorRowsItsButtonsAroundTheOption) {
    WSelector selector(nullptr, std::make_unique<FixedWidget>(40, 20));
    const int32_t minus = selector.mMinus->GetAreaWidth();
    const int32_t plus = selector.mPlus->GetAreaWidth();
    Widget* option = selector.GetOption();
    EXPECT_EQ(selector.GetWidth(), minus + 10 + 40 + 10 + plus);
    EXPECT_DOUBLE_EQ(option->mX, minus + 10);
    EXPECT_DOUBLE_EQ(selector.mPlus->mX, minus + 10 + 40 + 10);
    EXPECT_EQ(option->mMinHeight, 20);
    // The row's minimum width goes to the option.
    selector.mMinWidth = minus + plus + 20 + 100;
    selector.Layout();
    EXPECT_EQ(option->mMinWidth, 100);
    EXPECT_DOUBLE_EQ(selector.mPlus->mX, minus + 10 + 100 + 10);
    // "-", option, "+" for events and focus searches; only the selector takes the focus.
    ASSERT_EQ(selector.GetChildCount(), 3u);
    EXPECT_EQ(selector.GetChild(0), selector.mMinus.get());
    EXPECT_EQ(selector.GetChild(1), option);
    EXPECT_EQ(selector.GetChild(2), selector.mPlus.get());
    EXPECT_TRUE(selector.CanFocus());
    EXPECT_FALSE(selector.mPlus->CanFocus());
}

} // namespace
} // namespace Velmora::Interface
