// The start-up screens: the preloader loads one listed resource a frame and fails hard on a
// missing one; the intro steps through its slides or is skipped, and opens the main menu.
#include "screens/IntroScreen.h"
#include "screens/MainMenuScreen.h"
#include "screens/PreloaderScreen.h"
#include "unit/logic/GameFixtures.h"

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
        {[&] { input.SetKey(SDLK_RETURN, true); }, 0}, // Escape is the menus script's (tests/e2e/menus.sh)
        {[&] { input.SetButton(SDL_BUTTON_RIGHT, true); }, 0},
        {[&] { pad.mButtons = kPadStart; }, 0}, // counts while held
        {[&] { pad.mButtons = kPadA; }, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        mEndSlide = -1;
        Push(new WatchedIntro(mGame, mEndSlide));
        Frame(0.5);
        c.mPress();
        Frame();
        EXPECT_EQ(mEndSlide, c.mEndSlide);
        if (c.mEndSlide == 0) {
            ASSERT_EQ(mGame.GetScreens().size(), 1u) << "only the menu: no movie above it";
            EXPECT_NE(dynamic_cast<MainMenuScreen*>(mGame.GetTopScreen()), nullptr);
            EXPECT_EQ(LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore + 1)
                << "the intro gave its count back";
        }
        ResetInput();
        ClearStack();
    }
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
}

TEST_F(PreloaderTest, AMissingBrokenOrRootlessListIsLoggedAndTheScreenLeaves) {
    const struct {
        std::string mPath, mLine;
        bool mBox; // also an error box
    } cases[] = {
        {mDir + "/absent.xml", "[LOGIC:1] Failed to load preloader file: " + mDir + "/absent.xml", false},
        {mDir + "/list.xml", "[LOGIC:1] Preload file missing root <preload> element: " + mDir + "/list.xml", true},
    };
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

TEST_F(PreloaderTest, TheGameLoadersDetectTheDefaultTextureAndSoundsThatDoNotDecodeOnlyWithADevice) {
    const PreloaderScreen::Loaders loaders = PreloaderScreen::Loaders::Default();
    EXPECT_TRUE(loaders.mTexture("hud.png"));
    EXPECT_FALSE(loaders.mTexture("no-such-image.png")) << "the default texture stood in";
    ASSERT_FALSE(Audio::AudioManager::GetInstance().IsAvailable()) << "these tests run without a sound device";
    // Without any device every sound is silence, and the game runs on without sound.
    EXPECT_TRUE(loaders.mSample("SFX/no-such-sound.ogg"));
    EXPECT_TRUE(loaders.mTrack("BGM/no-such-track.ogg"));
    Audio::AudioManager& audio = Audio::AudioManager::GetInstance();
    audio.Initialize();
    if (!audio.IsAvailable()) GTEST_SKIP() << "no audio device (the test run provides OpenAL Soft's null device)";
    EXPECT_TRUE(loaders.mSample("SFX/UI/lowblip.ogg"));
    EXPECT_FALSE(loaders.mSample("SFX/UI/no-such-sound.ogg"));
    EXPECT_FALSE(loaders.mTrack("SFX/UI/no-such-track.ogg"));
    audio.Deinitialize();
}

// That every listed file loads is the menus script's (tests/e2e/menus.sh counts them).
TEST(PreloadContent, TheGameListLeavesTheLaterTracksToTheirScreens) {
    std::vector<PreloadEntry> entries;
    ASSERT_TRUE(PreloadList::ReadFile(Tests::SourceDir() + "/data/misc/preload.xml", entries));
    std::set<std::string> named;
    for (const PreloadEntry& entry : entries) {
        named.insert(std::string(PreloadList::KindName(entry.mKind)) + ":" + entry.mPath);
    }
    EXPECT_EQ(named.count("track:BGM/vm_blues_title.ogg"), 1u);
    // Each track takes megabytes decoded: the ones first heard later wait for their screens.
    EXPECT_EQ(named.count("track:BGM/vm_blues_credits.ogg"), 0u);
    EXPECT_EQ(named.count("track:BGM/vm_chase.ogg"), 0u);
}

} // namespace
} // namespace Velmora::Logic
