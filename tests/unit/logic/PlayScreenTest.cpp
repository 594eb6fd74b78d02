// The play screen driven through the game's stack: logic ticks from frame time, the state machine
// with its panels and menus, chase music, the gun, counters and totals, and whole campaigns from
// the first level to the menu or the credits.
#include "ai/ChaseMessages.h"
#include "game/MessageXboxInput.h"
#include "game/PickupMessages.h"
#include "interface/WLabel.h"
#include "interface/WidgetRoot.h"
#include "screens/CreditsScreen.h"
#include "screens/MainMenuScreen.h"
#include "screens/MenuActions.h"
#include "screens/ResultPanel.h"
#include "world/LevelMessages.h"

#include "unit/logic/GameFixtures.h"

namespace Velmora::Logic {
namespace {

using Tests::PlayScreenTest;

class PlayTest : public PlayScreenTest {
protected:
    // A campaign of two rooms, started.
    PlayScreen* StartTwoRooms() { return Start(WriteCampaign({{"one", RoomLevel("one")}, {"two", RoomLevel("two")}})); }
    int Ticks() const { return mMessages.Count("MessageUpdateLogic"); }
    void Broadcast(Message&& message) { TheGame().SendMessage(message); }
    // Wins the level being played and lets the panel show.
    void Win() {
        Broadcast(MessageLevelWon());
        Frame();
    }
    // Presses the panel's button (Return activates the focused button).
    void PressResult() { Tap(SDLK_RETURN); }
    // Keeps what the play screen's audio does from now on in mSounds.
    void Listen(PlayScreen& play) {
        play.mAudio.SetObserver([this](const std::string& action) { mSounds.push_back(action); });
    }
    int Played(const std::string& action) const {
        return static_cast<int>(std::count(mSounds.begin(), mSounds.end(), action));
    }
    std::vector<std::string> mSounds;
};

// The panel's info lines as drawn (empty for a loss).
std::vector<std::string> PanelLines(const PlayScreen& play) {
    std::vector<std::string> lines;
    const Interface::Widget* info = ResultPanel::GetInfo(play.GetPanel());
    for (unsigned i = 0; info && i < info->GetChildCount(); ++i) {
        lines.push_back(static_cast<const Interface::WLabel*>(info->GetChild(i))->GetText());
    }
    return lines;
}

std::string ButtonText(const PlayScreen& play) {
    const Interface::Widget* button = ResultPanel::GetButton(play.GetPanel());
    return button ? static_cast<const Interface::WLabel*>(button->GetChild(0))->GetText() : "";
}

TEST_F(PlayTest, FrameTimeBecomesWholeTicksAndTheRestCarriesOver) {
    PlayScreen* play = StartTwoRooms();
    play->mTickAccumulator = 0.0;
    const int before = Ticks();
    play->RunLogicTicks(0.04);
    EXPECT_EQ(Ticks() - before, 2);
    EXPECT_NEAR(play->mTickAccumulator, 0.04 - 2.0 / 60.0, 1e-12);
    // An accumulator exactly equal to the step waits for the next frame.
    play->mTickAccumulator = 0.0;
    play->RunLogicTicks(1.0 / 60.0);
    EXPECT_EQ(Ticks() - before, 2);
    play->RunLogicTicks(1e-6);
    EXPECT_EQ(Ticks() - before, 3);
    // A long stall runs at most a quarter second of ticks, of the step "Logic/TimeIncrement" sets.
    Logic().mTimeIncrement = 64; // a step that is exact in binary
    play->mTickAccumulator = 0.0;
    play->RunLogicTicks(3.0);
    EXPECT_EQ(Ticks() - before, 18) << "0.25 s is 16 steps of 1/64 s, the last one waiting (strictly greater)";
    play->mTickAccumulator = 0.0;
    play->RunLogicTicks(-1.0);
    EXPECT_EQ(play->mTickAccumulator, 0.0) << "a clock that went backwards adds nothing";
}

// That the entities move on these ticks is the play script's (tests/e2e/play.sh walks the levels).
TEST_F(PlayTest, TheClockRunsWithTheTicksAndEachWholeSecondIsATickEventCountedInBothSets) {
    PlayScreen* play = StartTwoRooms();
    for (int i = 0; i < 150; ++i) play->RunLogicTick();
    EXPECT_NEAR(Logic().GetLevelCounters().mPlayTime, 2.5, 1e-9);
    EXPECT_EQ(Logic().GetLevelCounters().mTicks, 2);
    EXPECT_EQ(Logic().GetGameCounters().mTicks, 2);
}

TEST_F(PlayTest, TheMenuPausesPlayAndResumingStartsAgainWithAnEmptyMeterButAWinStaysWon) {
    PlayScreen* play = StartTwoRooms();
    Frames(60);
    EXPECT_EQ(play->mGun.mReload, 1.0);
    Tap(SDLK_ESCAPE);
    ASSERT_NE(Top<MainMenuScreen>(), nullptr);
    EXPECT_EQ(play->GetState(), kPaused);
    EXPECT_TRUE(ControllerManager::GetInstance().mRumbleSuppressed);
    const int ticks = Ticks();
    Frames(10);
    EXPECT_EQ(Ticks(), ticks) << "the level stands still under the menu";
    TheGame().RemoveScreen(Top<MainMenuScreen>());
    Frame();
    EXPECT_EQ(play->GetState(), kPlaying);
    EXPECT_FALSE(ControllerManager::GetInstance().mRumbleSuppressed);
    EXPECT_LT(play->mGun.mReload, 0.1);
    // Only play is paused by a menu, and only kPaused resumes to kPlaying.
    Win();
    Tap(SDLK_ESCAPE);
    ASSERT_NE(Top<MainMenuScreen>(), nullptr);
    TheGame().RemoveScreen(Top<MainMenuScreen>());
    Frame();
    EXPECT_EQ(play->GetState(), kWon);
}

TEST_F(PlayTest, TheHudMenuButtonThePadsStartHeldAndFocusLossOpenOneMenu) {
    InputManager& input = InputManager::GetInstance();
    ControllerManager& pad = ControllerManager::GetInstance();
    // (50, 40) lies on the HUD button (HudLayout checks its rectangle).
    const std::function<void(bool)> inputs[] = {
        [&](bool down) {
            input.SetMousePosition(50.0, 40.0);
            input.SetButton(SDL_BUTTON_LEFT, down);
        },
        [&](bool down) { pad.mState.mButtons = down ? kPadStart : 0; },
        // Focus loss, Escape and the HUD button in one frame still open only one menu.
        [&](bool down) {
            if (down) Broadcast(MessageWindowInactive());
            input.SetKey(SDLK_ESCAPE, down);
            input.SetMousePosition(50.0, 40.0);
            input.SetButton(SDL_BUTTON_LEFT, down);
        },
    };
    for (const auto& press : inputs) {
        SCOPED_TRACE(&press - inputs);
        PlayScreen* play = StartTwoRooms();
        press(true);
        Frame();
        press(false);
        int menus = 0;
        for (GameScreen* screen : TheGame().GetScreens()) menus += dynamic_cast<MainMenuScreen*>(screen) != nullptr;
        EXPECT_EQ(menus, 1);
        EXPECT_EQ(play->GetState(), kPaused);
    }
}

// The glow's brightness tells the looks apart (GraphicsManager's tests check the presets).
TEST_F(PlayTest, CaughtShowsTheNoticeDimsTheGlowRecordsTheAttemptAndTryAgainRespawns) {
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    PlayScreen* play = StartTwoRooms();
    for (int attempt = 0; attempt < 2; ++attempt) {
        Logic().FireTriggerEvent(kEventStep);
        Logic().FireTriggerEvent(kEventStep);
        Broadcast(MessageLevelLost());
        ASSERT_EQ(play->GetState(), kLost) << attempt;
        EXPECT_DOUBLE_EQ(graphics.mBloomBrightness, 0.2) << "the dim look behind the panel";
        ASSERT_FALSE(Logic().GetNotifications().empty());
        EXPECT_EQ(Logic().GetNotifications().back().mText, "You have been captured.  Oops.");
        Frame();
        EXPECT_TRUE(PanelLines(*play).empty()) << "a loss offers only the button";
        PressResult();
        ASSERT_EQ(play->GetState(), kPlaying) << attempt;
        EXPECT_DOUBLE_EQ(graphics.mBloomBrightness, 1.2);
        EXPECT_EQ(Logic().GetLevel()->GetName(), "one") << "the same level again";
        EXPECT_EQ(LivePlayers(), 1) << "respawned once, not beside the old player";
        EXPECT_EQ(Logic().GetLevelCounters().mSteps, 0) << "each attempt counts from zero";
        EXPECT_EQ(Logic().GetGameCounters().mSteps, 2 * (attempt + 1)) << "the game's counters are never reset";
        EXPECT_TRUE(Logic().GetNotifications().empty());
    }
    EXPECT_EQ(AchievementManager::GetInstance().GetTotals().mFootsteps, 4u) << "each attempt added to the totals";
}

TEST_F(PlayTest, TheBriefcaseSoundPlaysOnceALevelWhenTheIconFirstShows) {
    PlayScreen* play = StartTwoRooms();
    Listen(*play);
    Frames(3);
    Logic().FireTriggerEvent(kEventMacGuffin);
    Logic().FireTriggerEvent(kEventMacGuffin); // a second briefcase in the same level
    Frames(3);
    EXPECT_EQ(Played("sample SFX/UI/item_get.ogg"), 1);
    Broadcast(MessageLevelLost());
    PressResult();
    Logic().FireTriggerEvent(kEventMacGuffin);
    Frame();
    EXPECT_EQ(Played("sample SFX/UI/item_get.ogg"), 2) << "a new attempt plays it again";
}

TEST_F(PlayTest, StartingACampaignReplacesTheWholeStackWithOnePlayScreen) {
    auto* menu = new Tests::DummyScreen();
    TheGame().PushScreen(new Tests::DummyScreen());
    TheGame().PushScreen(menu);
    TheGame().ProcessScreenChanges();
    Logic().StartCampaign("training", menu);
    TheGame().ProcessScreenChanges();
    ASSERT_EQ(TheGame().GetScreens().size(), 1u);
    PlayScreen* play = Top<PlayScreen>();
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(Logic().GetLevel()->GetName(), "walk");
    // "Confirm New": a fresh play screen for the same campaign, from its first level.
    Win();
    PressResult();
    ASSERT_EQ(Logic().GetLevel()->GetName(), "listen");
    Logic().StartNewGame(TheGame());
    TheGame().ProcessScreenChanges();
    ASSERT_EQ(TheGame().GetScreens().size(), 1u);
    EXPECT_NE(Top<PlayScreen>(), play);
    EXPECT_EQ(Logic().GetLevel()->GetName(), "walk");
}

TEST_F(PlayTest, ChaseMusicAtExactlyTwoChasesAndPhewWhenTheLastEnds) {
    PlayScreen* play = StartTwoRooms();
    Listen(*play);
    Broadcast(Ai::ChaseStart());
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kTenseTrack) << "one chase keeps the tense music";
    Broadcast(Ai::ChaseStart());
    Broadcast(Ai::ChaseStart());
    EXPECT_EQ(Played("play BGM/vm_chase.ogg"), 1) << "switched once";
    Broadcast(Ai::ChaseStop());
    Broadcast(Ai::ChaseStop());
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kChaseTrack) << "one chase still runs";
    Broadcast(Ai::ChaseStop());
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kTenseTrack);
    EXPECT_EQ(Played("sample SFX/UI/phew.ogg"), 1);
    Broadcast(Ai::ChaseStop());
    EXPECT_EQ(play->mChaseCount, 0) << "a stray stop does not count below zero";
}

TEST_F(PlayTest, AChaseOutlastsThePauseMenuButNotAResetOfTheLevel) {
    PlayScreen* play = StartTwoRooms();
    Broadcast(Ai::ChaseStart());
    Broadcast(Ai::ChaseStart());
    ASSERT_EQ(play->mAudio.GetTrack(), PlayAudio::kChaseTrack);
    Tap(SDLK_ESCAPE);
    ASSERT_NE(Top<MainMenuScreen>(), nullptr);
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kNoTrack) << "the chase music stops under the menu";
    TheGame().RemoveScreen(Top<MainMenuScreen>());
    Frame();
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kChaseTrack) << "both guards still chase after the pause";

    // Reset Level restarts through the retry step, and respawns the guards without a
    // ChaseStop: no chase runs any more.
    Frames(120);
    Player()->GetComponent<Graphics::ComponentTransform>()->mPosition = {100.0, 50.0};
    Tap(SDLK_ESCAPE);
    ASSERT_TRUE(MenuActions::ResetLevel(TheGame()));
    TheGame().RemoveScreen(Top<MainMenuScreen>());
    Frames(2);
    ASSERT_EQ(play->GetState(), kPlaying);
    EXPECT_EQ(LivePlayers(), 1);
    EXPECT_EQ(Player()->GetComponent<Graphics::ComponentTransform>()->mPosition, Vector2(48.0, 48.0));
    EXPECT_LT(Logic().GetLevelCounters().mPlayTime, 0.1) << "the clock starts again";
    EXPECT_EQ(play->mChaseCount, 0);
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kTenseTrack);
    Broadcast(Ai::ChaseStart());
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kTenseTrack);
    Broadcast(Ai::ChaseStart());
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kChaseTrack) << "two new chases switch again";
}

TEST_F(PlayTest, TheEndJinglesReplaceTheLevelMusicAndMusicComesBackAfterThem) {
    for (const bool won : {true, false}) {
        PlayScreen* play = StartTwoRooms();
        mSounds.clear();
        Listen(*play);
        Broadcast(Ai::ChaseStart());
        Broadcast(Ai::ChaseStart());
        Broadcast(won ? static_cast<Message&&>(MessageLevelWon()) : static_cast<Message&&>(MessageLevelLost()));
        Frames(3); // without a sound device the jingles last no time
        const auto at = [this](const std::string& action) {
            return std::find(mSounds.begin(), mSounds.end(), action) - mSounds.begin();
        };
        const std::string music = won ? "play BGM/vm_blues_title.ogg" : "play BGM/vm_tense.ogg";
        EXPECT_LT(at("stop BGM/vm_chase.ogg"), at(music)) << won;
        EXPECT_LT(at(won ? "sample SFX/UI/winlevel.ogg" : "sample SFX/UI/lose.ogg"), at(music)) << won;
        EXPECT_EQ(play->mAudio.GetTrack(), won ? PlayAudio::kRestTrack : PlayAudio::kTenseTrack) << won;
        ClearStack();
    }
}

TEST_F(PlayTest, AGunPickupEquipsTheGunAndTheWhiteGunWhitensTheSteps) {
    PlayScreen* play = StartTwoRooms();
    Listen(*play);
    Broadcast(MessageGotGunPickup(kGunNone));
    EXPECT_TRUE(mSounds.empty()) << "type 0 is ignored";
    Broadcast(MessageGotGunPickup(kWhiteGun));
    EXPECT_TRUE(Player()->GetComponent<ComponentPlayer>()->mWhiteSteps);
    // The gun is kept from level to level, and so are its silent steps.
    Win();
    PressResult();
    ASSERT_EQ(Logic().GetLevel()->GetName(), "two");
    EXPECT_EQ(LivePlayers(), 1) << "the first level's entities are gone";
    EXPECT_TRUE(Player()->GetComponent<ComponentPlayer>()->mWhiteSteps) << "in the next level";
    Broadcast(MessageGotGunPickup(kShockGun));
    EXPECT_FALSE(Player()->GetComponent<ComponentPlayer>()->mWhiteSteps);
    Broadcast(MessageGotGunPickup(42));
    EXPECT_EQ(play->mGun.mGun, kShockGun) << "an unknown type is ignored";
    EXPECT_EQ(Played("sample SFX/UI/power_change.ogg"), 2);
}

TEST_F(PlayTest, HoldingSpaceChargesAndReleasingFiresOneCountedWaveFromThePlayer) {
    PlayScreen* play = StartTwoRooms();
    Broadcast(MessageGotGunPickup(kSoundGun));
    InputManager::GetInstance().SetKey(SDLK_SPACE, true);
    Frames(150); // 0.625 s to reload, then 1.25 s of charge, with time to spare
    // The laser sight previews the fully charged shot: lifetime × 6 − 30.
    EXPECT_DOUBLE_EQ(Logic().mPlayerLaserDistance, 80.0 * 6.0 - 30.0);
    InputManager::GetInstance().SetKey(SDLK_SPACE, false);
    Frame();
    EXPECT_LT(play->mGun.mReload, 0.05) << "emptied by the shot, then a frame's ticks of reloading";
    EXPECT_EQ(Logic().GetLevelCounters().mShots, 1) << "counted once, by the event";
    int waves = 0;
    for (ComponentSoundwave* wave : ComponentSoundwave::GetInstances()) {
        if (wave->mOwner->IsDestroyed()) continue;
        ++waves;
        EXPECT_DOUBLE_EQ(wave->mInitialEnergy, 80.0 * 6.0) << "fully charged";
    }
    EXPECT_EQ(waves, 1);
}

TEST_F(PlayTest, ThePadsRightTriggerChargesFromElevenAndIsReadOnEveryPadMessage) {
    PlayScreen* play = StartTwoRooms();
    Broadcast(MessageGotGunPickup(kSoundGun));
    Frames(45); // reloaded
    PadState& pad = ControllerManager::GetInstance().mState;
    pad.mRightTrigger = 10;
    Broadcast(MessageXboxInput());
    play->RunLogicTick();
    EXPECT_FALSE(play->mGun.mCharging) << "10 of 255 is not pulled";
    // Pulled and let go between two ticks, on the pad's own messages: the pull still counts.
    pad.mRightTrigger = 11;
    Broadcast(MessageXboxInput());
    pad.mRightTrigger = 0;
    Broadcast(MessageXboxInput());
    play->RunLogicTick();
    play->RunLogicTick();
    EXPECT_EQ(Logic().GetLevelCounters().mShots, 1);
}

TEST_F(PlayTest, ChargingALineGunHalvesTheWalkingSpeed) {
    StartTwoRooms();
    Broadcast(MessageGotGunPickup(kShockGun));
    InputManager& input = InputManager::GetInstance();
    input.SetMousePosition(kWindowWidth / 2.0 + 200.0, kWindowHeight / 2.0);
    input.SetKey(SDLK_LSHIFT, true);
    Frame();
    EXPECT_NEAR(Player()->GetComponent<ComponentPlayer>()->mVelocity.x, 132.0, 1e-9);
    input.SetButton(SDL_BUTTON_RIGHT, true);
    Frames(2);
    EXPECT_NEAR(Player()->GetComponent<ComponentPlayer>()->mVelocity.x, 66.0, 1e-9);
}

// Without a campaign the play screen leaves for the main menu at once (MenuTest's broken campaign).
TEST_F(PlayTest, AfterTheCreditsItLeavesForTheMainMenuWhateverIsPressed) {
    PlayScreen* play = StartTwoRooms();
    Win();
    PressResult();
    Win();
    PressResult(); // on to the next level, which is past the last one
    ASSERT_EQ(play->GetState(), kCampaignDone);
    // Escape and focus loss in the frame that brings the credits open no in-game menu.
    Broadcast(MessageWindowInactive());
    InputManager::GetInstance().SetKey(SDLK_ESCAPE, true);
    Frame();
    InputManager::GetInstance().SetKey(SDLK_ESCAPE, false);
    ASSERT_NE(Top<CreditsScreen>(), nullptr);
    // Once the credits are over, the main menu alone.
    TheGame().RemoveScreen(Top<CreditsScreen>());
    Frames(2);
    ASSERT_NE(Top<MainMenuScreen>(), nullptr);
    EXPECT_EQ(TheGame().GetScreens().size(), 1u);
}

TEST_F(PlayTest, AFirstLevelThatCannotBePlayedReturnsToTheMenu) {
    const std::string noPlayer =
        "<level><name>empty</name><tilemap width='3' height='3'>1 1 1 1 8 1 1 1 1"
        "</tilemap><medals gold='1' silver='2' bronze='3'/></level>";
    for (const std::string& text : {std::string("<level><name>broken</name></level>"), noPlayer}) {
        Tests::LogCapture log;
        Start(WriteCampaign({{"first", text}}));
        Frame();
        ASSERT_NE(Top<MainMenuScreen>(), nullptr) << text;
        EXPECT_EQ(Logic().GetLevel(), nullptr) << text;
        if (text == noPlayer) EXPECT_TRUE(log.CriticalContains("Level has no player"));
    }
}

TEST_F(PlayTest, ALaterLevelThatFailsToLoadEndsTheCampaign) {
    PlayScreen* play = Start(WriteCampaign({{"one", RoomLevel("one")}, {"gone", "not xml"}}));
    Logic().mShowCreditsAtEnd = false;
    Win();
    PressResult();
    EXPECT_EQ(play->GetState(), kCampaignDone);
    Frames(2); // without credits (as the training campaign ends): back to the main menu
    ASSERT_EQ(TheGame().GetScreens().size(), 1u);
    ASSERT_NE(Top<MainMenuScreen>(), nullptr);
    EXPECT_TRUE(Logic().mShowCreditsAtEnd) << "set back once read";
    EXPECT_EQ(LivePlayers(), 0);
}

TEST_F(PlayTest, SpawnsFarOutsideTheMapPlayHarmlessly) {
    // The camera follows the player out there; the level's drawing, the bodies, the footsteps'
    // sound waves and the pickups all meet coordinates no cell index can hold.
    const std::string level =
        "<level><name>far</name><tilemap width='3' height='3'>1 1 1 1 0 1 1 1 1</tilemap>"
        "<entity><archetype>player</archetype><position x='1e308' y='-1e308'/><direction x='1e308' y='1e11'/></entity>"
        "<entity><archetype>generator</archetype><position x='-1e11' y='1e11'/></entity>"
        "<entity><archetype>gun_sound</archetype><position x='1e308' y='1e308'/></entity>"
        "<medals gold='1' silver='2' bronze='3'/></level>";
    PlayScreen* play = Start(WriteCampaign({{"far", level}}));
    InputManager::GetInstance().SetKey(SDLK_d, true);
    Frames(180);
    EXPECT_EQ(play->GetState(), kPlaying);
}

// The glow's brightness tells the looks apart (GraphicsManager's tests check the presets).
TEST_F(PlayTest, TheWinPanelTellsTimeAndMedalAndTheLastOneTheCampaignsEnd) {
    PlayScreen* play = StartTwoRooms(); // medals: gold 1 s, silver 2 s, bronze 3 s
    Frames(90);
    Win();
    Broadcast(MessageLevelLost());
    EXPECT_EQ(play->GetState(), kWon) << "a loss after the win changes nothing";
    EXPECT_DOUBLE_EQ(Graphics::GraphicsManager::GetInstance().mBloomBrightness, 2.2) << "the bright look";
    const double seconds = Logic().GetLevelCounters().mPlayTime;
    ASSERT_NEAR(seconds, 1.5, 0.05);
    EXPECT_EQ(PanelLines(*play),
              (std::vector<std::string>{"Mission complete",
                                        "Time " + Hud::FormatClock(seconds) + Hud::FormatHundredths(seconds),
                                        "Silver medal (gold: 0:01)"}));
    EXPECT_EQ(ButtonText(*play), "Next Mission");
    PressResult();
    EXPECT_DOUBLE_EQ(Graphics::GraphicsManager::GetInstance().mBloomBrightness, 1.2) << "the in-game look";
    Frames(300);
    Win();
    EXPECT_EQ(PanelLines(*play).at(2), "No medal (bronze: 0:03)");
    EXPECT_EQ(PanelLines(*play).back(), "Campaign complete!");
    EXPECT_EQ(ButtonText(*play), "Continue");
}

TEST_F(PlayTest, ATriggerHeldThroughTheWinNeitherChargesNorFiresInTheNextLevel) {
    PlayScreen* play = StartTwoRooms();
    Broadcast(MessageGotGunPickup(kSoundGun));
    Frames(60);
    InputManager::GetInstance().SetKey(SDLK_SPACE, true);
    Frames(60);
    ASSERT_GT(play->mGun.mCharge, 0.0);
    Win();
    PressResult();
    EXPECT_EQ(play->mGun.mCharge, 0.0);
    InputManager::GetInstance().SetKey(SDLK_SPACE, false);
    const size_t waves = ComponentSoundwave::GetInstances().size();
    Frames(2);
    EXPECT_EQ(ComponentSoundwave::GetInstances().size(), waves) << "no shot";
}

} // namespace
} // namespace Velmora::Logic
