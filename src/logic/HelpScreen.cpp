#include "logic/HelpScreen.h"

#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "logic/ScreenDrawing.h"
#include "logic/ScreenInput.h"

namespace Velmora::Logic {

HelpScreen::HelpScreen() : HelpScreen(Game::GetInstance()) {}

HelpScreen::HelpScreen(Game& game) : mGame(game) {}

void HelpScreen::HandleMessage(Message& message) {
    if (message.Is<MessageUpdateLoop>()) {
        if (!mClosing && ScreenInput::SkipInput(InputManager::GetInstance(), kPadStart)) {
            mClosing = true;
            mGame.RemoveScreen(this);
        }
    } else if (auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
        if (!overlay->mRenderer) return;
        Graphics::Texture& page = *Graphics::TextureManager::GetInstance().GetTexture(kPicture);
        DrawPictureOverWindow(*overlay->mRenderer, kLayerPicture, page, WindowSize::Get());
    }
}

} // namespace Velmora::Logic
