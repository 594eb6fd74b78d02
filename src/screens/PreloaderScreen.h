#pragma once

#include "core/GameScreen.h"
#include "screens/PreloadList.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace Velmora {
class Game;
}

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Logic {

/// The first screen of the game: loads the resources listed in data/misc/preload.xml, one a
/// frame so the list of what has been loaded redraws between loads, then removes itself. A
/// resource that fails to load is fatal: the game cannot run without what is listed.
class PreloaderScreen : public GameScreen {
public:
    /// How each kind of resource is loaded; each returns whether the resource is there.
    struct Loaders {
        std::function<bool(const std::string& path)> mSample;
        std::function<bool(const std::string& path)> mTrack;
        std::function<bool(const std::string& path)> mTexture;
        /// The game's loaders: the audio manager's sample and music loaders (a sound that does
        /// not decode fails, unless there is no audio device at all) and the texture manager (an
        /// image that does not load, so that the default texture stands in, fails).
        static Loaders Default();
    };

    /// A preloader of the game's list (data/misc/preload.xml) on the game's stack.
    PreloaderScreen();
    /// A preloader of the list at listPath on a given game, loading through the given loaders.
    PreloaderScreen(Game& game, std::string listPath, Loaders loaders);

    /// Reads the list (a missing or broken list is logged and leaves nothing to load).
    void Initialize() override;
    /// MessageUpdateLoop: loads the next entry, or removes the screen once all are loaded (and
    /// logs "Preloaded N resources in S s" on "PRELOADER").
    /// Graphics::MessageRenderOverlay: the messages of the loaded entries, newest on top.
    void HandleMessage(Message& message) override;

    /// The list as read.
    const std::vector<PreloadEntry>& GetEntries() const { return mEntries; }
    /// Index of the next entry to load (equal to the entry count once all are loaded).
    size_t GetNextIndex() const { return mNext; }

private:
    void LoadNext();
    void Render(Graphics::Renderer& renderer) const;

    Game& mGame;
    std::string mListPath;
    Loaders mLoaders;
    std::vector<PreloadEntry> mEntries;
    size_t mNext = 0;
    bool mDone = false;                             // removal requested
    std::chrono::steady_clock::time_point mStarted; // for the log line that closes the preload
};

} // namespace Velmora::Logic
