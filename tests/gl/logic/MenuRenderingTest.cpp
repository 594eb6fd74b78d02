// The pause menu drawn over a screen below it, through the real renderer, the game's fonts and
// images into a window (under Xvfb in the test run); the pixels are read back.
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/GameScreen.h"
#include "core/InputManager.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "interface/WButton.h"
#include "logic/LogicManager.h"
#include "logic/MainMenuScreen.h"
#include "logic/ScreenDrawing.h"
#include "support/GraphicsFixtures.h"
#include "support/TestSupport.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>

namespace Velmora::Logic {
namespace {

using Rgb = std::array<int, 3>;

Rgb PixelAt(double x, double y) {
    uint8_t rgba[4] = {};
    glReadPixels(static_cast<int>(x), static_cast<int>(y), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

// Stands in for the play screen: the whole window in one light grey.
class GreyScreen : public GameScreen {
public:
    void HandleMessage(Message& message) override {
        if (auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
            FillWindow(*overlay->mRenderer, kLayerBackground, WindowSize::Get(), Color::FromRgba(200, 200, 200));
        }
    }
};

class MenuRendering : public testing::Test {
protected:
    static void SetUpTestSuite() {
        Game& game = Game::GetInstance();
        game.SetRootPath(Tests::SourceDir());
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        if (graphics.mScreen) return;
        ASSERT_EQ(Tests::InitVideoSubsystem(), 0) << SDL_GetError();
        game.mInitialized = true;  // the managers the graphics manager adds initialise at once
        graphics.Initialize();
    }

    void SetUp() override {
        Game::GetInstance().SetRootPath(Tests::SourceDir());
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        if (graphics.GetCurrentMode() != Graphics::VideoMode{1024, 768, false}) graphics.SetVideoMode({1024, 768, false});
        for (const char* font : {"default", "menu", "menu_small"}) ASSERT_TRUE(Graphics::FontManager::GetInstance().LoadFont(font));
        InputManager::GetInstance().SetMousePosition(-100.0, -100.0);
        InputManager::GetInstance().Snapshot();
        mGame.PushScreen(new GreyScreen());
        mGame.PushScreen(mMenu = new MainMenuScreen(mGame, true));
        mGame.ProcessScreenChanges();
    }

    void TearDown() override {
        mGame.RemoveAllScreens();
        mGame.ProcessScreenChanges();
    }

    // A frame of the menu and what lies below it, drawn and read back.
    void Frame(double dt) {
        MessageUpdateLoop update(dt);
        mGame.SendMessage(update);
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        graphics.ResetState();
        Graphics::MessageRenderOverlay overlay(&graphics.GetRenderer());
        mGame.SendMessage(overlay);
        graphics.GetRenderer().Flush();
        mGame.ProcessScreenChanges();
        InputManager::GetInstance().Snapshot();
    }

    Game mGame;
    MainMenuScreen* mMenu = nullptr;
};

TEST_F(MenuRendering, TheLevelShowsDarkenedUnderTheLogoAndTheFocusedButton) {
    Frame(1.0);  // every fade and highlight has finished
    // The screen below still draws, under the translucent dark layer: 200 · (1 − 160/255).
    const Rgb corner = PixelAt(5, 5);
    for (int c : corner) EXPECT_NEAR(c, 75, 3);
    // The logo: bright blue light in the top middle, on the darkened grey.
    int bright = 0;
    for (int x = 312; x < 712; x += 4) {
        const Rgb p = PixelAt(x, 768 - 40 - 90);
        if (p[2] > 200 && p[2] > p[0] + 40) ++bright;
    }
    EXPECT_GT(bright, 5);
    // "Resume" has the focus: a white frame; "Reset Level" below it a green one.
    const Interface::WButton* resume = mMenu->FindButton(kPageMain, "Resume");
    const Interface::WButton* reset = mMenu->FindButton(kPageMain, "Reset Level");
    EXPECT_EQ(PixelAt(resume->GetAbsoluteX() + 1, resume->GetAbsoluteY() + 20), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(reset->GetAbsoluteX() + 1, reset->GetAbsoluteY() + 20), (Rgb{0, 255, 0}));
    EXPECT_GT(resume->GetAbsoluteY(), reset->GetAbsoluteY());
}

} // namespace
} // namespace Velmora::Logic
