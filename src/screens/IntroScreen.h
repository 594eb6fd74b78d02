#pragma once

#include "core/GameScreen.h"

namespace Velmora {
class Game;
}

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Logic {

/// The splash pictures shown after preloading: the two studio logos on white, then the game's
/// logo and the pad diagram on black, two seconds each, each centred at its own size over the
/// whole window. Escape, Return, Space, a mouse button or the pad's Start ends it at once. When
/// it ends it opens the main menu (and the opening movie above it when it was watched to the
/// end). Counts as a menu screen: losing the window focus while it is open pauses nothing.
class IntroScreen : public GameScreen {
public:
    static constexpr int kSlideCount = 4;          ///< pictures; slide 4 is the end, drawing nothing
    static constexpr double kSlideSeconds = 2.0;
    /// The picture of each slide, under data/image.
    static const char* const kSlidePictures[kSlideCount];

    /// An intro on the game's stack.
    IntroScreen();
    /// An intro on a given game's stack.
    explicit IntroScreen(Game& game);

    /// Counts itself as a menu screen and loads the pictures.
    void Initialize() override;
    /// Uncounts itself and pushes the main menu; an intro watched to its end (slide 4) also
    /// pushes the opening movie's VideoScreen above the menu.
    void Deinitialize() override;
    /// MessageUpdateLoop: time, skipping and slide changes. Graphics::MessageRenderOverlay: the
    /// slide. A slide outside 0 … 4 is fatal ("INVALID INTRO SCREEN STATE REACHED").
    void HandleMessage(Message& message) override;

    /// True when the slide's picture is drawn on white (the studio logos), false for black.
    static bool IsLightSlide(int slide) { return slide < 2; }

    int mSlide = 0;          ///< 0 … 3 pictures, 4 finished
    double mSlideTime = 0.0; ///< seconds on the current slide

private:
    void Update(double dt);
    void End();
    void Render(Graphics::Renderer& renderer) const;
    void CheckSlide() const;

    Game& mGame;
    bool mEnded = false;  // removal requested
};

} // namespace Velmora::Logic
