#include "WidgetTestSupport.h"

#include "audio/AudioManager.h"
#include "interface/WButton.h"
#include "interface/WButtonCallbackFunction.h"
#include "interface/WButtonCallbackLambda.h"
#include "interface/WSelector.h"
#include "interface/WSlider.h"
#include "interface/WStepSlider.h"
#include "interface/WVBox.h"

#include <gtest/gtest.h>

#include <numbers>

namespace Velmora::Interface {
namespace {

using Tests::FixedWidget;
using Tests::RootFixture;

constexpr double kUp = std::numbers::pi / 2.0;

// A 100 × 40 button at (100, 100) whose callback counts its calls.
WButton* AddCountingButton(RootFixture& f, int& calls, double x = 100, double y = 100) {
    auto button = std::make_unique<WButton>(WButtonCallbackLambda::Make([&calls](WButton&) { ++calls; }), 10);
    button->AddChild(std::make_unique<FixedWidget>(80, 20));
    button->mX = x;
    button->mY = y;
    return f.mRoot.Add(std::move(button));
}

TEST(InputTest, ReturnWithAltOrCtrlHeldNeverActivatesTheFocusedButton) {
    RootFixture f;
    int calls = 0;
    AddCountingButton(f, calls);
    f.Frame();
    for (const int modifier : {SDLK_LALT, SDLK_RALT, SDLK_LCTRL, SDLK_RCTRL}) {
        f.mInput.SetKey(modifier, true);
        f.Tap(SDLK_RETURN);
        f.Tap(SDLK_KP_ENTER);
        f.mInput.SetKey(modifier, false);
        f.Frame();
    }
    EXPECT_EQ(calls, 0);
    f.Tap(SDLK_RETURN);
    EXPECT_EQ(calls, 1);
}

class SliderRecorder : public WSliderCallback {
public:
    explicit SliderRecorder(std::vector<double>& values) : mValues(values) {}
    void OnChange(double value) override { mValues.push_back(value); }
    std::vector<double>& mValues;
};

class StepRecorder : public WStepSliderCallback {
public:
    explicit StepRecorder(std::vector<int32_t>& indices) : mIndices(indices) {}
    void OnChange(int32_t index) override { mIndices.push_back(index); }
    std::vector<int32_t>& mIndices;
};

TEST(InputTest, AClickActivatesAnEnabledButtonOnceAndADisabledOneNotAtAll) {
    RootFixture f;
    int calls = 0;
    WButton* button = AddCountingButton(f, calls);
    const ALuint* activation = Audio::AudioManager::GetInstance().LoadSample("SFX/UI/midblip.ogg");
    const ALuint* hover = Audio::AudioManager::GetInstance().LoadSample("SFX/UI/lowblip.ogg");
    EXPECT_EQ(button->mActivateSoundHandle, activation);

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

TEST(InputTest, EnterActivatesTheFocusedButtonAndPlainFunctionCallbacksGetTheirUserPointer) {
    RootFixture f;
    int calls = 0;
    auto button = std::make_unique<WButton>(
        std::make_unique<WButtonCallbackFunction>([](WButton&, void* user) { ++*static_cast<int*>(user); }, &calls));
    f.mRoot.Add(std::move(button));
    f.Frame();
    EXPECT_TRUE(f.Tap(SDLK_RETURN));
    EXPECT_TRUE(f.Tap(SDLK_KP_ENTER));
    f.Frame(0.0, PadInput{true, 0.0, 0.0, true});
    EXPECT_EQ(calls, 3);
}

TEST(InputTest, HoverAndFocusAnimateTheButtonFrame) {
    RootFixture f;
    int calls = 0;
    WButton* button = AddCountingButton(f, calls);
    f.Frame(0.0); // focused: towards white
    f.Frame(0.15);
    EXPECT_EQ(button->mStyle.mColor2, Style::kWhite);
    EXPECT_DOUBLE_EQ(button->mStyle.mScalar3, 3.0);
    f.mInput.SetMousePosition(150, 120);
    f.Frame(0.0); // hovered: towards cyan over 0.15 s, starting from white
    f.Frame(0.075);
    EXPECT_EQ(button->mStyle.mColor2, Color::FromRgba(static_cast<uint8_t>(255 * (1 - 0.70710678)), 255, 255));
    f.Frame(0.075);
    EXPECT_EQ(button->mStyle.mColor2, Style::kCyan);
    EXPECT_EQ(button->mStyle.mColor3, Style::kCyan);
    f.mRoot.SetFocus(nullptr); // focus moves away and back: still hovered, still cyan
    f.mInput.SetMousePosition(0, 0);
    f.Frame(0.0);
    f.Frame(0.15);
    EXPECT_EQ(button->mStyle.mColor2, Style::kWhite); // left, but focused
}

TEST(InputTest, DraggingASliderBeyondItsEndsStopsAtZeroAndOne) {
    RootFixture f;
    std::vector<double> values;
    auto slider = std::make_unique<WSlider>(std::make_unique<SliderRecorder>(values));
    slider->SetSize(210, 40);
    slider->mX = 100;
    slider->mY = 100;
    WSlider* s = f.mRoot.Add(std::move(slider));
    EXPECT_DOUBLE_EQ(s->mStyle.mScalar1, 0.0);

    f.mInput.SetMousePosition(205, 120);
    f.mInput.SetButton(SDL_BUTTON_LEFT, true);
    EXPECT_TRUE(f.Frame());
    EXPECT_TRUE(s->IsDragging());
    EXPECT_DOUBLE_EQ(s->GetValue(), 0.5);
    f.mInput.SetMousePosition(900, 500); // far right and above: still dragging
    f.Frame();
    EXPECT_DOUBLE_EQ(s->GetValue(), 1.0);
    f.mInput.SetMousePosition(-50, 120);
    f.Frame();
    EXPECT_DOUBLE_EQ(s->GetValue(), 0.0);
    f.mInput.SetButton(SDL_BUTTON_LEFT, false);
    f.Frame();
    EXPECT_FALSE(s->IsDragging());
    f.mInput.SetMousePosition(300, 120);
    f.Frame();
    EXPECT_DOUBLE_EQ(s->GetValue(), 0.0); // moves without the button change nothing
    EXPECT_EQ(values, (std::vector<double>{0.5, 1.0, 0.0}));

    // The knob glides to the value over 0.2 s.
    f.Frame(0.1);
    f.Frame(0.1);
    EXPECT_DOUBLE_EQ(s->mStyle.mScalar1, 0.0);
    s->SetValue(0.8);
    f.Frame(0.1);
    EXPECT_NEAR(s->mStyle.mScalar1, 0.8 * 0.70710678, 1e-6);
    f.Frame(0.1);
    EXPECT_DOUBLE_EQ(s->mStyle.mScalar1, 0.8);
}

TEST(InputTest, LeftAndRightStepTheFocusedSliderWithinItsRange) {
    RootFixture f;
    std::vector<double> values;
    WSlider* s = f.mRoot.Add(std::make_unique<WSlider>(std::make_unique<SliderRecorder>(values)));
    f.Frame();
    ASSERT_EQ(f.mRoot.GetFocus(), s);
    f.Frame(0.15);
    EXPECT_EQ(s->mStyle.mColor2, Style::kCyan); // focused: cyan with a taller knob
    EXPECT_DOUBLE_EQ(s->mStyle.mScalar2, 2.0);
    f.Tap(SDLK_LEFT);
    f.Tap(SDLK_RIGHT);
    f.Tap(SDLK_RIGHT);
    EXPECT_NEAR(s->GetValue(), 0.1, 1e-12);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_DOUBLE_EQ(values[0], 0.0);
    s->SetValue(7.0);
    EXPECT_DOUBLE_EQ(s->GetValue(), 1.0);
    s->SetValue(-1.0);
    EXPECT_DOUBLE_EQ(s->GetValue(), 0.0);
    EXPECT_EQ(values.size(), 3u); // SetValue does not call back
}

TEST(InputTest, AStepSliderPicksTheNearestStepAndStepsWithTheKeys) {
    RootFixture f;
    std::vector<int32_t> indices;
    auto slider = std::make_unique<WStepSlider>(5, std::make_unique<StepRecorder>(indices));
    slider->mMinWidth = 200;
    slider->mMinHeight = 40;
    WStepSlider* s = f.mRoot.Add(std::move(slider));
    f.Click(120, 20); // 60 % of the width
    EXPECT_EQ(s->GetIndex(), 3);
    f.Frame(0.2);
    EXPECT_DOUBLE_EQ(s->mStyle.mScalar1, 0.75);
    f.Click(199, 20);
    EXPECT_EQ(s->GetIndex(), 4);
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
    EXPECT_DOUBLE_EQ(f.mRoot.GetRepeatTimer(), 0.0);
    f.Frame(0.05, PadInput{true, kUp, 0.9, false});
    EXPECT_EQ(f.mRoot.GetFocus(), items[3]);
    EXPECT_DOUBLE_EQ(f.mRoot.GetRepeatTimer(), 0.3);
    // A disconnected pad is ignored.
    f.Frame(1.0, PadInput{false, kUp, 1.0, true});
    EXPECT_EQ(f.mRoot.GetFocus(), items[3]);
    // The D-pad steps like the arrow keys: once per reported press, with no repeat delay.
    PadInput dpad{true, 0.0, 0.0, false};
    dpad.mDpadDownPressed = true;
    EXPECT_TRUE(f.Frame(0.0, dpad));
    EXPECT_TRUE(f.Frame(0.0, dpad));
    EXPECT_EQ(f.mRoot.GetFocus(), items[5]);
    dpad.mDpadDownPressed = false;
    dpad.mDpadUpPressed = true;
    f.Frame(0.0, dpad);
    EXPECT_EQ(f.mRoot.GetFocus(), items[4]);
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
    const double plusX = selector->mPlus->GetAbsoluteX() + 1;
    EXPECT_TRUE(f.Click(plusX, selector->mPlus->GetAbsoluteY() + 1));
    EXPECT_EQ(steps, (std::vector<int32_t>{1, 0, 1}));
    EXPECT_EQ(selector->GetOption()->GetWidth(), 40);
    EXPECT_EQ(box->GetWidth(), selector->GetWidth()); // the box was laid out again
}

} // namespace
} // namespace Velmora::Interface
