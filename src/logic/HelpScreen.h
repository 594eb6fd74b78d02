#pragma once

#include "core/GameScreen.h"

namespace Velmora {
class Game;
}

namespace Velmora::Logic {

/// The help page ("helpmenu.png" stretched over the window), opened from the menu. Escape,
/// Return, Space, a mouse button or the pad's Start closes it.
class HelpScreen : public GameScreen {
public:
    static constexpr const char* kPicture = "helpmenu.png";

    /// A help page on the game's stack.
    HelpScreen();
    /// A help page on a given game's stack.
    explicit HelpScreen(Game& game);

    /// MessageUpdateLoop: closes on the skip input. Graphics::MessageRenderOverlay: the page.
    void HandleMessage(Message& message) override;

private:
    Game& mGame;
    bool mClosing = false;  // removal requested
};

} // namespace Velmora::Logic
