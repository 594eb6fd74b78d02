// The pause menu drawn over a screen below it, through the real renderer, the game's fonts and
// images into a window (under Xvfb in the test run); the pixels are read back.
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/GameScreen.h"
#include "core/InputManager.h"
#include "game/LogicManager.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "interface/WButton.h"
#include "interface/WVBox.h"
#include "interface/WidgetRoot.h"
#include "screens/MainMenuScreen.h"
#include "screens/ScreenDrawing.h"
#include "support/GraphicsFixtures.h"
#include "support/TestSupport.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>

namespace Velmora::Logic {
namespace {

using Rgb = std::array<int, 3>;
// The menus' focus highlight lights a button's frame sky-blue.
constexpr Rgb kFocusFrame{110, 200, 255};

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
    void SetUp() override {
        ASSERT_TRUE(Tests::OpenGameWindow(1024, 768)) << SDL_GetError();
        for (const char* font : {"default", "menu", "menu_small"})
            ASSERT_TRUE(Graphics::FontManager::GetInstance().LoadFont(font));
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

    // A key pressed in one frame and let go in the next.
    void Tap(int key) {
        InputManager::GetInstance().SetKey(key, true);
        Frame(0.0);
        InputManager::GetInstance().SetKey(key, false);
        Frame(0.0);
    }
    // Shows a page and lets its fade finish.
    void ShowPage(MenuPage page) {
        mMenu->GoToPage(page);
        Frame(1.0);
    }
    void Choose(MenuPage page, const char* label) {
        Interface::WButton* button = mMenu->FindButton(page, label);
        ASSERT_NE(button, nullptr) << label;
        mMenu->GetRoot()->SetFocus(button);
        Tap(SDLK_RETURN);
    }

    Game mGame;
    MainMenuScreen* mMenu = nullptr;
};

TEST_F(MenuRendering, TheLevelShowsDarkenedUnderTheLogoAndTheFocusedButton) {
    Frame(1.0); // every fade and highlight has finished
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
    // "Resume" has the focus: a sky-blue frame two pixels wide; "Reset Level" below it a thin
    // steel-blue one with the dark glass inside.
    const Interface::WButton* resume = mMenu->FindButton(kPageMain, "Resume");
    const Interface::WButton* reset = mMenu->FindButton(kPageMain, "Reset Level");
    EXPECT_EQ(PixelAt(resume->GetAbsoluteX() + 1, resume->GetAbsoluteY() + 20), kFocusFrame);
    EXPECT_EQ(PixelAt(reset->GetAbsoluteX(), reset->GetAbsoluteY() + 20), (Rgb{52, 94, 132}));
    EXPECT_LT(PixelAt(reset->GetAbsoluteX() + 1, reset->GetAbsoluteY() + 20)[2], 60);
    EXPECT_GT(resume->GetAbsoluteY(), reset->GetAbsoluteY());
}

TEST_F(MenuRendering, TheGraphicsPageAppliesAChosenSizeOnLeavingAndSwitchesWindowAndFullScreen) {
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    // The desktop as the test display has it (an earlier test may have set a mode of its own
    // before the graphics manager first looked).
    struct DesktopRestore {
        Graphics::GraphicsManager& mGraphics;
        int mWidth = mGraphics.mDesktopWidth;
        int mHeight = mGraphics.mDesktopHeight;
        ~DesktopRestore() {
            mGraphics.mDesktopWidth = mWidth;
            mGraphics.mDesktopHeight = mHeight;
        }
    } restore{graphics};
    graphics.mDesktopWidth = 1280;
    graphics.mDesktopHeight = 800;
    ShowPage(kPageOptions);
    ShowPage(kPageGraphics);
    // The selector has the focus; one step on from the window's size in the windowed list.
    std::vector<Graphics::VideoMode> windowed;
    graphics.GetWindowedModes(windowed);
    ASSERT_GE(windowed.size(), 3u);
    ASSERT_EQ(windowed[1], (Graphics::VideoMode{1024, 768, false}));
    Tap(SDLK_RIGHT);
    EXPECT_EQ(mMenu->mResolutionWidth, windowed[2].mWidth);
    EXPECT_EQ(graphics.GetCurrentMode(), (Graphics::VideoMode{1024, 768, false})) << "only chosen so far";
    Tap(SDLK_ESCAPE);
    EXPECT_EQ(mMenu->GetPage(), kPageOptions);
    EXPECT_EQ(graphics.GetCurrentMode(), windowed[2]) << "applied on going back";
    // The pages follow the new size.
    Frame(1.0);
    const Interface::WVBox* options = mMenu->GetPageBox(kPageOptions);
    EXPECT_NEAR(options->mX + options->GetAreaWidth() / 2.0, windowed[2].mWidth / 2.0, 1.0);

    ShowPage(kPageGraphics);
    Choose(kPageGraphics, "Fullscreen");
    std::vector<Graphics::VideoMode> fullscreen;
    graphics.GetFullscreenModes(fullscreen);
    const Graphics::VideoMode expected =
        fullscreen.empty() ? Graphics::VideoMode{graphics.mDesktopWidth, graphics.mDesktopHeight, true} : fullscreen[0];
    EXPECT_EQ(graphics.GetCurrentMode(), expected);
    EXPECT_EQ(mMenu->GetPage(), kPageMain);
    ShowPage(kPageGraphics);
    Choose(kPageGraphics, "Window Mode");
    EXPECT_EQ(graphics.GetCurrentMode(), windowed[0]);
    EXPECT_EQ(mMenu->GetPage(), kPageMain);
    // Still drawn after the context was replaced: "Resume" focused.
    Frame(1.0);
    const Interface::WButton* resume = mMenu->FindButton(kPageMain, "Resume");
    EXPECT_EQ(PixelAt(resume->GetAbsoluteX() + 1, resume->GetAbsoluteY() + 20), kFocusFrame);
}

} // namespace
} // namespace Velmora::Logic
