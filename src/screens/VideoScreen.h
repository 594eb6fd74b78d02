#pragma once

#include "core/GameScreen.h"
#include "screens/VideoAudioOutput.h"

#include <memory>
#include <string>

namespace Velmora {
class Game;
}

namespace Velmora::Graphics {
class FrameTexture;
class Renderer;
} // namespace Velmora::Graphics

namespace Velmora::Video {
class TheoraVideoClip;
class TheoraVideoManager;
} // namespace Velmora::Video

namespace Velmora::Logic {

/// Plays a movie from data/video over the whole window: the player decodes it ahead on one
/// worker thread into RGB frames, the due frame is uploaded into a texture and drawn as large
/// as the window allows with its shape kept (black bars fill the rest), and the sound track
/// plays through an OpenAL stream at the effects volume. The music stops while it plays.
/// Escape, Return, Space, a mouse button or the pad's Start ends it, and so does the movie's
/// end; the screen below (the main menu after the intro) then takes over. A movie that is
/// missing or cannot be read is logged on "VIDEO" and ends the screen at its first frame.
class VideoScreen : public GameScreen {
public:
    /// The movie the intro leads into.
    static constexpr const char* kOpeningMovie = "movie_opening_halfsize.ogg";
    /// The name the frame texture is registered under with the texture manager.
    static constexpr const char* kFrameTextureName = "video/frame";

    /// A screen for the movie data/video/file on the game's stack.
    VideoScreen(Game& game, std::string file);
    ~VideoScreen() override;

    /// Stops the music, starts the player with one worker and opens the movie.
    void Initialize() override;
    /// Waits for the worker, releases the movie, the player and the frame's pixels.
    void Deinitialize() override;
    /// MessageUpdateLoop: advances the movie, ends on skip input or at its end.
    /// Graphics::MessageRenderOverlay: shows the due frame, letter-boxed.
    void HandleMessage(Message& message) override;

    /// The movie's file name under data/video.
    const std::string& GetFile() const { return mFile; }
    /// The open movie, or null (not opened, unreadable, or closed).
    Video::TheoraVideoClip* GetClip() const { return mClip; }
    /// Frames uploaded so far.
    long GetFramesShown() const { return mFramesShown; }

private:
    bool Open();
    void Close();
    void Update(double dt);
    void TakeDueFrame();
    void Render(Graphics::Renderer& renderer) const;
    void End();

    Game& mGame;
    std::string mFile;
    std::unique_ptr<Video::TheoraVideoManager> mManager;
    Video::TheoraVideoClip* mClip = nullptr;
    VideoAudioFactory mAudioFactory;
    Graphics::FrameTexture* mTexture = nullptr; // owned by the texture manager
    long mFramesShown = 0;
    bool mEnded = false; // removal requested
};

/// Pushes a VideoScreen playing data/video/file over the current screen; when it ends, the
/// screen below carries on.
void PlayVideo(Game& game, const std::string& file);

} // namespace Velmora::Logic
