// The help page and the credits over the screen that opened them. Escape ending the credits, with
// the menu's page back as it was, is the menus script's (tests/e2e/menus.sh).
#include "graphics/Font.h"
#include "interface/WButton.h"
#include "interface/WidgetRoot.h"
#include "screens/CreditsScreen.h"
#include "screens/HelpScreen.h"
#include "screens/MainMenuScreen.h"

#include "unit/logic/GameFixtures.h"

#include <cmath>

namespace Velmora::Logic {
namespace {

using Tests::DummyScreen;

using HelpTest = Tests::ScreenFixture;

// How the page fills the window, between margins, is the menus script's (tests/e2e/menus.sh).
TEST_F(HelpTest, ShowsThePageOverTheWindowUntilReturn) {
    auto* below = Push(new DummyScreen());
    auto* help = Push(new HelpScreen(mGame));
    EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore) << "help is no menu screen";
    Run(3.0);
    ASSERT_EQ(mGame.GetTopScreen(), help) << "it waits for the player";
    EXPECT_TRUE(below->mMessages.empty()) << "nothing reaches the screen below";
    // A held key does not count: only a press in this frame.
    InputManager::GetInstance().SetKey(SDLK_RETURN, true);
    InputManager::GetInstance().Snapshot();
    Frame();
    EXPECT_EQ(mGame.GetTopScreen(), help);
    InputManager::GetInstance().SetKey(SDLK_RETURN, false);
    Frame();
    // Alt+Return switches the display; the help page stays.
    InputManager::GetInstance().SetKey(SDLK_LALT, true);
    Tap(SDLK_RETURN);
    InputManager::GetInstance().SetKey(SDLK_LALT, false);
    EXPECT_EQ(mGame.GetTopScreen(), help);
    Tap(SDLK_RETURN);
    EXPECT_EQ(mGame.GetTopScreen(), below);
}

TEST_F(HelpTest, ThePadsStartOrANewPressOfBClosesIt) {
    ControllerManager& controllers = ControllerManager::GetInstance();
    Push(new HelpScreen(mGame));
    controllers.mState.mButtons = kPadA | kPadX | kPadY | kPadBack;
    Frame();
    EXPECT_FALSE(mGame.GetScreens().empty()) << "A, X, Y and Back do not close it";
    controllers.mState.mButtons = kPadStart;
    Frame();
    EXPECT_TRUE(mGame.GetScreens().empty());
    // B counts when it goes down, not while it is still held from the screen before.
    Push(new HelpScreen(mGame));
    controllers.mState.mButtons = kPadB;
    controllers.mPreviousState.mButtons = kPadB;
    Frame();
    EXPECT_FALSE(mGame.GetScreens().empty());
    controllers.mPreviousState.mButtons = 0;
    Frame();
    EXPECT_TRUE(mGame.GetScreens().empty());
}

class CreditsTest : public Tests::ScreenFixture {
protected:
    double LineHeight() const {
        return Graphics::FontManager::GetInstance().GetFont(CreditsScreen::kFont)->mLineHeight;
    }
};

TEST_F(CreditsTest, EveryMessageGoesToTheScreenBelowFirstAndTheyEndWhenTheLastLineHasScrolledPastTheTop) {
    auto* below = Push(new DummyScreen());
    auto* credits = Push(new CreditsScreen(mGame));
    EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore + 1);
    below->mMessages.clear();
    Frame(0.0);
    EXPECT_EQ(below->Count("MessageUpdateLoop"), 1);
    EXPECT_EQ(below->Count("MessageRenderOverlay"), 1);
    size_t count = 0;
    CreditsScreen::GetLines(0, count);
    ASSERT_EQ(credits->mLineCount, count);
    ASSERT_GT(count, 20u);
    // The last line starts (count − 1) · 2 line heights below the bottom and rises 2.8 line
    // heights a second; it has left the window once it is above its top.
    const double lineHeight = LineHeight();
    const double seconds = (kWindowHeight + (count - 1) * 2.0 * lineHeight) / (2.8 * lineHeight);
    const double dt = 0.05;
    Run(std::floor(seconds / dt) * dt - dt, dt);
    ASSERT_EQ(mGame.GetTopScreen(), credits) << "still scrolling after " << credits->mElapsed << " s";
    EXPECT_LE(credits->LineY(count - 1), kWindowHeight);
    Run(2 * dt, dt);
    EXPECT_EQ(mGame.GetTopScreen(), below);
    EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore);
}

TEST_F(CreditsTest, TheKeyThatEndsThemWorksNothingInTheMenuBelow) {
    auto* menu = Push(new MainMenuScreen(mGame, false));
    Frame();
    Interface::WButton* credits = menu->FindButton(kPageMain, "Credits");
    menu->GetRoot()->SetFocus(credits);
    Tap(SDLK_RETURN);
    ASSERT_NE(dynamic_cast<CreditsScreen*>(mGame.GetTopScreen()), nullptr);
    Run(1.0);
    // Return again: were it to reach the menu, its focused "Credits" would open the credits anew.
    Tap(SDLK_RETURN);
    EXPECT_EQ(mGame.GetTopScreen(), menu);
    EXPECT_EQ(mGame.GetScreens().size(), 1u);
    EXPECT_EQ(menu->GetRoot()->GetFocus(), credits);
}

} // namespace
} // namespace Velmora::Logic
