// The help page and the credits over the screen that opened them.
#include "graphics/Batch.h"
#include "graphics/Font.h"
#include "graphics/TextureManager.h"
#include "interface/WButton.h"
#include "interface/WVBox.h"
#include "interface/WidgetRoot.h"
#include "screens/CreditsScreen.h"
#include "screens/HelpScreen.h"
#include "screens/MainMenuScreen.h"
#include "screens/ScreenDrawing.h"

#include "unit/logic/GameFixtures.h"

#include <array>
#include <cmath>

namespace Velmora::Logic {
namespace {

using Tests::DummyScreen;

class HelpTest : public Tests::ScreenFixture {
protected:
    // Left, bottom, right and top of the page as last drawn; the margin fill covers the window.
    std::array<double, 4> PageRect() const {
        std::array<double, 4> rect{-1, -1, -1, -1};
        for (const auto& [key, batch] : mRenderer.GetBatches()) {
            if (batch->mCount != 4) continue;
            const Graphics::Vertex* v = batch->GetVertices();
            if (key.mTexture == Graphics::TextureManager::GetInstance().GetTexture(HelpScreen::kPicture)) {
                rect = {v[0].mX, v[0].mY, v[2].mX, v[2].mY};
            } else {
                EXPECT_EQ(key.mTexture, nullptr);
                EXPECT_EQ(v[2].mX, Graphics::GraphicsManager::GetInstance().GetWidth());
            }
        }
        return rect;
    }
};

TEST_F(HelpTest, ShowsThePageOverTheWindowUntilReturn) {
    auto* below = Push(new DummyScreen());
    auto* help = Push(new HelpScreen(mGame));
    EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore) << "help is no menu screen";
    Run(3.0);
    ASSERT_EQ(mGame.GetTopScreen(), help) << "it waits for the player";
    EXPECT_TRUE(below->mMessages.empty()) << "nothing reaches the screen below";
    // A 4:3 window: the page covers it exactly, over the margin colour.
    EXPECT_EQ(PageRect(), (std::array<double, 4>{0, 0, kWindowWidth, kWindowHeight}));
    EXPECT_EQ(VerticesOnLayer(kLayerBackground), 4u);
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

TEST_F(CreditsTest, EveryMessageGoesToTheScreenBelowFirst) {
    auto* below = Push(new DummyScreen());
    Push(new CreditsScreen(mGame));
    EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore + 1);
    below->mMessages.clear();
    Frame();
    EXPECT_EQ(below->Count("MessageUpdateLoop"), 1);
    EXPECT_EQ(below->Count("MessageRenderWorld"), 1);
    EXPECT_EQ(below->Count("MessageRenderOverlay"), 1);
    MessageWindowInactive other;
    mGame.SendMessage(other);
    EXPECT_EQ(below->Count("MessageWindowInactive"), 1);
}

TEST_F(CreditsTest, EndsWhenTheLastLineHasScrolledPastTheTop) {
    auto* below = Push(new DummyScreen());
    auto* credits = Push(new CreditsScreen(mGame));
    size_t count = 0;
    const CreditsScreen::Line* lines = CreditsScreen::GetLines(0, count);
    ASSERT_EQ(credits->mLineCount, count);
    ASSERT_GT(count, 20u);
    EXPECT_STREQ(lines[0].mText, "VELMORA");
    EXPECT_STREQ(lines[count - 1].mText, "Thanks for playing");
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

TEST_F(CreditsTest, LinesRiseTwoLineHeightsApartAndOnlyVisibleOnesAreDrawn) {
    auto* credits = Push(new CreditsScreen(mGame));
    const double lineHeight = LineHeight();
    Frame(0.3);
    EXPECT_NEAR(credits->mScroll, lineHeight * 0.3 * 2.8, 1e-9);
    EXPECT_NEAR(credits->LineY(0) - credits->LineY(1), 2.0 * lineHeight, 1e-9);
    // Only the first line ("VELMORA", 7 letters in the heading font) has come up so far: the
    // second one is still wholly below the window.
    unsigned quads = 0;
    for (const auto& [key, batch] : mRenderer.GetBatches()) {
        if (key.mLayer == kLayerCredits + 1) quads += batch->mCount / 4;
    }
    EXPECT_EQ(quads, 7u);
}

TEST_F(CreditsTest, TheKeyThatEndsThemWorksNothingInTheMenuBelow) {
    auto* menu = Push(new MainMenuScreen(mGame, false));
    Frame();
    Interface::WButton* credits = menu->FindButton(kPageMain, "Credits");
    menu->GetRoot()->SetFocus(credits);
    Tap(SDLK_RETURN);
    ASSERT_NE(dynamic_cast<CreditsScreen*>(mGame.GetTopScreen()), nullptr);
    Run(1.0);
    const Interface::WVBox& page = *menu->GetPageBox(kPageMain);
    EXPECT_DOUBLE_EQ(page.mStyle.mAlpha, 0.0) << "the page steps aside for the rising lines";
    // Return again: were it to reach the menu, its focused "Credits" would open the credits anew.
    Tap(SDLK_RETURN);
    EXPECT_EQ(mGame.GetTopScreen(), menu);
    EXPECT_EQ(mGame.GetScreens().size(), 1u);
    Run(1.0);
    EXPECT_DOUBLE_EQ(page.mStyle.mAlpha, 1.0) << "and comes back after them";
    Tap(SDLK_RETURN);
    ASSERT_NE(dynamic_cast<CreditsScreen*>(mGame.GetTopScreen()), nullptr);
    // Escape: were it to reach the menu, it would offer to quit.
    Tap(SDLK_ESCAPE);
    EXPECT_EQ(mGame.GetTopScreen(), menu);
    EXPECT_EQ(menu->GetPage(), kPageMain);
    EXPECT_EQ(menu->GetRoot()->GetFocus(), credits);
}

} // namespace
} // namespace Velmora::Logic
