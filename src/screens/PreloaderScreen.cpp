#include "screens/PreloaderScreen.h"

#include "audio/AudioManager.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/LogRecord.h"
#include "graphics/Font.h"
#include "graphics/FontManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "screens/ScreenDrawing.h"

namespace Velmora::Logic {

namespace {

constexpr double kMargin = 40.0;   // pixels from the window's left and top edges
constexpr double kBarHeight = 6.0; // the progress bar along the bottom
const Color kTextColor = Color::FromRgba(200, 230, 255);
const Color kBarColor = Color::FromRgba(60, 160, 255);

// Without a device every sound "loads" as silence, which is how the game runs then.
bool LoadSound(const std::string& path, bool music) {
    Audio::AudioManager& audio = Audio::AudioManager::GetInstance();
    const Audio::SoundHandle handle = music ? audio.LoadMusic(path) : audio.LoadSample(path);
    return !audio.IsAvailable() || *handle != 0;
}

bool LoadTexture(const std::string& path) {
    Graphics::TextureManager& textures = Graphics::TextureManager::GetInstance();
    return textures.GetTexture(path) != textures.GetDefaultTexture();
}

} // namespace

PreloaderScreen::Loaders PreloaderScreen::Loaders::Default() {
    return {[](const std::string& path) { return LoadSound(path, false); },
            [](const std::string& path) { return LoadSound(path, true); }, LoadTexture};
}

PreloaderScreen::PreloaderScreen()
    : PreloaderScreen(Game::GetInstance(), PreloadList::DefaultPath(), Loaders::Default()) {}

PreloaderScreen::PreloaderScreen(Game& game, std::string listPath, Loaders loaders)
    : mGame(game), mListPath(std::move(listPath)), mLoaders(std::move(loaders)) {}

void PreloaderScreen::Initialize() {
    mStarted = std::chrono::steady_clock::now();
    PreloadList::ReadFile(mListPath, mEntries);
    mNext = 0;
}

void PreloaderScreen::HandleMessage(Message& message) {
    if (message.Is<MessageUpdateLoop>()) {
        if (mDone) return;
        if (mNext >= mEntries.size()) {
            mDone = true;
            VELMORA_LOG("PRELOADER")
                << "Preloaded " << mEntries.size() << " resources in "
                << std::chrono::duration<double>(std::chrono::steady_clock::now() - mStarted).count() << " s";
            mGame.RemoveScreen(this);
            return;
        }
        LoadNext();
    } else if (auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
        if (overlay->mRenderer) Render(*overlay->mRenderer);
    }
}

void PreloaderScreen::LoadNext() {
    const PreloadEntry& entry = mEntries[mNext];
    ++mNext;
    switch (entry.mKind) {
        case PreloadKind::kSample:
            if (!mLoaders.mSample || !mLoaders.mSample(entry.mPath)) {
                VELMORA_LOG("PRELOADER") << "Failed to load sample `" << entry.mPath << "`";
                VELMORA_FATAL << "Failed to load sample `" << entry.mPath << "`";
            }
            break;
        case PreloadKind::kTrack:
            if (!mLoaders.mTrack || !mLoaders.mTrack(entry.mPath)) {
                VELMORA_LOG("PRELOADER") << "Failed to load music track `" << entry.mPath << "`";
                VELMORA_FATAL << "Failed to load music track `" << entry.mPath << "`";
            }
            break;
        case PreloadKind::kTexture:
            if (!mLoaders.mTexture || !mLoaders.mTexture(entry.mPath)) {
                VELMORA_LOG("PRELOADER") << "Failed to load texture `" << entry.mPath << "`";
                VELMORA_FATAL << "Failed to load texture `" << entry.mPath << "`";
            }
            break;
    }
}

void PreloaderScreen::Render(Graphics::Renderer& renderer) const {
    const WindowSize window = WindowSize::Get();
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    const Graphics::Font* font = fonts.GetFont("menu_small");
    if (font && font->mLineHeight > 0) {
        double y = window.mHeight - kMargin - font->mLineHeight;
        // Newest first: the line just loaded is at the top, older ones move down and off.
        for (size_t i = mNext; i > 0 && y > -font->mLineHeight; --i, y -= font->mLineHeight) {
            fonts.DrawText(renderer, font, mEntries[i - 1].mMessage, kMargin, y, Graphics::kAlignLeft, kLayerPicture,
                           kTextColor.GetPacked());
        }
    }
    if (!mEntries.empty()) {
        const double fraction = static_cast<double>(mNext) / static_cast<double>(mEntries.size());
        FillRect(renderer, kLayerPicture, 0.0, 0.0, window.mWidth * fraction, kBarHeight, kBarColor);
    }
}

} // namespace Velmora::Logic
