// The video screen over a stand-in screen: the opening movie plays letter-boxed and ends on
// every skip input; a missing, damaged or ill-named movie is logged and skipped at once.
#include "graphics/Batch.h"
#include "graphics/FrameTexture.h"
#include "graphics/TextureManager.h"
#include "screens/ScreenDrawing.h"
#include "screens/VideoScreen.h"
#include "unit/logic/GameFixtures.h"
#include "video/TheoraVideoClip.h"

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

    // The picture's quad on this frame's picture layer: (left, bottom) and (right, top).
    std::pair<Graphics::Vertex, Graphics::Vertex> PictureCorners() const {
        for (const auto& [key, batch] : mRenderer.GetBatches()) {
            if (key.mLayer == kLayerPicture && batch->mCount == 4) {
                return {batch->GetVertices()[0], batch->GetVertices()[2]};
            }
        }
        ADD_FAILURE() << "no picture drawn";
        return {};
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
        auto* screen = Push(new VideoScreen(mGame, c.mFile));
        EXPECT_EQ(screen->GetClip(), nullptr) << c.mFile;
        Frame();
        EXPECT_EQ(mGame.GetTopScreen(), mBelow) << c.mFile;
        EXPECT_TRUE(log.Contains(c.mLine)) << c.mFile;
    }
}

TEST_F(VideoScreenTest, TheOpeningMoviePlaysLetterBoxedAndEverySkipInputEndsIt) {
    const auto press = [](int key) { InputManager::GetInstance().SetKey(key, true); };
    const auto click = [](int button) { InputManager::GetInstance().SetButton(button, true); };
    const auto start = [](int) { ControllerManager::GetInstance().mState.mButtons = kPadStart; };
    const struct {
        void (*mInput)(int);
        int mCode;
    } cases[] = {{press, SDLK_ESCAPE},     {press, SDLK_RETURN},      {press, SDLK_SPACE},
                 {click, SDL_BUTTON_LEFT}, {click, SDL_BUTTON_RIGHT}, {start, 0}};
    for (const auto& c : cases) {
        Tests::LogCapture log;
        auto* screen = Push(new VideoScreen(mGame, VideoScreen::kOpeningMovie));
        ASSERT_NE(screen->GetClip(), nullptr);
        EXPECT_TRUE(log.Contains("[VIDEO:1] Creating video from data source: ")) << "the player logs into the game";
        PlayUntilShown(*screen, 1);
        EXPECT_EQ(mGame.GetTopScreen(), screen) << "still playing";
        // A wide movie in a 4:3 window: full width, black bars above and below.
        const auto [low, high] = PictureCorners();
        const double shownHeight =
            kWindowWidth * static_cast<double>(screen->GetClip()->getHeight()) / screen->GetClip()->getWidth();
        EXPECT_DOUBLE_EQ(low.mX, 0.0);
        EXPECT_DOUBLE_EQ(high.mX, kWindowWidth);
        EXPECT_DOUBLE_EQ(low.mY, (kWindowHeight - shownHeight) / 2.0);
        EXPECT_DOUBLE_EQ(high.mY, (kWindowHeight + shownHeight) / 2.0);
        EXPECT_EQ(VerticesOnLayer(kLayerBackground), 4u) << "the bars";
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
