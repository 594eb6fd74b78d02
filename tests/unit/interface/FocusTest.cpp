#include "WidgetTestSupport.h"

#include "interface/WField.h"
#include "interface/WVBox.h"
#include "interface/WidgetTree.h"

#include <gtest/gtest.h>

namespace Velmora::Interface {
namespace {

using Tests::FixedContainer;
using Tests::FixedWidget;
using Tests::RootFixture;
using Kinds = std::vector<int32_t>;

constexpr uint8_t kFocusable = Widget::kFocusable;

TEST(FocusTest, ATreeWithoutFocusableWidgetsKeepsNoFocusAndIgnoresNavigation) {
    RootFixture f;
    auto* box = f.mRoot.Add(std::make_unique<WVBox>());
    box->Emplace<FixedWidget>(10, 10);
    f.Frame(0.1);
    EXPECT_EQ(f.mRoot.GetFocus(), nullptr);
    EXPECT_FALSE(f.Tap(SDLK_DOWN));
    EXPECT_FALSE(f.Tap(SDLK_RETURN));
    EXPECT_EQ(f.mRoot.GetFocus(), nullptr);
}

TEST(FocusTest, SearchesPreferDescendantsAndNeverWrapOrClimb) {
    WField field(100, 100);
    auto* first = field.Emplace<FixedWidget>(10, 10, kFocusable);
    field.Emplace<FixedWidget>(10, 10); // a label
    auto* group = field.Emplace<FixedContainer>(10, 10, kFocusable);
    auto* inner1 = group->Emplace<FixedWidget>(10, 10, kFocusable);
    auto* inner2 = group->Emplace<FixedWidget>(10, 10, kFocusable);
    auto* last = field.Emplace<FixedWidget>(10, 10, kFocusable);

    EXPECT_EQ(FindFirstFocusable(field), first);
    EXPECT_EQ(FindLastFocusable(field), last);
    EXPECT_EQ(FindFirstFocusable(*group), inner1);
    // A focusable sibling is the answer itself; its children are not searched first.
    EXPECT_EQ(NextFocusable(*first), group);
    EXPECT_EQ(PreviousFocusable(*last), group);
    EXPECT_EQ(NextFocusable(*inner1), inner2);
    EXPECT_EQ(NextFocusable(*inner2), nullptr); // no climbing to the group's siblings
    EXPECT_EQ(NextFocusable(*last), nullptr);   // no wrapping
    EXPECT_EQ(PreviousFocusable(*first), nullptr);
    EXPECT_EQ(NextFocusable(field), nullptr); // no parent

    // A non-focusable group is searched; a disabled one is skipped with all it holds.
    group->mState = 0;
    EXPECT_EQ(NextFocusable(*first), inner1);
    EXPECT_EQ(PreviousFocusable(*last), inner2);
    EXPECT_EQ(FindLastFocusable(field), last);
    group->mState = Widget::kDisabled;
    EXPECT_EQ(NextFocusable(*first), last);
    last->mState |= Widget::kDisabled;
    EXPECT_EQ(NextFocusable(*first), nullptr);
    EXPECT_EQ(FindLastFocusable(field), first);
}

TEST(FocusTest, FocusChangesTellTheOldAndTheNewFocusAndTheirSubtrees) {
    RootFixture f;
    auto* a = f.mRoot.Add(std::make_unique<FixedWidget>(10, 10, kFocusable));
    auto* group = f.mRoot.Add(std::make_unique<FixedContainer>(10, 10, kFocusable));
    auto* child = group->Emplace<FixedWidget>(10, 10);
    f.Frame(0.1); // nothing focused: the first focusable widget gets the focus
    EXPECT_EQ(f.mRoot.GetFocus(), a);
    EXPECT_TRUE(a->HasState(Widget::kFocused));
    f.Tap(SDLK_DOWN);
    EXPECT_EQ(f.mRoot.GetFocus(), group);
    EXPECT_EQ(a->mEvents, (Kinds{WidgetEvent::kFocusGained, WidgetEvent::kFocusLost}));
    EXPECT_EQ(child->mEvents, (Kinds{WidgetEvent::kFocusGained})); // broadcast from the new focus
    EXPECT_TRUE(child->HasState(Widget::kFocused));
    EXPECT_FALSE(a->HasState(Widget::kFocused));
    EXPECT_FALSE(f.Tap(SDLK_DOWN)); // nothing after it
    EXPECT_TRUE(f.Tap(SDLK_UP));
    EXPECT_EQ(f.mRoot.GetFocus(), a);
}

TEST(FocusTest, DisablingTheContainerThatHoldsTheFocusMovesItAndUnhoversTheSubtree) {
    RootFixture f;
    auto* panel = f.mRoot.Add(std::make_unique<FixedContainer>(200, 100));
    auto* inside = panel->Emplace<FixedWidget>(50, 50, kFocusable);
    auto* elsewhere = f.mRoot.Add(std::make_unique<FixedWidget>(10, 10, kFocusable));
    elsewhere->mX = 500;
    f.mInput.SetMousePosition(10, 10); // over `inside`
    f.Frame(0.1);
    ASSERT_EQ(f.mRoot.GetFocus(), inside);
    ASSERT_TRUE(inside->HasState(Widget::kHovered));
    inside->mEvents.clear();
    f.mRoot.SetDisabled(*panel, true);
    EXPECT_EQ(f.mRoot.GetFocus(), elsewhere);
    EXPECT_EQ(inside->mEvents, (Kinds{WidgetEvent::kMouseLeave, WidgetEvent::kFocusLost}));
    EXPECT_FALSE(inside->IsEnabled());
    // A disabled subtree takes no hover and no click, and stays out of the focus order.
    f.mInput.SetMousePosition(20, 20);
    f.Frame();
    EXPECT_FALSE(inside->HasState(Widget::kHovered));
    f.mRoot.SetFocus(nullptr);
    EXPECT_EQ(f.mRoot.GetFocus(), elsewhere);
    f.mRoot.SetDisabled(*panel, false);
    f.mRoot.SetFocus(nullptr);
    EXPECT_EQ(f.mRoot.GetFocus(), inside);
}

TEST(FocusTest, MouseEntersAndLeavesOnlyEnabledWidgets) {
    RootFixture f;
    auto* w = f.mRoot.Add(std::make_unique<FixedWidget>(20, 20));
    w->mX = 100;
    w->mY = 100;
    f.mInput.SetMousePosition(105, 119.5);
    f.Frame();
    f.mInput.SetMousePosition(120, 110); // the right edge is outside
    f.Frame();
    EXPECT_EQ(w->mEvents, (Kinds{WidgetEvent::kMouseEnter, WidgetEvent::kMouseLeave}));
    w->mState |= Widget::kDisabled;
    f.mInput.SetMousePosition(110, 110);
    f.Frame();
    EXPECT_FALSE(w->HasState(Widget::kHovered));
}

} // namespace
} // namespace Velmora::Interface
