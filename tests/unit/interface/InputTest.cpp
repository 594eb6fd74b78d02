// Input and focus in a widget tree: keys, mouse and pad, and where the focus goes.
#include "WidgetTestSupport.h"

#include "audio/AudioManager.h"
#include "interface/WButton.h"
#include "interface/WButtonCallbackFunction.h"
#include "interface/WButtonCallbackLambda.h"
#include "interface/WField.h"
#include "interface/WSelector.h"
#include "interface/WSlider.h"
#include "interface/WStepSlider.h"
#include "interface/WVBox.h"
#include "interface/WidgetTree.h"

#include <gtest/gtest.h>

#include <numbers>

namespace Velmora::Interface {
namespace {

using Tests::FixedContainer;
using Tests::FixedWidget;
using Tests::RootFixture;
using Kinds = std::vector<int32_t>;

constexpr double kUp = std::numbers::pi / 2.0;

// A 100 × 40 button at (100, 100) whose callback counts its calls.
WButton* AddCountingButton(RootFixture& f, int& calls) {
    auto button = std::make_unique<WButton>(WButtonCallbackLambda::Make([&calls](WButton&) { ++calls; }), 10);
    button->AddChild(std::make_unique<FixedWidget>(80, 20));
    button->mX = 100;
    button->mY = 100;
    return f.mRoot.Add(std::move(button));
}

// Records what a slider's callback is told.
template <typename Callback, typename T>
class Recorder : public Callback {
public:
    explicit Recorder(std::vector<T>& values) : mValues(values) {}
    void OnChange(T value) override { mValues.push_back(value); }
    std::vector<T>& mValues;
};

TEST(InputTest, EnterAndPadAActivateTheFocusedButtonButNotWithAltOrCtrlHeld) {
    RootFixture f;
    int calls = 0;
    f.mRoot.Add(std::make_unique<WButton>(
        std::make_unique<WButtonCallbackFunction>([](WButton&, void* user) { ++*static_cast<int*>(user); }, &calls)));
    f.Frame();
    for (const int modifier : {SDLK_LALT, SDLK_RALT, SDLK_LCTRL, SDLK_RCTRL}) {
        f.mInput.SetKey(modifier, true);
        f.Tap(SDLK_RETURN);
        f.Tap(SDLK_KP_ENTER);
        f.mInput.SetKey(modifier, false);
        f.Frame();
    }
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(f.Tap(SDLK_RETURN));
    EXPECT_TRUE(f.Tap(SDLK_KP_ENTER));
    f.Frame(0.0, PadInput{true, 0.0, 0.0, true});
    EXPECT_EQ(calls, 3);
}

TEST(InputTest, AClickActivatesAnEnabledButtonOnceAndADisabledOneNotAtAll) {
    RootFixture f;
    int calls = 0;
    WButton* button = AddCountingButton(f, calls);
    const ALuint* activation = Audio::AudioManager::GetInstance().LoadSample("SFX/UI/midblip.ogg");
    const ALuint* hover = Audio::AudioManager::GetInstance().LoadSample("SFX/UI/lowblip.ogg");

    f.mRoot.SetDisabled(*button, true);
    EXPECT_FALSE(f.Click(150, 120));
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(f.mSounds.empty());

    f.mRoot.SetDisabled(*button, false);
    f.mInput.SetMousePosition(0, 0);
    f.Frame();
    f.mSounds.clear();
    EXPECT_TRUE(f.Click(150, 120));
    EXPECT_EQ(calls, 1);
    // Entering played the hover sound, the click the activation sound.
    EXPECT_EQ(f.mSounds, (std::vector<const ALuint*>{hover, activation}));
    EXPECT_FALSE(f.Click(300, 120)); // outside
    EXPECT_EQ(calls, 1);
}

TEST(InputTest, ASliderFollowsDragsAndKeysWithinItsRange) {
    RootFixture f;
    std::vector<double> values;
    auto slider = std::make_unique<WSlider>(std::make_unique<Recorder<WSliderCallback, double>>(values));
    slider->SetSize(210, 40);
    slider->mX = 100;
    slider->mY = 100;
    WSlider* s = f.mRoot.Add(std::move(slider));

    f.mInput.SetMousePosition(205, 120);
    f.mInput.SetButton(SDL_BUTTON_LEFT, true);
    EXPECT_TRUE(f.Frame());
    EXPECT_TRUE(s->IsDragging());
    f.mInput.SetMousePosition(900, 500); // far right and above: still dragging
    f.Frame();
    f.mInput.SetMousePosition(-50, 120);
    f.Frame();
    f.mInput.SetButton(SDL_BUTTON_LEFT, false);
    f.Frame();
    EXPECT_FALSE(s->IsDragging());
    f.mInput.SetMousePosition(300, 120);
    f.Frame(); // moves without the button change nothing
    ASSERT_EQ(f.mRoot.GetFocus(), s);
    f.Tap(SDLK_LEFT);
    f.Tap(SDLK_RIGHT);
    f.Tap(SDLK_RIGHT);
    EXPECT_EQ(values, (std::vector<double>{0.5, 1.0, 0.0, 0.0, 0.05, 0.1}));
    s->SetValue(7.0);
    EXPECT_DOUBLE_EQ(s->GetValue(), 1.0);
    s->SetValue(-1.0);
    EXPECT_DOUBLE_EQ(s->GetValue(), 0.0);
    EXPECT_EQ(values.size(), 6u); // SetValue does not call back
}

TEST(InputTest, AStepSliderPicksTheNearestStepAndStepsWithTheKeys) {
    RootFixture f;
    std::vector<int32_t> indices;
    auto slider = std::make_unique<WStepSlider>(5, std::make_unique<Recorder<WStepSliderCallback, int32_t>>(indices));
    slider->mMinWidth = 200;
    slider->mMinHeight = 40;
    WStepSlider* s = f.mRoot.Add(std::move(slider));
    f.Click(120, 20); // 60 % of the width
    f.Click(199, 20);
    f.Tap(SDLK_RIGHT); // at the last step already: no change, no call
    f.Tap(SDLK_LEFT);
    EXPECT_EQ(s->GetIndex(), 3);
    EXPECT_EQ(indices, (std::vector<int32_t>{3, 4, 3}));
}

TEST(InputTest, TheStickRepeatsEveryThreeTenthsOfASecondAndTheDpadStepsAtOnce) {
    RootFixture f;
    auto* box = f.mRoot.Add(std::make_unique<WVBox>());
    std::vector<Widget*> items;
    for (int i = 0; i < 8; ++i) items.push_back(box->Emplace<FixedWidget>(10, 10, Widget::kFocusable));
    f.Frame();
    ASSERT_EQ(f.mRoot.GetFocus(), items[0]);
    const PadInput down{true, -kUp, 1.0, false};
    int moves = 0;
    Widget* focus = f.mRoot.GetFocus();
    // Held down for one second in frames of 0.05 s: moves at 0, 0.3, 0.6 and 0.9 s.
    for (int frame = 0; frame < 20; ++frame) {
        f.Frame(frame == 0 ? 0.0 : 0.05, down);
        if (f.mRoot.GetFocus() != focus) ++moves;
        focus = f.mRoot.GetFocus();
    }
    EXPECT_EQ(moves, 4);
    EXPECT_EQ(f.mRoot.GetFocus(), items[4]);
    // Released (below the threshold): the delay is gone and the next push acts at once.
    f.Frame(0.05, PadInput{true, -kUp, 0.2, false});
    f.Frame(0.05, PadInput{true, kUp, 0.9, false});
    EXPECT_EQ(f.mRoot.GetFocus(), items[3]);
    // The D-pad steps like the arrow keys: once per reported press, with no repeat delay.
    PadInput dpad{true, 0.0, 0.0, false};
    dpad.mDpadDownPressed = true;
    EXPECT_TRUE(f.Frame(0.0, dpad));
    EXPECT_TRUE(f.Frame(0.0, dpad));
    EXPECT_EQ(f.mRoot.GetFocus(), items[5]);
}

TEST(InputTest, ACallbackMayClearTheTreeWhileItsClickIsStillTravelling) {
    RootFixture f;
    auto button = std::make_unique<WButton>(WButtonCallbackLambda::Make([&f](WButton&) { f.mRoot.Clear(); }));
    button->AddChild(std::make_unique<FixedWidget>(50, 50));
    f.mRoot.Add(std::move(button));
    f.Frame();
    ASSERT_NE(f.mRoot.GetFocus(), nullptr);
    EXPECT_TRUE(f.Click(10, 10));
    EXPECT_EQ(f.mRoot.GetTop(), nullptr);
    EXPECT_EQ(f.mRoot.GetFocus(), nullptr);
    EXPECT_FALSE(f.Tap(SDLK_RETURN));
    f.mRoot.Add(std::make_unique<FixedWidget>(5, 5, Widget::kFocusable));
    f.Frame();
    EXPECT_NE(f.mRoot.GetFocus(), nullptr);
}

class OptionCycler : public WSelectorCallback {
public:
    explicit OptionCycler(std::vector<int32_t>& steps) : mSteps(steps) {}
    void OnStep(WSelector& selector, int32_t direction) override {
        mSteps.push_back(direction);
        selector.SetOption(std::make_unique<FixedWidget>(10 + 10 * static_cast<int32_t>(mSteps.size()), 10));
    }
    std::vector<int32_t>& mSteps;
};

TEST(InputTest, ASelectorStepsWithItsButtonsAndWithLeftAndRight) {
    RootFixture f;
    std::vector<int32_t> steps;
    auto* box = f.mRoot.Add(std::make_unique<WVBox>());
    auto* selector =
        box->Emplace<WSelector>(std::make_unique<OptionCycler>(steps), std::make_unique<FixedWidget>(10, 10));
    f.Frame();
    EXPECT_EQ(f.mRoot.GetFocus(), selector);
    f.Tap(SDLK_RIGHT);
    f.Tap(SDLK_LEFT);
    EXPECT_TRUE(f.Click(selector->mPlus->GetAbsoluteX() + 1, selector->mPlus->GetAbsoluteY() + 1));
    EXPECT_EQ(steps, (std::vector<int32_t>{1, 0, 1}));
    EXPECT_EQ(selector->GetOption()->GetWidth(), 40);
    EXPECT_EQ(box->GetWidth(), selector->GetWidth()); // the box was laid out again
}

TEST(FocusTest, SearchesPreferDescendantsAndNeverWrapOrClimb) {
    WField field(100, 100);
    auto* first = field.Emplace<FixedWidget>(10, 10, Widget::kFocusable);
    field.Emplace<FixedWidget>(10, 10); // a label
    auto* group = field.Emplace<FixedContainer>(10, 10, Widget::kFocusable);
    auto* inner1 = group->Emplace<FixedWidget>(10, 10, Widget::kFocusable);
    auto* inner2 = group->Emplace<FixedWidget>(10, 10, Widget::kFocusable);
    auto* last = field.Emplace<FixedWidget>(10, 10, Widget::kFocusable);

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
    auto* a = f.mRoot.Add(std::make_unique<FixedWidget>(10, 10, Widget::kFocusable));
    auto* group = f.mRoot.Add(std::make_unique<FixedContainer>(10, 10, Widget::kFocusable));
    auto* child = group->Emplace<FixedWidget>(10, 10);
    f.Frame(0.1); // nothing focused: the first focusable widget gets the focus
    EXPECT_EQ(f.mRoot.GetFocus(), a);
    EXPECT_TRUE(a->HasState(Widget::kFocused));
    f.Tap(SDLK_DOWN);
    EXPECT_EQ(f.mRoot.GetFocus(), group);
    EXPECT_EQ(a->mEvents, (Kinds{WidgetEvent::kFocusGained, WidgetEvent::kFocusLost}));
    EXPECT_EQ(child->mEvents, (Kinds{WidgetEvent::kFocusGained})); // broadcast from the new focus
    EXPECT_TRUE(child->HasState(Widget::kFocused));
    EXPECT_FALSE(f.Tap(SDLK_DOWN)); // nothing after it
    EXPECT_TRUE(f.Tap(SDLK_UP));
    EXPECT_EQ(f.mRoot.GetFocus(), a);
}

TEST(FocusTest, DisablingTheContainerThatHoldsTheFocusMovesItAndUnhoversTheSubtree) {
    RootFixture f;
    auto* panel = f.mRoot.Add(std::make_unique<FixedContainer>(200, 100));
    auto* inside = panel->Emplace<FixedWidget>(50, 50, Widget::kFocusable);
    auto* elsewhere = f.mRoot.Add(std::make_unique<FixedWidget>(10, 10, Widget::kFocusable));
    elsewhere->mX = 500;
    f.mInput.SetMousePosition(10, 10); // over `inside`
    f.Frame(0.1);
    ASSERT_EQ(f.mRoot.GetFocus(), inside);
    ASSERT_TRUE(inside->HasState(Widget::kHovered));
    inside->mEvents.clear();
    f.mRoot.SetDisabled(*panel, true);
    EXPECT_EQ(f.mRoot.GetFocus(), elsewhere);
    EXPECT_EQ(inside->mEvents, (Kinds{WidgetEvent::kMouseLeave, WidgetEvent::kFocusLost}));
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

} // namespace
} // namespace Velmora::Interface
