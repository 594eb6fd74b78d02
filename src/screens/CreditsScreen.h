#pragma once

#include "audio/AudioManager.h"
#include "core/GameScreen.h"

#include <cstddef>

namespace Velmora {
class Game;
}

namespace Velmora::Graphics {
class Font;
class Renderer;
} // namespace Velmora::Graphics

namespace Velmora::Logic {

/// The credits: the window darkened over the screen below (the menu, or the level after a
/// campaign), with the game's credits rising from the bottom at 2.8 line heights a second, two
/// line heights apart. Ends when its last line has left the top of the window, or on Escape,
/// Return, Space, a mouse button, the pad's Start or B. Plays the credits music. Counts as a menu
/// screen: losing the window focus while it is open pauses nothing.
class CreditsScreen : public GameScreen {
public:
    static constexpr double kScrollLinesPerSecond = 2.8;
    static constexpr double kLineSpacing = 2.0; ///< line heights from one line to the next
    static constexpr const char* kCreditsMusic = "BGM/vm_blues_credits.ogg";
    static constexpr const char* kFont = "menu_small";
    static constexpr const char* kHeadingFont = "menu";
    /// Line height used when the credits font is missing, so the credits still scroll and end.
    static constexpr int kFallbackLineHeight = 24;

    /// One line of a credits list; headings are drawn in the larger menu font.
    struct Line {
        const char* mText;
        bool mHeading;
    };

    /// Credits on the game's stack.
    CreditsScreen();
    /// Credits on a given game's stack.
    explicit CreditsScreen(Game& game);

    /// Counts itself as a menu screen, plays the credits music, counts the lines of its list.
    void Initialize() override;
    /// Uncounts itself.
    void Deinitialize() override;
    /// Every message goes to the screen below first (it keeps running and drawing, but being
    /// paused it leaves the input alone). Then: MessageUpdateLoop scrolls and ends on the skip
    /// input or the pad's B; Graphics::MessageRenderOverlay darkens the window and draws the lines.
    void HandleMessage(Message& message) override;

    /// The lines of the list shown.
    static const Line* GetLines(size_t listIndex, size_t& count);
    /// The y of the bottom of line i (pixels, y up) at the current scroll offset.
    double LineY(size_t index) const;
    /// True once the last line has left the top of the window.
    bool HasScrolledPast() const;
    /// The line height of the credits font (the fallback when it is not loaded).
    double GetLineHeight() const;

    double mScroll = 0.0;  ///< pixels the text has risen
    double mElapsed = 0.0; ///< seconds shown
    size_t mListIndex = 0; ///< which built-in list is shown
    size_t mLineCount = 0; ///< its number of lines

private:
    void Update(double dt);
    void Render(Graphics::Renderer& renderer);
    void End();

    Game& mGame;
    Audio::SoundHandle mMusic = nullptr; // owned by the audio manager
    bool mEnded = false;                 // removal requested
};

} // namespace Velmora::Logic
