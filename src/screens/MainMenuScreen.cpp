#include "screens/MainMenuScreen.h"

#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "core/LogRecord.h"
#include "core/Path.h"
#include "core/Settings.h"
#include "game/LogicManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "interface/AnimateStyle.h"
#include "interface/MenuLook.h"
#include "interface/WButton.h"
#include "interface/WButtonCallbackLambda.h"
#include "interface/WField.h"
#include "interface/WLabel.h"
#include "interface/WSelector.h"
#include "interface/WSlider.h"
#include "interface/WVBox.h"
#include "interface/WidgetDrawing.h"
#include "interface/WidgetRoot.h"
#include "interface/WidgetTree.h"
#include "screens/CampaignProgressLine.h"
#include "screens/CreditsScreen.h"
#include "screens/HelpScreen.h"
#include "screens/MenuActions.h"
#include "screens/MusicVolumeCallback.h"
#include "screens/ResolutionCallback.h"
#include "screens/SampleVolumeCallback.h"
#include "screens/ScreenDrawing.h"
#include "world/CampaignFile.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace Velmora::Logic {

using Interface::Style;

namespace {

constexpr int32_t kPageSpacing = 14;
constexpr int32_t kPageMinWidth = 440;
constexpr int32_t kCampaignPageSpacing = 6;
constexpr int32_t kSliderWidth = 360;
constexpr int32_t kSliderHeight = 44;
// A focused button's frame is 12 pixels thick: the selector's small "-" and "+" buttons need this
// much room for their signs to stay visible inside it.
constexpr int32_t kSelectorButtonSize = 48;
constexpr uint32_t kPageLane = 1;
constexpr double kLogoTopMargin = 40.0;
constexpr double kLogoMaxWidthFraction = 0.7;
constexpr double kLogoGap = 12.0; // above and below the panel of a page, in the in-game form
const Color kShade = Color::FromRgba(0, 0, 0, 160);
const Color kTitleColor = Color::FromRgba(150, 210, 255);
constexpr double kPanelMargin = 28.0;
constexpr double kPanelFrame = 2.0;
const Color kPanelFill = Color::FromRgba(4, 10, 16);
const Color kPanelFrameColor = Color::FromRgba(60, 160, 255);
constexpr double kPanelFillOpacity = 0.7;
constexpr double kPanelFrameOpacity = 0.55;

// The campaigns offered, in order: label and campaign id.
constexpr std::array<std::pair<const char*, const char*>, 4> kCampaigns{{
    {"Training", "training"},
    {"Campaign 1 - Normal", "camp1"},
    {"Campaign 2 - Difficult", "camp2"},
    {"Campaign 3 - Ridiculous", "camp3"},
}};

constexpr Color kDisabledColor = Color::FromRgba(90, 90, 90);

// The pages' names in the log, by MenuPage.
constexpr std::array<const char*, kMenuPageCount> kPageNames{
    "main", "confirm new", "campaign", "confirm reset", "quit", "options", "graphics", "audio", "leaving", "resuming"};

// How the log names a page's entry: a button by its label, another widget by its kind.
std::string EntryName(const Interface::Widget* widget) {
    const auto* button = dynamic_cast<const Interface::WButton*>(widget);
    const auto* label = button ? dynamic_cast<const Interface::WLabel*>(button->GetChild(0)) : nullptr;
    if (label) return "`" + label->GetText() + "`";
    if (dynamic_cast<const Interface::WSlider*>(widget)) return "a slider";
    if (dynamic_cast<const Interface::WSelector*>(widget)) return "the selector";
    return "an entry";
}

Style PageStyle(double alpha, double offsetX) { return Style().SetAlpha(alpha).SetOffset(offsetX, 0.0); }

Graphics::Texture& Logo() { return *Graphics::TextureManager::GetInstance().GetTexture("velmora.png"); }

// The in-game logo's drawn height: its own, less when it is wider than its share of the window,
// and less again when the tallest page would not fit between it and the bottom of the window.
double LogoHeight(const WindowSize& window, double tallestPage) {
    const Graphics::Texture& logo = Logo();
    if (logo.mWidth <= 0 || logo.mHeight <= 0) return 0.0;
    const double room = window.mHeight - kLogoTopMargin - tallestPage - 2.0 * (kPanelMargin + kLogoGap);
    const double scale = std::min({1.0, kLogoMaxWidthFraction * window.mWidth / logo.mWidth, room / logo.mHeight});
    return std::max(0.0, logo.mHeight * scale);
}

} // namespace

MainMenuScreen::MainMenuScreen(bool inGame) : MainMenuScreen(Game::GetInstance(), inGame) {}

MainMenuScreen::MainMenuScreen(Game& game, bool inGame) : mGame(game), mInGame(inGame) {}

MainMenuScreen::~MainMenuScreen() = default;

void MainMenuScreen::Initialize() {
    ++LogicManager::GetInstance().mMenuScreenCount;
    mTitleMusic = Audio::AudioManager::GetInstance().LoadMusic(kTitleMusic);
    PlayTitleMusic();
    const WindowSize window = WindowSize::Get();
    mRoot = std::make_unique<Interface::WidgetRoot>(window.mWidth, window.mHeight);
    BuildPages();
    Arrange();
    ShowPageAtOnce(kPageMain);
}

void MainMenuScreen::Deinitialize() { --LogicManager::GetInstance().mMenuScreenCount; }

void MainMenuScreen::SetPaused(bool paused) {
    if (!paused && mPaused && !mKeepMusicOnResume) PlayTitleMusic();
    if (!paused) mKeepMusicOnResume = false;
    if (!paused && mPageHidden) ShowPage(true);
    GameScreen::SetPaused(paused);
}

void MainMenuScreen::PlayTitleMusic() {
    if (mTitleMusic) Audio::AudioManager::GetInstance().PlayMusic(*mTitleMusic);
}

// ---- Pages ----

Interface::WVBox* MainMenuScreen::NewPage(MenuPage page, const char* title) {
    auto box = std::make_unique<Interface::WVBox>(kPageSpacing, 0);
    box->mMinWidth = kPageMinWidth;
    box->mStyle.SetColor1(Style::kWhite);
    Interface::WVBox* added = mRoot->Add(std::move(box));
    if (title) {
        auto* label = added->Emplace<Interface::WLabel>(title, "menu_small");
        label->mStyle.SetColor1(kTitleColor);
    }
    mPages[page] = added;
    return added;
}

Interface::WButton& MainMenuScreen::AddButton(Interface::WVBox& page, const std::string& label, Action action) {
    auto button = Interface::WButton::MakeLabelled(
        label, Interface::WButtonCallbackLambda::Make([action = std::move(action)](Interface::WButton&) { action(); }));
    Interface::WButton& added = *button;
    page.AddChild(std::move(button));
    return added;
}

void MainMenuScreen::BuildPages() {
    BuildMainPage();
    BuildConfirmPages();
    BuildCampaignPage();
    BuildQuitPage();
    BuildOptionsPage();
    BuildGraphicsPage();
    BuildAudioPage();
    NewPage(kPageLeaving, nullptr);
    NewPage(kPageResuming, nullptr);
    for (Interface::WVBox* box : mPages) Interface::MenuLook::Apply(*box);
}

void MainMenuScreen::BuildMainPage() {
    Interface::WVBox& page = *NewPage(kPageMain, nullptr);
    if (mInGame) {
        AddButton(page, "Resume", [this] { GoToPage(kPageResuming); });
        AddButton(page, "Reset Level", [this] { GoToPage(kPageConfirmReset); });
    }
    // The campaign choice restarts play anyway, so in-game too it goes straight there.
    AddButton(page, "New Game", [this] { GoToPage(kPageCampaign); });
    AddButton(page, "Options", [this] { GoToPage(kPageOptions); });
    AddButton(page, "Help", [this] { OpenHelp(); });
    if (mInGame) {
        AddButton(page, "Main Menu", [this] { GoToPage(kPageQuit); });
    } else {
        AddButton(page, "Credits", [this] { OpenCredits(); });
        AddButton(page, "Quit", [this] { GoToPage(kPageQuit); });
    }
}

void MainMenuScreen::BuildConfirmPages() {
    Interface::WVBox& confirmNew = *NewPage(kPageConfirmNew, "Start the campaign again?");
    AddButton(confirmNew, "Confirm New", [this] {
        if (MenuActions::StartNewGame(mGame)) GoToPage(kPageResuming);
    });
    AddButton(confirmNew, "Cancel", [this] { GoBack(); });
    Interface::WVBox& confirmReset = *NewPage(kPageConfirmReset, "Restart this level?");
    AddButton(confirmReset, "Confirm Reset", [this] {
        if (MenuActions::ResetLevel(mGame)) GoToPage(kPageResuming);
    });
    AddButton(confirmReset, "Cancel", [this] { GoBack(); });
}

void MainMenuScreen::BuildCampaignPage() {
    Interface::WVBox& page = *NewPage(kPageCampaign, "Choose a campaign");
    // The title form's progress lines stand between the buttons and keep them apart; closer
    // spacing lets all four campaigns with their lines fit the smallest window.
    if (!mInGame) page.mSpacing = kCampaignPageSpacing;
    for (const auto& [label, id] : kCampaigns) {
        const std::string campaign = id;
        Interface::WButton& button =
            AddButton(page, label, [this, campaign] { MenuActions::StartCampaign(mGame, campaign); });
        // A campaign this installation does not have would only flash a play screen that returns
        // at once: its entry stays in its place, greyed and out of reach.
        // The in-game form shows the buttons alone: with a progress line under each of the four
        // campaigns the page would not fit below the logo in the smallest window.
        if (!IsRegularFile(CampaignFile::CampaignPath(campaign)))
            DisableEntry(button);
        else if (!mInGame)
            AddCampaignProgressLine(page, campaign);
    }
    AddButton(page, "Cancel", [this] { GoBack(); });
}

void MainMenuScreen::DisableEntry(Interface::WButton& button) {
    mRoot->SetDisabled(button, true);
    button.mStyle.SetColor2(kDisabledColor).SetColor3(kDisabledColor);
    if (Interface::Widget* label = button.GetChild(0)) label->mStyle.SetColor1(kDisabledColor);
}

void MainMenuScreen::BuildQuitPage() {
    Interface::WVBox& page = *NewPage(kPageQuit, mInGame ? "Leave this level?" : "Leave the game?");
    AddButton(page, mInGame ? "Quit to Menu" : "Quit to Desktop", [this] { GoToPage(kPageLeaving); });
    AddButton(page, "Cancel", [this] { GoBack(); });
}

void MainMenuScreen::BuildOptionsPage() {
    Interface::WVBox& page = *NewPage(kPageOptions, "Options");
    AddButton(page, "Gfx Options", [this] { GoToPage(kPageGraphics); });
    AddButton(page, "Audio Options", [this] { GoToPage(kPageAudio); });
    AddButton(page, "Go Back", [this] { GoBack(); });
}

void MainMenuScreen::BuildGraphicsPage() {
    Interface::WVBox& page = *NewPage(kPageGraphics, "Graphics");
    mResolutionSelector = page.Emplace<Interface::WSelector>();
    for (Interface::WButton* button : {mResolutionSelector->mMinus.get(), mResolutionSelector->mPlus.get()}) {
        button->mMinWidth = kSelectorButtonSize;
        button->mMinHeight = kSelectorButtonSize;
    }
    RefreshResolutionSelector();
    AddButton(page, "Window Mode", [this] { SwitchWindowMode(false); });
    AddButton(page, "Fullscreen", [this] { SwitchWindowMode(true); });
    AddButton(page, "Go Back", [this] { GoBack(); });
}

void MainMenuScreen::BuildAudioPage() {
    Interface::WVBox& page = *NewPage(kPageAudio, "Audio");
    const Audio::AudioManager& audio = Audio::AudioManager::GetInstance();
    const auto addSlider = [&page](const char* label, std::unique_ptr<Interface::WSliderCallback> callback,
                                   double value) {
        page.Emplace<Interface::WLabel>(label, "menu");
        auto* slider = page.Emplace<Interface::WSlider>(std::move(callback));
        slider->SetSize(kSliderWidth, kSliderHeight);
        slider->SetValue(value);
        return slider;
    };
    mMusicSlider = addSlider("Music Volume:", std::make_unique<MusicVolumeCallback>(), audio.GetMusicVolume());
    mEffectsSlider = addSlider("SFX Volume:", std::make_unique<SampleVolumeCallback>(), audio.GetSampleVolume());
    AddButton(page, "Go Back", [this] { GoBack(); });
}

// ---- Page changes ----

void MainMenuScreen::ShowPageAtOnce(MenuPage page) {
    for (int i = 0; i < kMenuPageCount; ++i) {
        Interface::WVBox& box = *mPages[i];
        box.mStyle.SetAlpha(0.0).SetOffset(kPageSlidePixels, 0.0);
        mRoot->SetDisabled(box, i != page);
    }
    mPage = page;
    Interface::Animate(*mPages[page], kPageLane, Interface::kInterpolateSine, PageStyle(1.0, 0.0), false,
                       kPageFadeSeconds);
    FocusPage(page);
}

void MainMenuScreen::FocusPage(MenuPage page) {
    Interface::Widget* first = Interface::FindFirstFocusable(*mPages[page]);
    if (first) mRoot->SetFocus(first);
}

void MainMenuScreen::GoToPage(MenuPage page) {
    if (!mRoot || page == mPage || page < 0 || page >= kMenuPageCount || mClosing) return;
    Interface::WVBox& from = *mPages[mPage];
    Interface::WVBox& to = *mPages[page];
    if (page == kPageGraphics) RefreshResolutionSelector();
    mRoot->SetDisabled(to, false);
    // Focus first, so that disabling the old page finds nothing of its own to move.
    FocusPage(page);
    mRoot->SetDisabled(from, true);
    from.mActions.RemoveLanes(kPageLane);
    Interface::Animate(from, kPageLane, Interface::kInterpolateSine, PageStyle(0.0, -kPageSlidePixels), false,
                       kPageFadeSeconds);
    to.mActions.RemoveLanes(kPageLane);
    to.mStyle.SetAlpha(0.0).SetOffset(kPageSlidePixels, 0.0);
    Interface::Animate(to, kPageLane, Interface::kInterpolateSine, PageStyle(1.0, 0.0), false, kPageFadeSeconds);
    mPage = page;
    mPageTime = 0.0;
}

void MainMenuScreen::GoBack() {
    switch (mPage) {
        case kPageGraphics:
            GoToPage(kPageOptions);
            ApplyResolution();
            break;
        case kPageAudio:
            GoToPage(kPageOptions);
            Settings::GetInstance().Save();
            break;
        case kPageLeaving:
        case kPageResuming:
            break;
        default:
            GoToPage(kPageMain);
            break;
    }
}

Interface::WButton* MainMenuScreen::FindButton(MenuPage page, const std::string& label) const {
    const Interface::WVBox* box = mPages[page];
    if (!box) return nullptr;
    for (unsigned i = 0; i < box->GetChildCount(); ++i) {
        auto* button = dynamic_cast<Interface::WButton*>(box->GetChild(i));
        const auto* text = button ? dynamic_cast<const Interface::WLabel*>(button->GetChild(0)) : nullptr;
        if (text && text->GetText() == label) return button;
    }
    return nullptr;
}

// ---- Frame ----

void MainMenuScreen::HandleMessage(Message& message) {
    if (auto* update = MessageCast<MessageUpdateLoop>(message)) {
        Update(update->mDt);
        return;
    }
    const bool world = message.Is<Graphics::MessageRenderWorld>();
    auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message);
    if (!world && !overlay) return;
    // The screen below keeps drawing (the level stays visible, frozen) and the menu draws over it.
    if (mBelow) mBelow->HandleMessage(message);
    if (overlay && overlay->mRenderer) Render(*overlay->mRenderer);
}

void MainMenuScreen::Update(double dt) {
    if (!mRoot || mClosing) return;
    LogChanges();
    Arrange();
    mRoot->Update(dt);
    mElapsed += dt;
    mPageTime += dt;
    const Interface::PadInput pad = Interface::WidgetRoot::ReadPad();
    // Covered by a screen that passes its frames down (the credits), the menu keeps animating but
    // the input is that screen's: the key that ends the credits must not also work the menu.
    if (!mPaused) HandleInput(pad);
    FinishFading(pad);
}

// Logs the page shown, or else the focus moving within it, as the last frame's input left them: a
// record appears once the next frame has read its keys, and a key pressed after it is a new press
// even when it is the same key (InputManager sees a press only against the frame before).
void MainMenuScreen::LogChanges() {
    const Interface::Widget* focus = mRoot->GetFocus();
    if (mPage != mLoggedPage)
        VELMORA_LOG("MENU") << "Page `" << kPageNames[mPage] << "`";
    else if (focus != mLoggedFocus)
        VELMORA_LOG("MENU") << "Focus on " << EntryName(focus);
    mLoggedPage = mPage;
    mLoggedFocus = focus;
}

void MainMenuScreen::HandleInput(const Interface::PadInput& pad) {
    mRoot->HandleInput(pad);
    if (InputManager::GetInstance().IsKeyPressed(SDLK_ESCAPE) || (pad.mConnected && pad.mBPressed)) {
        HandleEscape();
    } else if (mInGame && pad.mConnected && pad.mStartPressed && mPage != kPageLeaving) {
        // Start opened the pause menu, so Start closes it again, as "Resume" does.
        GoToPage(kPageResuming);
    }
}

void MainMenuScreen::HandleEscape() {
    if (mClosing) return;
    if (mPage != kPageMain) {
        GoBack();
    } else if (mInGame) {
        Close();
    } else {
        GoToPage(kPageQuit);
    }
}

void MainMenuScreen::FinishFading(const Interface::PadInput& pad) {
    if (mClosing || (mPage != kPageLeaving && mPage != kPageResuming) || mPageTime < kPageFadeSeconds) return;
    if (mPage == kPageResuming) {
        // The level below opens this menu whenever it sees Start held: it resumes once Start is up.
        if (pad.mConnected && pad.mStartDown) return;
        Close();
    } else if (mInGame) {
        mClosing = true;
        mGame.RemoveAllScreens();
        mGame.PushScreen(new MainMenuScreen(mGame, false));
    } else {
        Close();
        mGame.Quit();
    }
}

void MainMenuScreen::Close() {
    mClosing = true;
    mGame.RemoveScreen(this);
}

// Places the page boxes for the window's size: centred, below the logo in the in-game form.
void MainMenuScreen::Arrange() {
    // Every frame: the window may have changed size, and a page's width with its contents.
    const WindowSize window = WindowSize::Get();
    if (Interface::WField* top = mRoot->GetTop()) {
        top->mFixedWidth = window.mWidth;
        top->mFixedHeight = window.mHeight;
    }
    double tallest = 0.0;
    for (const Interface::WVBox* box : mPages) tallest = std::max<double>(tallest, box ? box->GetAreaHeight() : 0);
    mLogoHeight = mInGame ? LogoHeight(window, tallest) : 0.0;
    // Below the logo in the in-game form, in the middle of the window in the main form.
    const double centerY = (window.mHeight - (mInGame ? kLogoTopMargin + mLogoHeight : 0.0)) / 2.0;
    for (Interface::WVBox* box : mPages) {
        if (!box) continue;
        box->mX = std::floor((window.mWidth - box->GetAreaWidth()) / 2.0);
        box->mY = std::floor(centerY - box->GetAreaHeight() / 2.0);
    }
}

// ---- Actions ----

void MainMenuScreen::OpenHelp() {
    mKeepMusicOnResume = true;
    mGame.PushScreen(new HelpScreen(mGame));
}

void MainMenuScreen::OpenCredits() {
    mKeepMusicOnResume = false;
    mGame.PushScreen(new CreditsScreen(mGame));
    // The credits draw over this menu: its page steps aside so their lines do not run through it.
    ShowPage(false);
}

void MainMenuScreen::ShowPage(bool shown) {
    if (!mRoot) return;
    Interface::WVBox& box = *mPages[mPage];
    box.mActions.RemoveLanes(kPageLane);
    Interface::Animate(box, kPageLane, Interface::kInterpolateSine, PageStyle(shown ? 1.0 : 0.0, 0.0), false,
                       kPageFadeSeconds);
    mPageHidden = !shown;
}

void MainMenuScreen::RefreshResolutionSelector() {
    if (!mResolutionSelector) return;
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    const Graphics::VideoMode current = graphics.GetCurrentMode();
    // The sizes offered are those of the window's kind: a full-screen size the display does not
    // offer could not be set.
    std::vector<Graphics::VideoMode> modes;
    if (current.mFullscreen)
        graphics.GetFullscreenModes(modes);
    else
        graphics.GetWindowedModes(modes);
    auto callback = std::make_unique<ResolutionCallback>(modes, current, mResolutionWidth, mResolutionHeight);
    std::unique_ptr<Interface::Widget> option = callback->MakeOption();
    mResolutionSelector->mCallback = std::move(callback);
    mResolutionSelector->SetOption(std::move(option));
    mResolutionWidth = -1;
    mResolutionHeight = -1;
}

void MainMenuScreen::ApplyResolution() {
    if (mResolutionWidth <= 0 || mResolutionHeight <= 0) return;
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    const Graphics::VideoMode mode{mResolutionWidth, mResolutionHeight, graphics.IsFullscreen()};
    mResolutionWidth = -1;
    mResolutionHeight = -1;
    if (mode != graphics.GetCurrentMode()) graphics.SetVideoMode(mode);
    graphics.RememberMode();
}

void MainMenuScreen::SwitchWindowMode(bool fullscreen) {
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    std::vector<Graphics::VideoMode> modes;
    if (fullscreen)
        graphics.GetFullscreenModes(modes);
    else
        graphics.GetWindowedModes(modes);
    const Graphics::VideoMode mode = modes.empty()
        ? Graphics::VideoMode{graphics.mDesktopWidth, graphics.mDesktopHeight, fullscreen}
        : modes.front();
    if (mode != graphics.GetCurrentMode()) graphics.SetVideoMode(mode);
    graphics.RememberMode();
    GoToPage(kPageMain);
}

// ---- Drawing ----

void MainMenuScreen::Render(Graphics::Renderer& renderer) {
    const WindowSize window = WindowSize::Get();
    if (mInGame) {
        FillWindow(renderer, kLayerMenuShade, window, kShade);
        DrawPictureCentered(renderer, kLayerMenuLogo, Logo(), window.mWidth / 2.0,
                            window.mHeight - kLogoTopMargin - mLogoHeight / 2.0, kLogoMaxWidthFraction * window.mWidth,
                            mLogoHeight);
    } else {
        Graphics::Texture& background = *Graphics::TextureManager::GetInstance().GetTexture("roomrender.png");
        DrawPictureOverWindow(renderer, kLayerBackground, background, window);
    }
    for (Interface::WVBox* box : mPages) {
        if (box) RenderPanel(renderer, *box);
    }
    if (mRoot) mRoot->Render(renderer, kLayerMenu);
}

// A dark panel behind a page, fading with it, so its text reads over any background.
void MainMenuScreen::RenderPanel(Graphics::Renderer& renderer, const Interface::WVBox& box) const {
    const double alpha = Interface::GetEffectiveStyle(box).mAlpha;
    if (!(alpha > 0.0) || box.GetChildCount() == 0) return;
    const double left = box.GetAbsoluteX() - kPanelMargin;
    const double bottom = box.GetAbsoluteY() - kPanelMargin;
    Interface::DrawFramedBox(renderer, kLayerMenuPanel, left, bottom, left + box.GetAreaWidth() + 2 * kPanelMargin,
                             bottom + box.GetAreaHeight() + 2 * kPanelMargin, kPanelFrame,
                             Interface::WithOpacity(kPanelFrameColor, alpha * kPanelFrameOpacity),
                             Interface::WithOpacity(kPanelFill, alpha * kPanelFillOpacity));
}

} // namespace Velmora::Logic
