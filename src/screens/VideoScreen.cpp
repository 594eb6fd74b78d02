#include "screens/VideoScreen.h"

#include "audio/AudioManager.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "core/LogRecord.h"
#include "core/Path.h"
#include "graphics/FrameTexture.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "screens/ScreenDrawing.h"
#include "screens/ScreenInput.h"
#include "screens/VideoLog.h"
#include "video/TheoraException.h"
#include "video/TheoraVideoClip.h"
#include "video/TheoraVideoFrame.h"
#include "video/TheoraVideoManager.h"

#include <algorithm>
#include <utility>

namespace Velmora::Logic {

namespace {

const Color kBars = Color::FromRgba(0, 0, 0);

Graphics::FrameTexture* FrameTextureOfManager() {
    Graphics::TextureManager& textures = Graphics::TextureManager::GetInstance();
    Graphics::Texture* texture = textures.FindTexture(VideoScreen::kFrameTextureName);
    if (texture == nullptr) {
        texture = textures.RegisterTexture(VideoScreen::kFrameTextureName,
                                           std::make_unique<Graphics::FrameTexture>(VideoScreen::kFrameTextureName));
    }
    return dynamic_cast<Graphics::FrameTexture*>(texture);
}

} // namespace

VideoScreen::VideoScreen(Game& game, std::string file) : mGame(game), mFile(std::move(file)) {}

VideoScreen::~VideoScreen() { Close(); }

void VideoScreen::Initialize() {
    Audio::AudioManager::GetInstance().StopMusic();
    if (!Open()) Close();
}

bool VideoScreen::Open() {
    if (!IsPlainName(mFile)) {
        VELMORA_LOG("VIDEO") << "Not playing movie `" << mFile << "`: not a file name under data/video";
        return false;
    }
    if (Video::TheoraVideoManager::getSingletonPtr() != nullptr) {
        VELMORA_LOG("VIDEO") << "Not playing movie `" << mFile << "`: another movie is playing";
        return false;
    }
    mTexture = FrameTextureOfManager();
    VideoLog::Install();
    mManager = std::make_unique<Video::TheoraVideoManager>(1);
    mManager->setAudioInterfaceFactory(&mAudioFactory);
    try {
        mClip = mManager->createVideoClip(Game::GetInstance().DataPath("video", mFile));
    } catch (const Video::TheoraGenericException& error) {
        VideoLog::Flush();
        VELMORA_LOG("VIDEO") << "Skipping movie `" << mFile << "`: " << error.getErrorText();
        return false;
    }
    VideoLog::Flush();
    if (mTexture == nullptr || !mTexture->SetSize(mClip->getWidth(), mClip->getHeight())) {
        VELMORA_LOG("VIDEO") << "Skipping movie `" << mFile << "`: no texture for its pictures";
        return false;
    }
    return true;
}

void VideoScreen::Close() {
    if (mManager) {
        // Destroying the clip waits for the worker to finish the frame it decodes.
        if (mClip) mManager->destroyVideoClip(mClip);
        mManager.reset();
        VideoLog::Uninstall();
    }
    mClip = nullptr;
    if (mTexture) mTexture->Clear();
    mTexture = nullptr;
}

void VideoScreen::Deinitialize() { Close(); }

void VideoScreen::HandleMessage(Message& message) {
    if (auto* update = MessageCast<MessageUpdateLoop>(message)) {
        Update(update->mDt);
    } else if (auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
        TakeDueFrame();
        if (overlay->mRenderer) Render(*overlay->mRenderer);
    }
}

void VideoScreen::Update(double dt) {
    if (mEnded) return;
    if (mClip == nullptr || ScreenInput::SkipInput(InputManager::GetInstance(), kPadStart)) {
        End();
        return;
    }
    mManager->update(static_cast<float>(dt));
    VideoLog::Flush();
    if (mClip->isDone()) End();
}

void VideoScreen::TakeDueFrame() {
    if (mClip == nullptr || mTexture == nullptr) return;
    Video::TheoraVideoFrame* frame = mClip->getNextFrame();
    if (frame == nullptr) return;
    mTexture->SetPixels(frame->getBuffer(), frame->getStride());
    mClip->popFrame();
    ++mFramesShown;
}

void VideoScreen::Render(Graphics::Renderer& renderer) const {
    const WindowSize window = WindowSize::Get();
    FillWindow(renderer, kLayerBackground, window, kBars);
    if (mTexture == nullptr || mFramesShown == 0 || mTexture->mWidth <= 0 || mTexture->mHeight <= 0) return;
    // As large as the window allows with the picture's shape kept; the rest stays black.
    const double scale = std::min(static_cast<double>(window.mWidth) / mTexture->mWidth,
                                  static_cast<double>(window.mHeight) / mTexture->mHeight);
    const double width = mTexture->mWidth * scale;
    const double height = mTexture->mHeight * scale;
    const double left = (window.mWidth - width) / 2.0;
    const double bottom = (window.mHeight - height) / 2.0;
    DrawPicture(renderer, kLayerPicture, *mTexture, left, bottom, left + width, bottom + height);
}

void VideoScreen::End() {
    mEnded = true;
    mGame.RemoveScreen(this);
}

void PlayVideo(Game& game, const std::string& file) { game.PushScreen(new VideoScreen(game, file)); }

} // namespace Velmora::Logic
