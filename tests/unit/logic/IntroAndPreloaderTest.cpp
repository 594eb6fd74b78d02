// The start-up screens: the preloader loads one listed resource a frame and fails hard on a
// missing one; the intro steps through its slides or is skipped, and opens the main menu.
#include "graphics/Batch.h"
#include "graphics/Font.h"
#include "screens/IntroScreen.h"
#include "screens/MainMenuScreen.h"
#include "screens/PreloaderScreen.h"
#include "screens/ScreenDrawing.h"
#include "screens/ScreenInput.h"
#include "screens/VideoScreen.h"
#include "unit/logic/GameFixtures.h"

#include <array>
#include <cmath>
#include <map>
#include <set>

namespace Velmora::Logic {
namespace {

using Tests::ScreenFixture;

// ---- Intro ----

// Reports the slide it ended on, since the stack deletes the screen.
class WatchedIntro : public IntroScreen {
public:
    WatchedIntro(Game& game, int& endSlide) : IntroScreen(game), mEndSlide(endSlide) {}
    void Deinitialize() override {
        mEndSlide = mSlide;
        IntroScreen::Deinitialize();
    }
    int& mEndSlide;
};

// The end slide lives in the fixture: intros still open when a test ends leave during TearDown.
class IntroTest : public ScreenFixture {
protected:
    int mEndSlide = -1;
};

TEST_F(IntroTest, EverySkipInputGoesStraightToTheMainMenuButOtherPadButtonsDoNot) {
    InputManager& input = InputManager::GetInstance();
    PadState& pad = ControllerManager::GetInstance().mState;
    const struct {
        std::function<void()> mPress;
        int mEndSlide;
    } cases[] = {
        {[&] { input.SetKey(SDLK_SPACE, true); }, 0},  {[&] { input.SetKey(SDLK_ESCAPE, true); }, 0},
        {[&] { input.SetKey(SDLK_RETURN, true); }, 0}, {[&] { input.SetButton(SDL_BUTTON_RIGHT, true); }, 0},
        {[&] { pad.mButtons = kPadStart; }, 0}, // counts while held
        {[&] { pad.mButtons = kPadA; }, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        mEndSlide = -1;
        Push(new WatchedIntro(mGame, mEndSlide));
        EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore + 1);
        Frame(0.5);
        c.mPress();
        Frame();
        EXPECT_EQ(mEndSlide, c.mEndSlide);
        if (c.mEndSlide == 0) {
            ASSERT_EQ(mGame.GetScreens().size(), 1u) << "only the menu: no movie above it";
            auto* menu = dynamic_cast<MainMenuScreen*>(mGame.GetTopScreen());
            ASSERT_NE(menu, nullptr);
            EXPECT_FALSE(menu->IsInGame());
            EXPECT_EQ(menu->GetPage(), kPageMain);
            EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore + 1)
                << "the intro gave its count back";
        }
        ResetInput();
        ClearStack();
    }
}

TEST_F(IntroTest, WatchingAllFourSlidesEndsOnSlideFourAfterEightSeconds) {
    auto* intro = Push(new WatchedIntro(mGame, mEndSlide));
    for (int frame = 1; frame < 32; ++frame) {
        Frame(0.25);
        ASSERT_EQ(mGame.GetTopScreen(), intro) << "frame " << frame;
        EXPECT_EQ(intro->mSlide, frame / 8) << "frame " << frame;
    }
    Frame(0.25);
    EXPECT_EQ(mEndSlide, IntroScreen::kSlideCount);
    ASSERT_EQ(mGame.GetScreens().size(), 2u) << "the menu and the opening movie above it";
    EXPECT_NE(dynamic_cast<MainMenuScreen*>(mGame.GetScreens().front()), nullptr);
    auto* video = dynamic_cast<VideoScreen*>(mGame.GetTopScreen());
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->GetFile(), VideoScreen::kOpeningMovie);
    Tap(SDLK_ESCAPE);
    EXPECT_EQ(mGame.GetTopScreen(), mGame.GetScreens().front()) << "skipping the movie uncovers the menu";
}

TEST_F(IntroTest, StudioLogosShowOnWhiteAndTheGameLogoOnBlack) {
    auto* intro = Push(new WatchedIntro(mGame, mEndSlide));
    const auto background = [this]() -> Graphics::Vertex {
        for (const auto& [key, batch] : mRenderer.GetBatches()) {
            if (key.mLayer == kLayerBackground && batch->mCount == 4) return batch->GetVertices()[2];
        }
        return {};
    };
    Frame(0.1);
    Graphics::Vertex corner = background();
    EXPECT_EQ(corner.mX, kWindowWidth);
    EXPECT_EQ(corner.mY, kWindowHeight);
    EXPECT_EQ((std::array{corner.mRed, corner.mGreen, corner.mBlue}), (std::array<uint8_t, 3>{255, 255, 255}));
    Run(4.0, 0.25);
    ASSERT_EQ(intro->mSlide, 2);
    corner = background();
    EXPECT_EQ((std::array{corner.mRed, corner.mGreen, corner.mBlue}), (std::array<uint8_t, 3>{0, 0, 0}));
}

TEST_F(IntroTest, ASlideOutsideTheRangeIsFatal) {
    auto* intro = Push(new WatchedIntro(mGame, mEndSlide));
    Tests::LogCapture log;
    intro->mSlide = 5;
    EXPECT_THROW(Frame(), Tests::FatalError);
    EXPECT_TRUE(log.CriticalContains("[ASSERT:1] Fatal Error: INVALID INTRO SCREEN STATE REACHED"));
    intro->mSlide = -1;
    EXPECT_THROW(Frame(), Tests::FatalError);
    intro->mSlide = 0;
}

// ---- Preloader ----

class PreloaderTest : public ScreenFixture {
protected:
    // Loaders that record what they were asked for and fail for names in mFailing.
    PreloaderScreen::Loaders Recording() {
        const auto make = [this](const char* kind) {
            return [this, kind](const std::string& path) {
                mLoaded.push_back(std::string(kind) + ":" + path);
                return mFailing.count(path) == 0;
            };
        };
        return {make("sample"), make("track"), make("texture")};
    }
    std::string WriteList(const std::string& body) {
        const std::string path = mDir + "/preload.xml";
        Tests::WriteFile(path, body);
        return path;
    }

    std::string mDir = Tests::MakeTempDir();
    std::vector<std::string> mLoaded;
    std::map<std::string, bool> mFailing;
};

constexpr const char* kFiveEntries = R"(<preload>
  <sample><path>SFX/a.ogg</path><message>First</message></sample>
  <track><path>BGM/b.ogg</path><message>Second</message></track>
  <texture><path>c.png</path><message>Third</message></texture>
  <texture><path>d.png</path><message>Fourth</message></texture>
  <sample><path>SFX/e.ogg</path><message>Fifth</message></sample>
</preload>)";

TEST_F(PreloaderTest, FiveEntriesLoadOneAFrameAndKeepTheScreenUpForSixFrames) {
    auto* preloader = Push(new PreloaderScreen(mGame, WriteList(kFiveEntries), Recording()));
    ASSERT_EQ(preloader->GetEntries().size(), 5u);
    EXPECT_TRUE(mLoaded.empty()) << "nothing loads before the first frame";
    for (size_t frame = 1; frame <= 5; ++frame) {
        Frame();
        ASSERT_EQ(mGame.GetTopScreen(), preloader);
        EXPECT_EQ(mLoaded.size(), frame);
    }
    EXPECT_EQ(mLoaded,
              (std::vector<std::string>{"sample:SFX/a.ogg", "track:BGM/b.ogg", "texture:c.png", "texture:d.png",
                                        "sample:SFX/e.ogg"}));
    Frame();
    EXPECT_TRUE(mGame.GetScreens().empty()) << "the sixth frame finds everything loaded and leaves";
    EXPECT_EQ(mLoaded.size(), 5u);
}

TEST_F(PreloaderTest, LoadedMessagesAreDrawnNewestOnTop) {
    const std::string list = R"(<preload>
      <texture><path>a.png</path><message>W</message></texture>
      <texture><path>b.png</path><message>WWW</message></texture>
      <texture><path>c.png</path><message>WW</message></texture>
    </preload>)";
    Push(new PreloaderScreen(mGame, WriteList(list), Recording()));
    Frame();
    Frame();
    // Two lines drawn: quads grouped by their bottom edge, top line first.
    std::map<double, int, std::greater<>> quadsByLine;
    const Graphics::Font* font = Graphics::FontManager::GetInstance().GetFont("menu_small");
    for (const auto& [key, batch] : mRenderer.GetBatches()) {
        if (key.mTexture != font->mPage) continue;
        for (unsigned v = 0; v < batch->mCount; v += 4) ++quadsByLine[std::floor(batch->GetVertices()[v].mY)];
    }
    ASSERT_EQ(quadsByLine.size(), 2u);
    EXPECT_EQ(quadsByLine.begin()->second, 3) << "the newest message, WWW, is the top line";
    EXPECT_EQ(std::next(quadsByLine.begin())->second, 1);
}

TEST_F(PreloaderTest, AMissingBrokenOrRootlessListIsLoggedAndTheScreenLeaves) {
    const struct {
        std::string mPath, mLine;
        bool mBox; // also an error box
    } cases[] = {
        {mDir + "/absent.xml", "[LOGIC:1] Failed to load preloader file: " + mDir + "/absent.xml", false},
        {WriteList("<preload><sample>"), "[LOGIC:1] Failed to load preloader file: ", false},
        {mDir + "/empty.xml", "[LOGIC:1] Failed to load preloader file: ", false},
        {mDir + "/list.xml", "[LOGIC:1] Preload file missing root <preload> element: " + mDir + "/list.xml", true},
    };
    Tests::WriteFile(mDir + "/empty.xml", "");
    Tests::WriteFile(mDir + "/list.xml", "<list><sample><path>a</path></sample></list>");
    for (const auto& c : cases) {
        Tests::LogCapture log;
        Push(new PreloaderScreen(mGame, c.mPath, Recording()));
        EXPECT_TRUE(log.Contains(c.mLine)) << c.mPath;
        if (c.mBox) EXPECT_TRUE(log.CriticalContains(c.mLine.substr(c.mLine.find(' ') + 1, 40))) << c.mPath;
        Frame();
        EXPECT_TRUE(mGame.GetScreens().empty()) << c.mPath;
    }
    EXPECT_TRUE(mLoaded.empty());
}

TEST_F(PreloaderTest, UnknownEntriesAreLoggedAndSkipped) {
    Tests::LogCapture log;
    const std::string list = R"(<preload>
      <sample><path>SFX/a.ogg</path><message>A</message></sample>
      <movie><path>intro.ogg</path><message>M</message></movie>
      <texture><path>b.png</path></texture>
    </preload>)";
    auto* preloader = Push(new PreloaderScreen(mGame, WriteList(list), Recording()));
    EXPECT_TRUE(log.Contains("[PRELOADER:1] Unknown preloader type `movie`"));
    ASSERT_EQ(preloader->GetEntries().size(), 2u);
    EXPECT_EQ(preloader->GetEntries()[1].mMessage, "") << "a missing message is empty";
    Run(3.0 / 60.0);
    EXPECT_EQ(mLoaded, (std::vector<std::string>{"sample:SFX/a.ogg", "texture:b.png"}));
    EXPECT_TRUE(mGame.GetScreens().empty());

    // However many entries are bad, one box reports them all.
    std::string junk = "<preload>";
    for (int i = 0; i < 50; ++i) junk += "<bad" + std::to_string(i) + "/><sample><path>s</path></sample>";
    Tests::LogCapture many;
    auto* second = Push(new PreloaderScreen(mGame, WriteList(junk + "</preload>"), Recording()));
    EXPECT_EQ(second->GetEntries().size(), 50u);
    ASSERT_EQ(many.mCritical.size(), 1u);
    EXPECT_NE(many.mCritical[0].find("Unknown preloader type `bad0`, `bad1`, `bad2` and 47 more (50 entries skipped)"),
              std::string::npos)
        << many.mCritical[0];
}

TEST_F(PreloaderTest, AResourceThatFailsToLoadIsFatalWithItsKind) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<sample><path>SFX/x.ogg</path></sample>", "Failed to load sample `SFX/x.ogg`"},
        {"<track><path>BGM/x.ogg</path></track>", "Failed to load music track `BGM/x.ogg`"},
        {"<texture><path>x.png</path></texture>", "Failed to load texture `x.png`"},
    };
    mFailing = {{"SFX/x.ogg", true}, {"BGM/x.ogg", true}, {"x.png", true}};
    for (const auto& [entry, message] : cases) {
        Tests::LogCapture log;
        Push(new PreloaderScreen(mGame, WriteList("<preload>" + entry + "</preload>"), Recording()));
        EXPECT_THROW(Frame(), Tests::FatalError) << message;
        EXPECT_TRUE(log.Contains("[PRELOADER:1] " + message)) << message;
        EXPECT_TRUE(log.CriticalContains("[ASSERT:1] Fatal Error: " + message)) << message;
        ClearStack();
    }
}

TEST_F(PreloaderTest, TheGameLoadersDetectTheDefaultTextureAndToleratesSilence) {
    const PreloaderScreen::Loaders loaders = PreloaderScreen::Loaders::Default();
    EXPECT_TRUE(loaders.mTexture("hud.png"));
    EXPECT_FALSE(loaders.mTexture("no-such-image.png")) << "the default texture stood in";
    ASSERT_FALSE(Audio::AudioManager::GetInstance().IsAvailable()) << "these tests run without a sound device";
    // Without any device every sound is silence, and the game runs on without sound.
    EXPECT_TRUE(loaders.mSample("SFX/no-such-sound.ogg"));
    EXPECT_TRUE(loaders.mTrack("BGM/no-such-track.ogg"));
}

TEST(PreloadContent, TheGameListNamesOnlyExistingFilesAndWhatTheMenusAndLevelsNeed) {
    std::vector<PreloadEntry> entries;
    ASSERT_TRUE(PreloadList::ReadFile(Tests::SourceDir() + "/data/misc/preload.xml", entries));
    std::set<std::string> named;
    for (const PreloadEntry& entry : entries) {
        const std::string folder = entry.mKind == PreloadKind::kTexture ? "/data/image/" : "/data/audio/";
        EXPECT_TRUE(std::filesystem::is_regular_file(Tests::SourceDir() + folder + entry.mPath)) << entry.mPath;
        EXPECT_FALSE(entry.mMessage.empty()) << entry.mPath;
        named.insert(std::string(PreloadList::KindName(entry.mKind)) + ":" + entry.mPath);
    }
    for (const char* needed :
         {"sample:SFX/UI/lowblip.ogg", "sample:SFX/UI/midblip.ogg", "track:BGM/vm_blues_title.ogg",
          "track:BGM/vm_tense.ogg", "sample:SFX/Player/gunfire.ogg", "sample:SFX/UI/winlevel.ogg", "texture:norrik.png",
          "texture:zenthra.png", "texture:velmora.png", "texture:xboxcontroller.png", "texture:roomrender.png",
          "texture:helpmenu.png", "texture:hud.png", "texture:particle.png", "texture:soundwave.png",
          "texture:tiles/wall_stone.png"}) {
        EXPECT_EQ(named.count(needed), 1u) << needed;
    }
    // Each track takes megabytes decoded: the ones first heard later wait for their screens.
    EXPECT_EQ(named.count("track:BGM/vm_blues_credits.ogg"), 0u);
    EXPECT_EQ(named.count("track:BGM/vm_chase.ogg"), 0u);
}

TEST_F(PreloaderTest, WithADeviceASoundThatDoesNotDecodeFails) {
    Audio::AudioManager& audio = Audio::AudioManager::GetInstance();
    audio.Initialize();
    if (!audio.IsAvailable()) GTEST_SKIP() << "no audio device (the test run provides OpenAL Soft's null device)";
    const PreloaderScreen::Loaders loaders = PreloaderScreen::Loaders::Default();
    EXPECT_TRUE(loaders.mSample("SFX/UI/lowblip.ogg"));
    EXPECT_FALSE(loaders.mSample("SFX/no-such-sound.ogg"));
    EXPECT_TRUE(loaders.mTrack("SFX/UI/phew.ogg"));
    EXPECT_FALSE(loaders.mTrack("SFX/UI/no-such-track.ogg"));
    audio.Deinitialize();
}

} // namespace
} // namespace Velmora::Logic
