// The help page and the credits over the screen that opened them.
#include "core/ControllerManager.h"
#include "graphics/Batch.h"
#include "graphics/Font.h"
#include "graphics/TextureManager.h"
#include "logic/CreditsScreen.h"
#include "logic/HelpScreen.h"
#include "logic/ScreenDrawing.h"
#include "logic/ScreenInput.h"

#include "ScreenFixture.h"

#include <cmath>
#include <cstring>

namespace Velmora::Logic {
namespace {

using Tests::DummyScreen;

class HelpTest : public Tests::ScreenFixture {};

TEST_F(HelpTest, ShowsThePageOverTheWindowUntilReturn) {
    auto* below = Push(new DummyScreen());
    auto* help = Push(new HelpScreen(mGame));
    EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore) << "help is no menu screen";
    Run(3.0);
    ASSERT_EQ(mGame.GetTopScreen(), help) << "it waits for the player";
    EXPECT_TRUE(below->mMessages.empty()) << "nothing reaches the screen below";
    for (const auto& [key, batch] : mRenderer.GetBatches()) {
        if (batch->mCount == 0) continue;
        EXPECT_EQ(key.mTexture, Graphics::TextureManager::GetInstance().GetTexture(HelpScreen::kPicture));
        EXPECT_EQ(batch->GetVertices()[2].mX, kWindowWidth);
        EXPECT_EQ(batch->GetVertices()[2].mY, kWindowHeight);
    }
    // A held key does not count: only a press in this frame.
    InputManager::GetInstance().SetKey(SDLK_RETURN, true);
    InputManager::GetInstance().Snapshot();
    Frame();
    EXPECT_EQ(mGame.GetTopScreen(), help);
    InputManager::GetInstance().SetKey(SDLK_RETURN, false);
    Frame();
    Tap(SDLK_RETURN);
    EXPECT_EQ(mGame.GetTopScreen(), below);
}

TEST_F(HelpTest, ThePadsStartButtonClosesIt) {
    Push(new HelpScreen(mGame));
    PadState& pad = ControllerManager::GetInstance().mState;
    pad.mButtons = kPadA | kPadB;
    Frame();
    EXPECT_FALSE(mGame.GetScreens().empty()) << "only Start closes it";
    pad.mButtons = kPadStart;
    Frame();
    EXPECT_TRUE(mGame.GetScreens().empty());
}

class CreditsTest : public Tests::ScreenFixture {
protected:
    double LineHeight() const { return Graphics::FontManager::GetInstance().GetFont(CreditsScreen::kFont)->mLineHeight; }
};

TEST_F(CreditsTest, MessagesGoToTheScreenBelowButItsFrameUpdateDoesNot) {
    auto* below = Push(new DummyScreen());
    Push(new CreditsScreen(mGame));
    EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore + 1);
    below->mMessages.clear();
    Frame();
    EXPECT_EQ(below->Count("MessageRenderWorld"), 1);
    EXPECT_EQ(below->Count("MessageRenderOverlay"), 1);
    EXPECT_EQ(below->Count("MessageUpdateLoop"), 0) << "the keys that end the credits must not work the menu below";
    MessageWindowInactive other;
    mGame.SendMessage(other);
    EXPECT_EQ(below->Count("MessageWindowInactive"), 1);
    // The window is darkened over what the screen below drew.
    bool shaded = false;
    for (const auto& [key, batch] : mRenderer.GetBatches()) {
        if (key.mLayer == kLayerCredits && key.mTexture == nullptr && batch->mCount == 4) {
            shaded = batch->GetVertices()[0].mAlpha == 153 && batch->GetVertices()[2].mY == kWindowHeight;
        }
    }
    EXPECT_TRUE(shaded);
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

TEST_F(CreditsTest, EscapeEndsThemEarly) {
    auto* below = Push(new DummyScreen());
    Push(new CreditsScreen(mGame));
    Run(1.0);
    Tap(SDLK_ESCAPE);
    EXPECT_EQ(mGame.GetTopScreen(), below);
}

} // namespace
} // namespace Velmora::Logic
