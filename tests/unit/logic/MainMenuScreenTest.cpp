// The menu in both forms, driven with the keyboard through a Game of its own: page changes,
// Escape, leaving for the main menu or the desktop after the fade, the options pages, and how
// the in-game form lies over the screen below it.
#include "graphics/Batch.h"
#include "interface/MenuLook.h"
#include "interface/WButton.h"
#include "interface/WLabel.h"
#include "interface/WSelector.h"
#include "interface/WSlider.h"
#include "interface/WVBox.h"
#include "interface/WidgetRoot.h"
#include "screens/MainMenuScreen.h"
#include "screens/ResolutionCallback.h"
#include "screens/ScreenDrawing.h"

#include "unit/logic/GameFixtures.h"

#include <numbers>

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
    std::vector<std::string> Labels(const MainMenuScreen& menu, MenuPage page) const {
        std::vector<std::string> labels;
        const Interface::WVBox* box = menu.GetPageBox(page);
        for (unsigned i = 0; i < box->GetChildCount(); ++i) {
            auto* button = dynamic_cast<Interface::WButton*>(box->GetChild(i));
            if (button) labels.push_back(static_cast<Interface::WLabel*>(button->GetChild(0))->GetText());
        }
        return labels;
    }

    DummyScreen* mBelow = nullptr;
    bool mBelowDeleted = false;
};

TEST_F(MenuTest, EachFormHasItsOwnButtonsOnThePagesThatDiffer) {
    MainMenuScreen* main = PushMain();
    EXPECT_EQ(Labels(*main, kPageMain), (std::vector<std::string>{"New Game", "Options", "Help", "Credits", "Quit"}));
    EXPECT_EQ(Labels(*main, kPageQuit), (std::vector<std::string>{"Quit to Desktop", "Cancel"}));
    EXPECT_EQ(Labels(*main, kPageCampaign),
              (std::vector<std::string>{"Training", "Campaign 1 - Normal", "Campaign 2 - Difficult",
                                        "Campaign 3 - Ridiculous", "Cancel"}));
    EXPECT_EQ(Labels(*main, kPageGraphics), (std::vector<std::string>{"Window Mode", "Fullscreen", "Go Back"}));
    EXPECT_EQ(Labels(*main, kPageAudio), (std::vector<std::string>{"Go Back"}));
    EXPECT_EQ(main->GetPageBox(kPageLeaving)->GetChildCount(), 0u);
    ClearStack();
    MainMenuScreen* inGame = PushInGame();
    EXPECT_EQ(Labels(*inGame, kPageMain),
              (std::vector<std::string>{"Resume", "Reset Level", "New Game", "Options", "Help", "Main Menu"}));
    EXPECT_EQ(Labels(*inGame, kPageQuit), (std::vector<std::string>{"Quit to Menu", "Cancel"}));
    EXPECT_EQ(Labels(*inGame, kPageConfirmReset), (std::vector<std::string>{"Confirm Reset", "Cancel"}));
    EXPECT_EQ(Labels(*inGame, kPageConfirmNew), (std::vector<std::string>{"Confirm New", "Cancel"}));
    EXPECT_EQ(Focused(*inGame), "Resume");
}

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
    EXPECT_NE(fresh, menu);
    EXPECT_FALSE(fresh->IsInGame());
    EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore + 1);
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

TEST_F(MenuTest, EscapeOnTheFirstPageClosesTheInGameMenuAtOnce) {
    MainMenuScreen* menu = PushInGame();
    Choose(*menu, "Options");
    Tap(SDLK_ESCAPE);
    EXPECT_EQ(Focused(*menu), "Resume") << "back on the first page";
    EXPECT_TRUE(mBelow->mPaused);
    InputManager::GetInstance().SetKey(SDLK_ESCAPE, true);
    Frame();
    EXPECT_EQ(mGame.GetTopScreen(), mBelow) << "closed at once, without a fade";
    EXPECT_FALSE(mBelow->mPaused) << "the level below resumes in the same frame";
    EXPECT_FALSE(mBelowDeleted);
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

TEST_F(MenuTest, ChangingPageFadesTheOldBoxOutAndDisablesIt) {
    MainMenuScreen* menu = PushMain();
    Run(1.0);
    Interface::WVBox* first = menu->GetPageBox(kPageMain);
    Interface::WVBox* options = menu->GetPageBox(kPageOptions);
    EXPECT_DOUBLE_EQ(first->mStyle.mAlpha, 1.0);
    EXPECT_DOUBLE_EQ(options->mStyle.mAlpha, 0.0);
    Choose(*menu, "Options");
    EXPECT_TRUE(first->HasState(Interface::Widget::kDisabled));
    EXPECT_FALSE(options->HasState(Interface::Widget::kDisabled));
    Run(MainMenuScreen::kPageFadeSeconds);
    EXPECT_DOUBLE_EQ(first->mStyle.mAlpha, 0.0);
    EXPECT_DOUBLE_EQ(options->mStyle.mAlpha, 1.0);
    EXPECT_LT(first->mStyle.mOffsetX, 0.0) << "the old page slid away to the left";
    EXPECT_DOUBLE_EQ(options->mStyle.mOffsetX, 0.0);
    // A click where the hidden page's first button lies does nothing.
    Interface::WButton* newGame = menu->FindButton(kPageMain, "New Game");
    InputManager::GetInstance().SetMousePosition(newGame->GetAbsoluteX() + 5, newGame->GetAbsoluteY() + 5);
    EXPECT_FALSE(newGame->IsInside(newGame->GetAbsoluteX() + 5, newGame->GetAbsoluteY() + 5) && newGame->IsEnabled());
    InputManager::GetInstance().SetButton(SDL_BUTTON_LEFT, true);
    Frame();
    InputManager::GetInstance().SetButton(SDL_BUTTON_LEFT, false);
    Frame();
    EXPECT_NE(menu->GetPage(), kPageCampaign);
}

TEST_F(MenuTest, ThePagesAreCentredInTheWindow) {
    MainMenuScreen* menu = PushMain();
    Frame();
    const Interface::WVBox* box = menu->GetPageBox(kPageMain);
    EXPECT_NEAR(box->mX + box->GetAreaWidth() / 2.0, kWindowWidth / 2.0, 1.0);
    EXPECT_NEAR(box->mY + box->GetAreaHeight() / 2.0, kWindowHeight / 2.0, 1.0);
    // Button text has the menus' colour on every page, white on the focused button (the look
    // sets it; fading the pages must keep it).
    for (MenuPage page : {kPageMain, kPageOptions}) {
        const Interface::Widget* label = menu->FindButton(page, page == kPageMain ? "Help" : "Go Back")->GetChild(0);
        EXPECT_EQ(Interface::GetEffectiveStyle(*label).mColor1, Interface::MenuLook::Get().mNormal.mText);
    }
    Run(0.5);
    const Interface::Widget* focused = menu->FindButton(kPageMain, "New Game");
    ASSERT_TRUE(focused->HasState(Interface::Widget::kFocused));
    EXPECT_EQ(Interface::GetEffectiveStyle(*focused->GetChild(0)).mColor1, Interface::Style::kWhite);
    EXPECT_EQ(Interface::GetEffectiveStyle(*focused).mColor2, Interface::MenuLook::Get().mHighlight.mFrame);
    // The first button is on top.
    EXPECT_GT(menu->FindButton(kPageMain, "New Game")->GetAbsoluteY(),
              menu->FindButton(kPageMain, "Quit")->GetAbsoluteY());
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
        EXPECT_GE(box->mX, 0.0);
        EXPECT_LE(box->mX + box->GetAreaWidth(), 800.0);
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

TEST_F(MenuTest, LosingFocusWithTheMenuOpenPushesNothing) {
    PushMain();
    EXPECT_GT(LogicManager::GetInstance().mMenuScreenCount, 0) << "focus loss is ignored while a menu is open";
    MessageWindowInactive inactive;
    mGame.SendMessage(inactive);
    Frame();
    EXPECT_EQ(mGame.GetScreens().size(), 1u);
    EXPECT_TRUE(mGame.mScreensToAdd.empty());
}

TEST_F(MenuTest, TheInGameMenuDrawsOverTheFrozenScreenBelow) {
    PushInGame();
    mBelow->mMessages.clear();
    Frame();
    EXPECT_EQ(mBelow->Count("MessageRenderWorld"), 1);
    EXPECT_EQ(mBelow->Count("MessageRenderOverlay"), 1);
    EXPECT_EQ(mBelow->Count("MessageUpdateLoop"), 0) << "the level stands still";
    // The dark layer covers the window; the logo lies above it, the widgets above both.
    EXPECT_EQ(VerticesOnLayer(kLayerMenuShade), 4u);
    EXPECT_EQ(VerticesOnLayer(kLayerMenuLogo), 4u);
    EXPECT_GT(VerticesOnLayer(kLayerMenu), 0u);
    EXPECT_EQ(VerticesOnLayer(kLayerBackground), 0u);
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
    Tap(SDLK_DOWN);
    EXPECT_EQ(Focused(*menu), "Cancel");
    Tap(SDLK_UP);
    Tests::LogCapture log;
    // The play screen still comes, says what is wrong and brings back a menu.
    Choose(*menu, "Campaign 2 - Difficult");
    EXPECT_TRUE(log.Contains("Campaign has no levels"));
    EXPECT_TRUE(log.Contains("No campaign is loaded"));
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
    Audio::AudioManager& audio = Audio::AudioManager::GetInstance();
    audio.SetMusicVolume(0.5);
    audio.SetSampleVolume(0.25);
    MainMenuScreen* menu = PushInGame();
    EXPECT_DOUBLE_EQ(menu->GetMusicSlider()->GetValue(), 0.5) << "the sliders start at the volumes";
    EXPECT_DOUBLE_EQ(menu->GetEffectsSlider()->GetValue(), 0.25);
    // The Start that opened the menu is still held: it resumes nothing.
    pad.mStartDown = true;
    Frame();
    pad.mStartDown = false;
    EXPECT_EQ(menu->GetPage(), kPageMain);
    press(&Interface::PadInput::mDpadDownPressed);
    press(&Interface::PadInput::mDpadDownPressed);
    EXPECT_EQ(Focused(*menu), "New Game");
    pad.mStickAngle = -std::numbers::pi / 2.0; // the stick pushed down
    pad.mStickMagnitude = 1.0;
    Frame();
    pad.mStickMagnitude = 0.0;
    EXPECT_EQ(Focused(*menu), "Options");
    press(&Interface::PadInput::mAPressed);
    ASSERT_EQ(menu->GetPage(), kPageOptions);
    press(&Interface::PadInput::mDpadDownPressed);
    press(&Interface::PadInput::mAPressed);
    ASSERT_EQ(menu->GetPage(), kPageAudio);
    EXPECT_EQ(menu->GetRoot()->GetFocus(), menu->GetMusicSlider());
    press(&Interface::PadInput::mDpadRightPressed);
    EXPECT_FLOAT_EQ(audio.GetMusicVolume(), 0.55f);
    press(&Interface::PadInput::mDpadDownPressed);
    EXPECT_EQ(menu->GetRoot()->GetFocus(), menu->GetEffectsSlider());
    press(&Interface::PadInput::mDpadLeftPressed);
    EXPECT_FLOAT_EQ(audio.GetSampleVolume(), 0.2f);
    // B goes back like Escape: to the options, to the first page, then it closes the menu.
    press(&Interface::PadInput::mBPressed);
    EXPECT_EQ(menu->GetPage(), kPageOptions);
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
    // In the main form B on the first page offers to quit, and Start does nothing.
    ClearStack();
    menu = PushMain();
    press(&Interface::PadInput::mStartPressed);
    EXPECT_EQ(menu->GetPage(), kPageMain);
    press(&Interface::PadInput::mBPressed);
    EXPECT_EQ(menu->GetPage(), kPageQuit);
    audio.SetMusicVolume(Audio::AudioManager::kDefaultVolume);
    audio.SetSampleVolume(Audio::AudioManager::kDefaultVolume);
}

TEST_F(MenuTest, TheResolutionSelectorStoresTheChosenSize) {
    MainMenuScreen* menu = PushMain();
    menu->GoToPage(kPageGraphics);
    EXPECT_EQ(menu->mResolutionWidth, -1);
    auto* option = dynamic_cast<Interface::WLabel*>(menu->GetResolutionSelector()->GetOption());
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->GetText(), "1024 x 768") << "it starts on the window's size";
    // Focused, a button's frame is 4 × 3 pixels thick: the "-" and "+" signs must stay visible
    // inside it, not vanish under a solid block of frame.
    for (const Interface::WButton* button :
         {menu->GetResolutionSelector()->mMinus.get(), menu->GetResolutionSelector()->mPlus.get()}) {
        const Interface::Widget* sign = button->GetChild(0);
        EXPECT_GE(button->GetAreaWidth() - 2 * 12, sign->GetWidth() + 4);
        EXPECT_GE(button->GetAreaHeight() - 2 * 12, 8);
    }
}

TEST(ResolutionCallback, StepsThroughTheModesBothWaysWrappingAndStoresTheSize) {
    int width = -1, height = -1;
    const std::vector<Graphics::VideoMode> modes = {{1280, 800, false}, {1024, 768, false}, {800, 600, false}};
    auto callback = std::make_unique<ResolutionCallback>(modes, Graphics::VideoMode{1024, 768, false}, width, height);
    ResolutionCallback* steps = callback.get();
    Interface::WSelector selector(std::move(callback));
    selector.Step(1);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(static_cast<Interface::WLabel*>(selector.GetOption())->GetText(), "800 x 600");
    selector.Step(1);
    EXPECT_EQ(width, 1280);
    selector.Step(0);
    selector.Step(0);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(steps->GetSelected(), (Graphics::VideoMode{1024, 768, false}));
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
