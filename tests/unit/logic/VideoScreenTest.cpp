// The video screen over a stand-in screen: the opening movie ends on every skip input; a missing,
// damaged or ill-named movie is logged and skipped at once.
#include "graphics/FrameTexture.h"
#include "graphics/TextureManager.h"
#include "screens/VideoScreen.h"
#include "unit/logic/GameFixtures.h"

#include <chrono>
#include <thread>

namespace Velmora::Logic {
namespace {

using Tests::DummyScreen;
using Tests::ScreenFixture;

class VideoScreenTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        mBelow = Push(new DummyScreen());
    }

    // Frames of 1/30 s until the movie has shown `count` pictures; the worker decodes in real
    // time beside it, so the loop also gives it time, within a generous bound.
    void PlayUntilShown(VideoScreen& screen, long count) {
        for (int i = 0; i < 2000 && screen.GetFramesShown() < count; ++i) {
            Frame(1.0 / 30.0);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_GE(screen.GetFramesShown(), count);
    }

    DummyScreen* mBelow = nullptr;
};

TEST_F(VideoScreenTest, UnplayableMoviesAreLoggedAndSkippedToTheScreenBelow) {
    const std::string root = Tests::MakeTempDir();
    Tests::WriteFile(root + "/data/video/damaged.ogg", "OggS and then nothing a decoder could use");
    Game::GetInstance().SetRootPath(root);
    const struct {
        const char* mFile;
        const char* mLine;
    } cases[] = {
        {"no-such-movie.ogg", "[VIDEO:1] Skipping movie `no-such-movie.ogg`: "},
        {"damaged.ogg", "[VIDEO:1] Skipping movie `damaged.ogg`: "},
        {"../audio/BGM/vm_tense.ogg", "not a file name under data/video"},
    };
    for (const auto& c : cases) {
        Tests::LogCapture log;
        Push(new VideoScreen(mGame, c.mFile));
        Frame();
        EXPECT_EQ(mGame.GetTopScreen(), mBelow) << c.mFile;
        EXPECT_TRUE(log.Contains(c.mLine)) << c.mFile;
    }
}

// Escape ending the movie, and its picture between black bars in a wide window, are the movie
// script's (tests/e2e/movie.sh).
TEST_F(VideoScreenTest, EverySkipInputEndsTheOpeningMovie) {
    const auto press = [](int key) { InputManager::GetInstance().SetKey(key, true); };
    const auto click = [](int button) { InputManager::GetInstance().SetButton(button, true); };
    const auto start = [](int) { ControllerManager::GetInstance().mState.mButtons = kPadStart; };
    const struct {
        void (*mInput)(int);
        int mCode;
    } cases[] = {{press, SDLK_RETURN}, {click, SDL_BUTTON_LEFT}, {start, 0}};
    for (const auto& c : cases) {
        auto* screen = Push(new VideoScreen(mGame, VideoScreen::kOpeningMovie));
        ASSERT_NE(screen->GetClip(), nullptr);
        PlayUntilShown(*screen, 1);
        EXPECT_EQ(mGame.GetTopScreen(), screen) << "still playing";
        c.mInput(c.mCode);
        Frame();
        EXPECT_EQ(mGame.GetTopScreen(), mBelow) << c.mCode;
        ResetInput();
        Frame();
    }
    const auto* texture = dynamic_cast<const Graphics::FrameTexture*>(
        Graphics::TextureManager::GetInstance().FindTexture(VideoScreen::kFrameTextureName));
    ASSERT_NE(texture, nullptr);
    EXPECT_TRUE(texture->GetImage().mPixels.empty()) << "the frame's pixels go with the screen";
}

} // namespace
} // namespace Velmora::Logic
