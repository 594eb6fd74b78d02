#include "screens/IntroScreen.h"

#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "core/LogRecord.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "game/LogicManager.h"
#include "screens/MainMenuScreen.h"
#include "screens/ScreenDrawing.h"
#include "screens/ScreenInput.h"
#include "screens/VideoScreen.h"

namespace Velmora::Logic {

namespace {
const Color kLightBackground = Color::FromRgba(255, 255, 255);
const Color kDarkBackground = Color::FromRgba(0, 0, 0);
}

const char* const IntroScreen::kSlidePictures[kSlideCount] = {"norrik.png", "zenthra.png", "velmora.png",
                                                                "xboxcontroller.png"};

IntroScreen::IntroScreen() : IntroScreen(Game::GetInstance()) {}

IntroScreen::IntroScreen(Game& game) : mGame(game) {}

void IntroScreen::Initialize() {
    ++LogicManager::GetInstance().mMenuScreenCount;
    // Normally preloaded already; asking now keeps the first slide from loading mid-frame.
    for (const char* picture : kSlidePictures) Graphics::TextureManager::GetInstance().GetTexture(picture);
}

void IntroScreen::Deinitialize() {
    --LogicManager::GetInstance().mMenuScreenCount;
    mGame.PushScreen(new MainMenuScreen(mGame, false));
    // Watched to the end: the opening movie plays above the menu. Skipping the intro skips it too.
    if (mSlide == kSlideCount) PlayVideo(mGame, VideoScreen::kOpeningMovie);
}

void IntroScreen::HandleMessage(Message& message) {
    if (auto* update = MessageCast<MessageUpdateLoop>(message)) {
        Update(update->mDt);
    } else if (auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
        CheckSlide();
        if (overlay->mRenderer) Render(*overlay->mRenderer);
    }
}

void IntroScreen::Update(double dt) {
    CheckSlide();
    if (mEnded) return;
    mSlideTime += dt;
    if (ScreenInput::SkipInput(InputManager::GetInstance(), kPadStart)) {
        End();
        return;
    }
    if (mSlideTime < kSlideSeconds) return;
    mSlideTime = 0.0;
    ++mSlide;
    if (mSlide == kSlideCount) End();
}

void IntroScreen::End() {
    mEnded = true;
    mGame.RemoveScreen(this);
}

void IntroScreen::CheckSlide() const {
    if (mSlide < 0 || mSlide > kSlideCount) VELMORA_FATAL << "INVALID INTRO SCREEN STATE REACHED";
}

void IntroScreen::Render(Graphics::Renderer& renderer) const {
    if (mSlide < 0 || mSlide >= kSlideCount) return;
    const WindowSize window = WindowSize::Get();
    FillWindow(renderer, kLayerBackground, window, IsLightSlide(mSlide) ? kLightBackground : kDarkBackground);
    Graphics::Texture* picture = Graphics::TextureManager::GetInstance().GetTexture(kSlidePictures[mSlide]);
    DrawPictureCentered(renderer, kLayerPicture, *picture, window.mWidth / 2.0, window.mHeight / 2.0, window.mWidth,
                        window.mHeight);
}

} // namespace Velmora::Logic
