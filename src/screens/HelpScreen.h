#pragma once

#include "core/Color.h"
#include "core/GameScreen.h"

namespace Velmora {
class Game;
}

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Logic {

/// The help page ("helpmenu.png"), opened from the menu: the page at the largest size that keeps
/// its shape, centred over the window filled in the page's own dark colour. Escape, Return,
/// Space, a mouse button, the pad's Start or B closes it.
class HelpScreen : public GameScreen {
public:
    static constexpr const char* kPicture = "helpmenu.png";
    /// Width over height of the page as drawn (it is stored squeezed into a square texture).
    static constexpr double kPageAspect = 4.0 / 3.0;
    /// What fills the window beside or above and below the page.
    static const Color kMarginColor;

    /// A help page on the game's stack.
    HelpScreen();
    /// A help page on a given game's stack.
    explicit HelpScreen(Game& game);

    /// MessageUpdateLoop: closes on the skip input. Graphics::MessageRenderOverlay: the page.
    void HandleMessage(Message& message) override;

private:
    void Render(Graphics::Renderer& renderer) const;

    Game& mGame;
    bool mClosing = false; // removal requested
};

} // namespace Velmora::Logic
