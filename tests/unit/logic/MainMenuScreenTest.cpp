// The menu in both forms, driven with the keyboard through a Game of its own: page changes,
// Escape, leaving for the main menu or the desktop after the fade, the options pages, and how
// the in-game form lies over the screen below it.
#include "graphics/Batch.h"
#include "interface/WButton.h"
#include "interface/WLabel.h"
#include "interface/WSelector.h"
#include "interface/WVBox.h"
#include "interface/WidgetRoot.h"
#include "screens/MainMenuScreen.h"
#include "screens/ResolutionCallback.h"
#include "screens/ScreenDrawing.h"

#include "unit/logic/GameFixtures.h"

namespace Velmora::Logic {
namespace {

using Tests::DummyScreen;

class MenuTest : public Tests::ScreenFixture {
protected:
    // A dummy (standing in for the play screen) with the in-game menu above it.
    MainMenuScreen* PushInGame() {
        mBelow = Push(new DummyScreen(&mBelowDeleted));
        return Push(new MainMenuScreen(mGame, true));
    }
    MainMenuScreen* PushMain() { return Push(new MainMenuScreen(mGame, false)); }

    // The label of the focused button, or "" when the focus is not a labelled button.
    std::string Focused(const MainMenuScreen& menu) const {
        auto* button = dynamic_cast<Interface::WButton*>(menu.GetRoot()->GetFocus());
        auto* label = button ? dynamic_cast<Interface::WLabel*>(button->GetChild(0)) : nullptr;
        return label ? label->GetText() : "";
    }
    // Moves the focus down to the button with that label on the shown page and presses Return.
    void Choose(const MainMenuScreen& menu, const std::string& label) {
        for (int step = 0; step < 10 && Focused(menu) != label; ++step) Tap(SDLK_DOWN);
        ASSERT_EQ(Focused(menu), label);
        Tap(SDLK_RETURN);
    }

    DummyScreen* mBelow = nullptr;
    bool mBelowDeleted = false;
};

TEST_F(MenuTest, InGameQuitToMenuLeavesOnlyAMainMenuOnceTheFadeIsOver) {
    MainMenuScreen* menu = PushInGame();
    EXPECT_TRUE(mBelow->mPaused) << "the menu pauses what it covers";
    Choose(*menu, "Main Menu");
    ASSERT_EQ(menu->GetPage(), kPageQuit);
    Choose(*menu, "Quit to Menu");
    ASSERT_EQ(menu->GetPage(), kPageLeaving);
    Run(MainMenuScreen::kPageFadeSeconds - 0.1);
    EXPECT_EQ(mGame.GetTopScreen(), menu) << "still fading";
    EXPECT_FALSE(mBelowDeleted);
    Run(0.15);
    EXPECT_TRUE(mBelowDeleted) << "the level behind went with the stack";
    ASSERT_EQ(mGame.GetScreens().size(), 1u);
    auto* fresh = dynamic_cast<MainMenuScreen*>(mGame.GetTopScreen());
    ASSERT_NE(fresh, nullptr);
    EXPECT_FALSE(fresh->IsInGame());
    EXPECT_FALSE(mGame.IsQuitting());
}

TEST_F(MenuTest, EscapeGoesBackAPageAndTheEndingPagesIgnoreIt) {
    const struct {
        MenuPage mFrom, mTo;
    } cases[] = {{kPageMain, kPageQuit},      {kPageQuit, kPageMain},        {kPageOptions, kPageMain},
                 {kPageAudio, kPageOptions},  {kPageGraphics, kPageOptions}, {kPageResuming, kPageResuming},
                 {kPageLeaving, kPageLeaving}};
    MainMenuScreen* menu = PushMain();
    for (const auto& c : cases) {
        menu->GoToPage(c.mFrom);
        InputManager::GetInstance().SetKey(SDLK_ESCAPE, true);
        Frame(0.0);
        InputManager::GetInstance().SetKey(SDLK_ESCAPE, false);
        Frame(0.0);
        EXPECT_EQ(menu->GetPage(), c.mTo) << c.mFrom;
    }
}

TEST_F(MenuTest, ResumeFadesOutThenUncoversTheLevel) {
    MainMenuScreen* menu = PushInGame();
    Tap(SDLK_RETURN);
    ASSERT_EQ(menu->GetPage(), kPageResuming);
    EXPECT_EQ(mGame.GetTopScreen(), menu);
    Run(MainMenuScreen::kPageFadeSeconds);
    EXPECT_EQ(mGame.GetTopScreen(), mBelow);
    EXPECT_FALSE(mBelow->mPaused);
}

TEST_F(MenuTest, ChangingPageDisablesTheOldBox) {
    MainMenuScreen* menu = PushMain();
    Run(1.0);
    Choose(*menu, "Options");
    EXPECT_TRUE(menu->GetPageBox(kPageMain)->HasState(Interface::Widget::kDisabled));
    EXPECT_FALSE(menu->GetPageBox(kPageOptions)->HasState(Interface::Widget::kDisabled));
    Run(MainMenuScreen::kPageFadeSeconds);
    // A click where the hidden page's first button lies does nothing.
    Interface::WButton* newGame = menu->FindButton(kPageMain, "New Game");
    InputManager::GetInstance().SetMousePosition(newGame->GetAbsoluteX() + 5, newGame->GetAbsoluteY() + 5);
    InputManager::GetInstance().SetButton(SDL_BUTTON_LEFT, true);
    Frame();
    InputManager::GetInstance().SetButton(SDL_BUTTON_LEFT, false);
    Frame();
    EXPECT_NE(menu->GetPage(), kPageCampaign);
}

TEST_F(MenuTest, PagesFitTheSmallestWindowAndInGameOnesStayBelowTheLogo) {
    SDL_Surface* small = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xFF, 0xFF00, 0xFF0000, 0);
    Graphics::GraphicsManager::GetInstance().mScreen = small;
    MainMenuScreen* menu = PushInGame();
    Frame();
    double logoBottom = -1.0;
    for (const auto& [key, batch] : mRenderer.GetBatches()) {
        if (key.mLayer == kLayerMenuLogo && batch->mCount == 4) logoBottom = batch->GetVertices()[0].mY;
    }
    EXPECT_GT(logoBottom, 300.0) << "the logo is shown, in the upper half";
    for (int page = 0; page < kMenuPageCount; ++page) {
        const Interface::WVBox* box = menu->GetPageBox(static_cast<MenuPage>(page));
        if (box->GetChildCount() == 0) continue;
        EXPECT_GE(box->mY, 28.0) << "page " << page << ": its panel stays inside the window";
        EXPECT_LE(box->mY + box->GetAreaHeight() + 28.0, logoBottom) << "page " << page << ": below the logo";
    }
    ClearStack();
    // The title form's pages (the campaign page with a progress line under every campaign) keep
    // their panels, 28 pixels about a page, inside the window.
    menu = PushMain();
    Frame();
    for (int page = 0; page < kMenuPageCount; ++page) {
        const Interface::WVBox* box = menu->GetPageBox(static_cast<MenuPage>(page));
        EXPECT_GE(box->mY, 28.0) << "title page " << page;
        EXPECT_LE(box->mY + box->GetAreaHeight() + 28.0, 600.0) << "title page " << page;
    }
    ClearStack();
    Graphics::GraphicsManager::GetInstance().mScreen = mWindow;
    SDL_FreeSurface(small);
}

TEST_F(MenuTest, OnlyInstalledCampaignsCanBeChosenAndABrokenOneReturnsToTheMenu) {
    // An installation with one campaign, "camp2", whose file lists no levels.
    const std::string root = Tests::MakeTempDir();
    Tests::WriteFile(root + "/data/level/camp2/campaign.xml", "<campaign><levels/></campaign>");
    Game::GetInstance().SetRootPath(root);
    MainMenuScreen* menu = PushMain();
    Choose(*menu, "New Game");
    ASSERT_EQ(menu->GetPage(), kPageCampaign);
    for (const char* missing : {"Training", "Campaign 1 - Normal", "Campaign 3 - Ridiculous"}) {
        EXPECT_TRUE(menu->FindButton(kPageCampaign, missing)->HasState(Interface::Widget::kDisabled)) << missing;
    }
    EXPECT_EQ(Focused(*menu), "Campaign 2 - Difficult") << "the focus starts on the first installed campaign";
    Tests::LogCapture log;
    // The play screen still comes, says what is wrong and brings back a menu.
    Choose(*menu, "Campaign 2 - Difficult");
    EXPECT_TRUE(log.Contains("Campaign has no levels"));
    ASSERT_EQ(mGame.GetScreens().size(), 1u);
    auto* back = dynamic_cast<MainMenuScreen*>(mGame.GetTopScreen());
    ASSERT_NE(back, nullptr);
    EXPECT_FALSE(back->IsInGame());
    EXPECT_TRUE(Logic::LogicManager::GetInstance().GetCampaignId().empty());
}

TEST_F(MenuTest, APadWorksThePagesAndStartResumesOnceReleased) {
    Interface::PadInput pad{true, 0.0, 0.0, false};
    Interface::WidgetRoot::SetPadProvider([&pad] { return pad; });
    struct ProviderReset {
        ~ProviderReset() { Interface::WidgetRoot::SetPadProvider(nullptr); }
    } providerReset;
    const auto press = [this, &pad](bool Interface::PadInput::*button) {
        pad.*button = true;
        Frame();
        pad.*button = false;
        Frame();
    };
    MainMenuScreen* menu = PushInGame();
    // The Start that opened the menu is still held: it resumes nothing.
    pad.mStartDown = true;
    Frame();
    pad.mStartDown = false;
    EXPECT_EQ(menu->GetPage(), kPageMain);
    for (int i = 0; i < 3; ++i) press(&Interface::PadInput::mDpadDownPressed);
    EXPECT_EQ(Focused(*menu), "Options");
    press(&Interface::PadInput::mAPressed);
    ASSERT_EQ(menu->GetPage(), kPageOptions);
    // B goes back like Escape.
    press(&Interface::PadInput::mBPressed);
    EXPECT_EQ(menu->GetPage(), kPageMain);
    // Start resumes through the fade, and the menu waits for Start to be let go, since the level
    // below opens a menu whenever it sees Start held.
    pad.mStartPressed = pad.mStartDown = true;
    Frame();
    pad.mStartPressed = false;
    EXPECT_EQ(menu->GetPage(), kPageResuming);
    Run(1.0);
    EXPECT_EQ(mGame.GetTopScreen(), menu);
    pad.mStartDown = false;
    Frame();
    EXPECT_EQ(mGame.GetTopScreen(), mBelow);
}

TEST(ResolutionCallback, StepsThroughTheModesBothWaysWrappingAndStoresTheSize) {
    int width = -1, height = -1;
    const std::vector<Graphics::VideoMode> modes = {{1280, 800, false}, {1024, 768, false}, {800, 600, false}};
    auto callback = std::make_unique<ResolutionCallback>(modes, Graphics::VideoMode{1024, 768, false}, width, height);
    ResolutionCallback* steps = callback.get();
    Interface::WSelector selector(std::move(callback));
    selector.Step(1);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(static_cast<Interface::WLabel*>(selector.GetOption())->GetText(), "800 x 600");
    selector.Step(1);
    EXPECT_EQ(width, 1280);
    selector.Step(0);
    EXPECT_EQ(steps->GetSelected(), (Graphics::VideoMode{800, 600, false}));
    // A starting size from outside the list steps to the list's ends.
    int w2 = -1, h2 = -1;
    ResolutionCallback outside(modes, Graphics::VideoMode{640, 480, false}, w2, h2);
    Interface::WSelector other(nullptr);
    outside.OnStep(other, 0);
    EXPECT_EQ(w2, 800);
    ResolutionCallback empty({}, Graphics::VideoMode{640, 480, false}, w2, h2);
    empty.OnStep(other, 1);
    EXPECT_EQ(w2, 800) << "nothing to choose from: nothing stored";
}

} // namespace
} // namespace Velmora::Logic
