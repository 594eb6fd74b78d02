#pragma once

#include "audio/AudioManager.h"
#include "core/GameScreen.h"
#include "interface/PadInput.h"
#include "screens/MenuPage.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace Velmora {
class Game;
}

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Interface {
class WButton;
class WSelector;
class WSlider;
class Widget;
class WVBox;
class WidgetRoot;
} // namespace Velmora::Interface

namespace Velmora::Logic {

/// The game's menu, in two forms. The main form (mInGame false) is the title menu over the
/// menu background: campaigns, options, help, credits and quitting. The in-game form is the pause
/// menu the play screen pushes: it darkens the frozen level, shows the logo and adds "Resume",
/// "Reset Level" and "Main Menu". Each page is a box of buttons; changing page fades and slides
/// the old box out and the new one in. Escape or the pad's B goes back a page (on the first page
/// it closes the in-game menu, or offers to quit in the main form); the pad's Start resumes play
/// from the in-game menu. The stick, the D-pad and A work the buttons (see WidgetRoot). Plays the
/// title music. Counts as a menu screen: losing the window focus while it is open pauses nothing.
class MainMenuScreen : public GameScreen {
public:
    static constexpr double kPageFadeSeconds = 0.35; ///< a page's fade and slide, in or out
    static constexpr double kPageSlidePixels = 80.0; ///< how far a page slides while fading
    static constexpr const char* kTitleMusic = "BGM/vm_blues_title.ogg";

    /// A menu on the game's stack; inGame selects the pause-menu form.
    explicit MainMenuScreen(bool inGame = false);
    /// A menu on a given game's stack.
    MainMenuScreen(Game& game, bool inGame);
    ~MainMenuScreen() override;

    /// Counts itself as a menu screen, plays the title music, builds every page, shows page 0.
    void Initialize() override;
    /// Uncounts itself.
    void Deinitialize() override;
    /// Stores the flag; resumed after a screen that replaced the music (credits, the movie), it
    /// plays the title music again, and a page that stepped aside for the credits fades back in.
    void SetPaused(bool paused) override;
    /// MessageUpdateLoop: widgets and input (none while paused under a screen that passes its
    /// frames down), Escape, the endings of pages 8 and 9. Render messages go to the screen
    /// below first, then the menu draws over it.
    void HandleMessage(Message& message) override;

    /// Fades the current page out and the given one in; the focus moves to its first button.
    void GoToPage(MenuPage page);
    /// "Cancel", "Go Back" and Escape: pages 6 and 7 back to 5 (6 also applies a chosen
    /// resolution and remembers the mode, 7 saves the volumes), pages 8 and 9 stay, every other
    /// page back to 0.
    void GoBack();

    /// The page shown (or being faded in).
    MenuPage GetPage() const { return mPage; }
    bool IsInGame() const { return mInGame; }
    /// The box of a page (null before Initialize).
    Interface::WVBox* GetPageBox(MenuPage page) const { return mPages[page]; }
    /// The button of a page with that label, or null.
    Interface::WButton* FindButton(MenuPage page, const std::string& label) const;
    /// The widget tree (null before Initialize).
    Interface::WidgetRoot* GetRoot() const { return mRoot.get(); }
    /// The graphics page's selector and the audio page's sliders (null before Initialize).
    Interface::WSelector* GetResolutionSelector() const { return mResolutionSelector; }
    Interface::WSlider* GetMusicSlider() const { return mMusicSlider; }
    Interface::WSlider* GetEffectsSlider() const { return mEffectsSlider; }

    /// The resolution chosen on the graphics page, applied when the page is left; −1 when none.
    int mResolutionWidth = -1;
    int mResolutionHeight = -1;
    /// Seconds since the menu opened.
    double mElapsed = 0.0;

private:
    using Action = std::function<void()>;

    Interface::WVBox* NewPage(MenuPage page, const char* title);
    Interface::WButton& AddButton(Interface::WVBox& page, const std::string& label, Action action);
    void BuildPages();
    void BuildMainPage();
    void BuildConfirmPages();
    void BuildCampaignPage();
    /// Greys a button out and takes it out of the focus order.
    void DisableEntry(Interface::WButton& button);
    void BuildQuitPage();
    void BuildOptionsPage();
    void BuildGraphicsPage();
    void BuildAudioPage();
    void ShowPageAtOnce(MenuPage page);
    void FocusPage(MenuPage page);

    void Update(double dt);
    void LogChanges();
    void HandleInput(const Interface::PadInput& pad);
    void HandleEscape();
    void FinishFading(const Interface::PadInput& pad);
    void Close();
    void Arrange();

    void OpenHelp();
    void OpenCredits();
    void ShowPage(bool shown);
    void RefreshResolutionSelector();
    void ApplyResolution();
    void SwitchWindowMode(bool fullscreen);
    void PlayTitleMusic();

    void Render(Graphics::Renderer& renderer);
    void RenderPanel(Graphics::Renderer& renderer, const Interface::WVBox& box) const;

    Game& mGame;
    bool mInGame;
    MenuPage mPage = kPageMain;
    std::array<Interface::WVBox*, kMenuPageCount> mPages{}; // owned by the tree
    std::unique_ptr<Interface::WidgetRoot> mRoot;
    Interface::WSelector* mResolutionSelector = nullptr; // owned by the tree
    Interface::WSlider* mMusicSlider = nullptr;
    Interface::WSlider* mEffectsSlider = nullptr;
    Audio::SoundHandle mTitleMusic = nullptr; // owned by the audio manager
    double mPageTime = 0.0;                   // seconds since the last page change
    double mLogoHeight = 0.0;                 // pixels, of the in-game logo as last arranged
    bool mClosing = false;                    // removal requested
    bool mKeepMusicOnResume = false;
    bool mPageHidden = false; // faded out under the credits, back when they leave
    int mLoggedPage = -1;     // the page and focus the log last told of
    const Interface::Widget* mLoggedFocus = nullptr;
};

} // namespace Velmora::Logic
