#include "screens/HelpScreen.h"

#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "screens/ScreenDrawing.h"
#include "screens/ScreenInput.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Logic {

const Color HelpScreen::kMarginColor = Color::FromRgba(6, 11, 18);

HelpScreen::HelpScreen() : HelpScreen(Game::GetInstance()) {}

HelpScreen::HelpScreen(Game& game) : mGame(game) {}

void HelpScreen::HandleMessage(Message& message) {
    if (message.Is<MessageUpdateLoop>()) {
        if (!mClosing && ScreenInput::SkipOrBackInput(InputManager::GetInstance(), kPadStart)) {
            mClosing = true;
            mGame.RemoveScreen(this);
        }
    } else if (auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
        if (!overlay->mRenderer) return;
        Render(*overlay->mRenderer);
    }
}

void HelpScreen::Render(Graphics::Renderer& renderer) const {
    const WindowSize window = WindowSize::Get();
    if (window.mWidth <= 0 || window.mHeight <= 0) return;
    FillWindow(renderer, kLayerBackground, window, kMarginColor);
    // Stretched over a window of another shape its text would be squeezed: the page keeps its
    // shape, as large as fits, centred, in whole pixels so that its edges fall on pixel borders.
    const double height = std::min(std::floor(window.mWidth / kPageAspect), static_cast<double>(window.mHeight));
    const double width = std::min(std::round(height * kPageAspect), static_cast<double>(window.mWidth));
    const double left = std::floor((window.mWidth - width) / 2.0);
    const double bottom = std::floor((window.mHeight - height) / 2.0);
    Graphics::Texture& page = *Graphics::TextureManager::GetInstance().GetTexture(kPicture);
    DrawPicture(renderer, kLayerPicture, page, left, bottom, left + width, bottom + height);
}

} // namespace Velmora::Logic
