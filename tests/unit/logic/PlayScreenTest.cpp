// The play screen driven through the game's stack: logic ticks from frame time, the developer
// keys, the state machine with its panels and menus, chase music, the gun, counters and totals,
// and whole campaigns from the first level to the menu or the credits.
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
    ASSERT_EQ(play->GetState(), kPlaying);
    play->mTickAccumulator = 0.0;
    const int before = Ticks();
    play->RunLogicTicks(0.04);
    EXPECT_EQ(Ticks() - before, 2);
    EXPECT_NEAR(play->mTickAccumulator, 0.04 - 2.0 / 60.0, 1e-12);
    EXPECT_NEAR(play->mTickAccumulator, 0.0067, 1e-4);

    // An accumulator exactly equal to the step waits for the next frame.
    play->mTickAccumulator = 0.0;
    play->RunLogicTicks(1.0 / 60.0);
    EXPECT_EQ(Ticks() - before, 2);
    EXPECT_DOUBLE_EQ(play->mTickAccumulator, 1.0 / 60.0);
    play->RunLogicTicks(1e-6);
    EXPECT_EQ(Ticks() - before, 3);

    // The step follows "Logic/TimeIncrement".
    Logic().mTimeIncrement = 10;
    play->mTickAccumulator = 0.0;
    play->RunLogicTicks(0.25);
    EXPECT_EQ(Ticks() - before, 5);

    // A long stall runs at most a quarter second of ticks.
    Logic().mTimeIncrement = 64; // a step that is exact in binary
    play->mTickAccumulator = 0.0;
    play->RunLogicTicks(3.0);
    EXPECT_EQ(Ticks() - before, 20) << "0.25 s is 16 steps of 1/64 s, the last one waiting (strictly greater)";
    play->mTickAccumulator = 0.0;
    play->RunLogicTicks(-1.0);
    EXPECT_EQ(Ticks() - before, 20);
    EXPECT_EQ(play->mTickAccumulator, 0.0) << "a clock that went backwards adds nothing";
}

TEST_F(PlayTest, EachTickReachesTheSystemsTheScreenAndEveryEntity) {
    PlayScreen* play = StartTwoRooms();
    const Physics::ComponentBody* body = Player()->GetComponent<Physics::ComponentBody>();
    ASSERT_NE(body, nullptr);
    Player()->GetComponent<ComponentPlayer>()->mVelocity = {60.0, 0.0};
    const double x = Player()->GetComponent<Graphics::ComponentTransform>()->mPosition.x;
    play->mTickAccumulator = 0.0;
    play->RunLogicTicks(0.2 + 1e-9);
    EXPECT_EQ(Ticks(), 12);
    // The body (updated before the player component) moves from the second tick on.
    EXPECT_NEAR(Player()->GetComponent<Graphics::ComponentTransform>()->mPosition.x, x + 11.0, 1e-6)
        << "the player moved 11 ticks of 1/60 s at 60 units per second";
    EXPECT_NEAR(Logic().GetLevelCounters().mPlayTime, 0.2, 1e-9) << "the screen's clock ran with the ticks";
    EXPECT_NEAR(play->mHudPhase, 0.06, 1e-9);
    // Each whole second of play is a tick event, counted in both sets.
    Player()->GetComponent<ComponentPlayer>()->mVelocity = {};
    for (int i = 12; i < 150; ++i) play->RunLogicTick();
    EXPECT_NEAR(Logic().GetLevelCounters().mPlayTime, 2.5, 1e-9);
    EXPECT_EQ(Logic().GetLevelCounters().mTicks, 2);
    EXPECT_EQ(Logic().GetGameCounters().mTicks, 2);
}

TEST_F(PlayTest, F8StepsExactlyOneTickPerPressAndKeepsTheLogicFrozen) {
    PlayScreen* play = StartTwoRooms();
    Frame();
    const int before = Ticks();
    Tap(SDLK_F8);
    EXPECT_TRUE(play->mLogicFrozen);
    EXPECT_EQ(Ticks() - before, 1) << "one tick for the press, none from the two frames' time";
    Frames(30, 0.05);
    EXPECT_EQ(Ticks() - before, 1) << "frozen: frame time runs no ticks";
    Tap(SDLK_F8);
    Tap(SDLK_F8);
    EXPECT_EQ(Ticks() - before, 3);

    Tap(SDLK_F7);
    EXPECT_FALSE(play->mLogicFrozen) << "F7 thaws";
    Frames(6, 0.05);
    EXPECT_GT(Ticks() - before, 3);
    Tap(SDLK_F7);
    EXPECT_TRUE(play->mLogicFrozen) << "and freezes again";
}

TEST_F(PlayTest, TheMenuPausesPlayAndResumingStartsAgainWithAnEmptyMeterButAWinStaysWon) {
    PlayScreen* play = StartTwoRooms();
    ControllerManager& pad = ControllerManager::GetInstance();
    EXPECT_FALSE(pad.mRumbleSuppressed);
    Frames(60);
    EXPECT_EQ(play->mGun.mReload, 1.0);
    Tap(SDLK_ESCAPE);
    ASSERT_NE(Top<MainMenuScreen>(), nullptr);
    EXPECT_EQ(play->GetState(), kPaused);
    EXPECT_TRUE(pad.mRumbleSuppressed);
    EXPECT_EQ(TheGame().GetScreens().size(), 2u);
    const int ticks = Ticks();
    Frames(10);
    EXPECT_EQ(Ticks(), ticks) << "the level stands still under the menu";

    TheGame().RemoveScreen(Top<MainMenuScreen>());
    Frame();
    EXPECT_EQ(play->GetState(), kPlaying);
    EXPECT_FALSE(pad.mRumbleSuppressed);
    EXPECT_LT(play->mGun.mReload, 0.1);

    // Only play is paused by a menu, and only kPaused resumes to kPlaying.
    Win();
    Tap(SDLK_ESCAPE);
    auto* menu = Top<MainMenuScreen>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->IsInGame());
    EXPECT_TRUE(play->IsPaused());
    EXPECT_EQ(play->GetState(), kWon);
    TheGame().RemoveScreen(menu);
    Frame();
    EXPECT_FALSE(play->IsPaused());
    EXPECT_EQ(play->GetState(), kWon);
}

TEST_F(PlayTest, TheHudMenuButtonThePadsStartHeldAndFocusLossOpenOneMenu) {
    InputManager& input = InputManager::GetInstance();
    ControllerManager& pad = ControllerManager::GetInstance();
    // The HUD button spans (10·W/1024, 10·H/1024) to (90·W/1024, 100·H/1024): for 1024 × 768
    // from (10, 7.5) to (90, 75); the click at (500, 500) is elsewhere.
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
        input.SetMousePosition(500.0, 500.0);
        input.SetButton(SDL_BUTTON_LEFT, true);
        Frame();
        input.SetButton(SDL_BUTTON_LEFT, false);
        Frame();
        EXPECT_EQ(Top<PlayScreen>(), play);
        press(true);
        Frame();
        press(false);
        ASSERT_NE(Top<MainMenuScreen>(), nullptr);
        int menus = 0;
        for (GameScreen* screen : TheGame().GetScreens()) menus += dynamic_cast<MainMenuScreen*>(screen) != nullptr;
        EXPECT_EQ(menus, 1);
        EXPECT_EQ(play->GetState(), kPaused);
    }
}

TEST_F(PlayTest, CaughtShowsTheNoticeRecordsTheAttemptAndTryAgainRespawns) {
    PlayScreen* play = StartTwoRooms();
    for (int attempt = 0; attempt < 3; ++attempt) {
        Logic().FireTriggerEvent(kEventStep);
        Logic().FireTriggerEvent(kEventStep);
        Logic().FireTriggerEvent(kEventShoot);
        Logic().FireTriggerEvent(kEventSeen);
        Broadcast(MessageLevelLost());
        ASSERT_EQ(play->GetState(), kLost) << attempt;
        ASSERT_FALSE(Logic().GetNotifications().empty());
        EXPECT_EQ(Logic().GetNotifications().back().mText, "You have been captured.  Oops.");
        Frame();
        EXPECT_TRUE(PanelLines(*play).empty()) << "a loss offers only the button";
        EXPECT_EQ(ButtonText(*play), "Try Again");
        PressResult();
        ASSERT_EQ(play->GetState(), kPlaying) << attempt;
        EXPECT_EQ(Logic().GetLevel()->GetName(), "one") << "the same level again";
        EXPECT_EQ(LivePlayers(), 1) << "respawned once, not beside the old player";
        EXPECT_EQ(Logic().GetLevelCounters().mSteps, 0) << "each attempt counts from zero";
        EXPECT_EQ(Logic().GetGameCounters().mSteps, 2 * (attempt + 1)) << "the game's counters are never reset";
        EXPECT_TRUE(Logic().GetNotifications().empty());
    }
    const AchievementManager::Totals& totals = AchievementManager::GetInstance().GetTotals();
    EXPECT_EQ(totals.mFootsteps, 6u);
    EXPECT_EQ(totals.mShots, 3u);
    EXPECT_EQ(totals.mTimesSeen, 3u);
    EXPECT_EQ(totals.mWindowsShattered, 0u);
}

TEST_F(PlayTest, WinningAndLosingOnlyCountWhilePlaying) {
    PlayScreen* play = StartTwoRooms();
    Broadcast(MessageLevelWon());
    Broadcast(MessageLevelLost());
    EXPECT_EQ(play->GetState(), kWon) << "a loss after the win changes nothing";
    EXPECT_EQ(AchievementManager::GetInstance().GetTotals().mFootsteps, 0u);
    EXPECT_TRUE(Logic().GetNotifications().empty());
}

TEST_F(PlayTest, TheBriefcaseSoundPlaysOnceALevelWhenTheIconFirstShows) {
    PlayScreen* play = StartTwoRooms();
    play->mAudio.SetObserver([this](const std::string& action) { mSounds.push_back(action); });
    Frames(3);
    EXPECT_TRUE(play->mBriefcaseSoundPending);
    Logic().FireTriggerEvent(kEventMacGuffin);
    Logic().FireTriggerEvent(kEventMacGuffin); // a second briefcase in the same level
    Frames(3);
    EXPECT_EQ(std::count(mSounds.begin(), mSounds.end(), "sample SFX/UI/item_get.ogg"), 1);
    EXPECT_FALSE(play->mBriefcaseSoundPending);
    Broadcast(MessageLevelLost());
    PressResult();
    EXPECT_TRUE(play->mBriefcaseSoundPending) << "a new attempt plays it again";
    Logic().FireTriggerEvent(kEventMacGuffin);
    Frame();
    EXPECT_EQ(std::count(mSounds.begin(), mSounds.end(), "sample SFX/UI/item_get.ogg"), 2);
}

TEST_F(PlayTest, TheGlowBrightensOnAWinDimsWhenCaughtAndResetsForPlay) {
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    PlayScreen* play = StartTwoRooms();
    EXPECT_DOUBLE_EQ(graphics.mBloomRatio0, 1.5);
    EXPECT_DOUBLE_EQ(graphics.mBloomBrightness, 1.2);
    Win();
    EXPECT_DOUBLE_EQ(graphics.mBloomRatio0, 2.5);
    EXPECT_DOUBLE_EQ(graphics.mBloomRatio1, -1.0);
    EXPECT_DOUBLE_EQ(graphics.mBloomBrightness, 2.2);
    PressResult();
    EXPECT_DOUBLE_EQ(graphics.mBloomRatio0, 1.5) << "the in-game look for the next level";
    EXPECT_DOUBLE_EQ(graphics.mBloomBrightness, 1.2);
    Broadcast(MessageLevelLost());
    EXPECT_DOUBLE_EQ(graphics.mBloomRatio0, 0.5) << "the dim look behind the panel";
    EXPECT_DOUBLE_EQ(graphics.mBloomBrightness, 0.2);
    PressResult();
    EXPECT_EQ(play->GetState(), kPlaying);
    EXPECT_DOUBLE_EQ(graphics.mBloomBrightness, 1.2);
}

TEST_F(PlayTest, StartingACampaignReplacesTheWholeStackWithOnePlayScreen) {
    auto* below = new Tests::DummyScreen();
    auto* menu = new Tests::DummyScreen();
    TheGame().PushScreen(below);
    TheGame().PushScreen(menu);
    TheGame().ProcessScreenChanges();
    Logic().StartCampaign("training", menu);
    EXPECT_FALSE(Logic().mShowCreditsAtEnd);
    EXPECT_EQ(Logic().GetCampaignId(), "training");
    TheGame().ProcessScreenChanges();
    ASSERT_EQ(TheGame().GetScreens().size(), 1u);
    PlayScreen* play = Top<PlayScreen>();
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->GetState(), kPlaying);
    EXPECT_EQ(Logic().GetLevel()->GetName(), "walk");

    // "Confirm New": a fresh play screen for the same campaign, from its first level.
    Win();
    PressResult();
    ASSERT_EQ(Logic().GetLevel()->GetName(), "listen");
    Logic().StartNewGame(TheGame());
    TheGame().ProcessScreenChanges();
    ASSERT_EQ(TheGame().GetScreens().size(), 1u);
    ASSERT_NE(Top<PlayScreen>(), nullptr);
    EXPECT_NE(Top<PlayScreen>(), play);
    EXPECT_EQ(Logic().GetLevel()->GetName(), "walk");
    EXPECT_EQ(LivePlayers(), 1);
}

TEST_F(PlayTest, ChaseMusicAtExactlyTwoChasesAndPhewWhenTheLastEnds) {
    PlayScreen* play = StartTwoRooms();
    play->mAudio.SetObserver([this](const std::string& action) { mSounds.push_back(action); });
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kTenseTrack);
    Broadcast(Ai::ChaseStart());
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kTenseTrack) << "one chase keeps the tense music";
    Broadcast(Ai::ChaseStart());
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kChaseTrack);
    Broadcast(Ai::ChaseStart());
    EXPECT_EQ(std::count(mSounds.begin(), mSounds.end(), "play BGM/vm_chase.ogg"), 1) << "switched once";
    Broadcast(Ai::ChaseStop());
    Broadcast(Ai::ChaseStop());
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kChaseTrack) << "one chase still runs";
    EXPECT_EQ(std::count(mSounds.begin(), mSounds.end(), "sample SFX/UI/phew.ogg"), 0);
    Broadcast(Ai::ChaseStop());
    EXPECT_EQ(play->mChaseCount, 0);
    EXPECT_EQ(play->mAudio.GetTrack(), PlayAudio::kTenseTrack);
    EXPECT_EQ(std::count(mSounds.begin(), mSounds.end(), "sample SFX/UI/phew.ogg"), 1);
    Broadcast(Ai::ChaseStop());
    EXPECT_EQ(play->mChaseCount, 0) << "a stray stop does not count below zero";
    EXPECT_EQ(std::count(mSounds.begin(), mSounds.end(), "sample SFX/UI/phew.ogg"), 1);
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
        play->mAudio.SetObserver([this](const std::string& action) { mSounds.push_back(action); });
        Broadcast(Ai::ChaseStart());
        Broadcast(Ai::ChaseStart());
        if (won)
            Win();
        else
            Broadcast(MessageLevelLost());
        Frames(2); // without a sound device the jingles last no time
        EXPECT_EQ(play->mChaseCount, 0);
        const auto at = [this](const std::string& action) {
            return std::find(mSounds.begin(), mSounds.end(), action) - mSounds.begin();
        };
        const std::string jingle = won ? "sample SFX/UI/winlevel.ogg" : "sample SFX/UI/lose.ogg";
        const std::string music = won ? "play BGM/vm_blues_title.ogg" : "play BGM/vm_tense.ogg";
        EXPECT_LT(at("stop BGM/vm_chase.ogg"), at(music)) << won;
        EXPECT_LT(at(jingle), at(music)) << won;
        EXPECT_LT(at(music), static_cast<long>(mSounds.size())) << won;
        EXPECT_EQ(play->mAudio.GetTrack(), won ? PlayAudio::kRestTrack : PlayAudio::kTenseTrack) << won;
        ClearStack();
    }
}

TEST_F(PlayTest, AGunPickupEquipsTheGunAndTheWhiteGunWhitensTheSteps) {
    PlayScreen* play = StartTwoRooms();
    play->mAudio.SetObserver([this](const std::string& action) { mSounds.push_back(action); });
    Broadcast(MessageGotGunPickup(kGunNone));
    EXPECT_EQ(play->mGun.mGun, kGunNone);
    EXPECT_TRUE(mSounds.empty()) << "type 0 is ignored";
    Broadcast(MessageGotGunPickup(kWhiteGun));
    EXPECT_EQ(play->mGun.mGun, kWhiteGun);
    EXPECT_TRUE(Player()->GetComponent<ComponentPlayer>()->mWhiteSteps);
    // The gun is kept from level to level and across retries, and so are its silent steps.
    Broadcast(MessageLevelLost());
    PressResult();
    EXPECT_TRUE(Player()->GetComponent<ComponentPlayer>()->mWhiteSteps) << "after Try Again";
    Win();
    PressResult();
    ASSERT_EQ(Logic().GetLevel()->GetName(), "two");
    EXPECT_EQ(LivePlayers(), 1) << "the first level's entities are gone";
    EXPECT_TRUE(Player()->GetComponent<ComponentPlayer>()->mWhiteSteps) << "in the next level";
    Broadcast(MessageGotGunPickup(kShockGun));
    EXPECT_FALSE(Player()->GetComponent<ComponentPlayer>()->mWhiteSteps);
    Broadcast(MessageGotGunPickup(42));
    EXPECT_EQ(play->mGun.mGun, kShockGun) << "an unknown type is ignored";
    EXPECT_EQ(std::count(mSounds.begin(), mSounds.end(), "sample SFX/UI/power_change.ogg"), 2);
}

TEST_F(PlayTest, HoldingSpaceChargesAndReleasingFiresOneCountedWaveFromThePlayer) {
    PlayScreen* play = StartTwoRooms();
    Broadcast(MessageGotGunPickup(kSoundGun));
    InputManager& input = InputManager::GetInstance();
    input.SetKey(SDLK_SPACE, true);
    Frames(150); // 0.625 s to reload, then 1.25 s of charge, with time to spare
    EXPECT_TRUE(play->mGun.mCharging);
    EXPECT_EQ(play->mGun.mCharge, 1.0);
    // The laser sight previews the fully charged shot: lifetime × 6 − 30.
    EXPECT_DOUBLE_EQ(Logic().mPlayerLaserDistance, 80.0 * 6.0 - 30.0);
    input.SetKey(SDLK_SPACE, false);
    Frame();
    EXPECT_FALSE(play->mGun.mCharging);
    EXPECT_LT(play->mGun.mReload, 0.05) << "emptied by the shot, then a frame's ticks of reloading";
    EXPECT_EQ(Logic().GetLevelCounters().mShots, 1) << "counted once, by the event";
    EXPECT_EQ(Logic().GetGameCounters().mShots, 1);
    int waves = 0;
    for (ComponentSoundwave* wave : ComponentSoundwave::GetInstances()) {
        if (wave->mOwner->IsDestroyed()) continue;
        ++waves;
        EXPECT_EQ(wave->mKind, kSound);
        EXPECT_DOUBLE_EQ(wave->mInitialEnergy, 80.0 * 6.0);
        EXPECT_DOUBLE_EQ(wave->mSpread, 5.0);
    }
    EXPECT_EQ(waves, 1);
}

TEST_F(PlayTest, ThePadsRightTriggerChargesFromElevenAndIsReadOnEveryPadMessage) {
    PlayScreen* play = StartTwoRooms();
    Broadcast(MessageGotGunPickup(kSoundGun));
    Frames(45); // reloaded
    ControllerManager& pad = ControllerManager::GetInstance();
    pad.mState.mRightTrigger = 10;
    Broadcast(MessageXboxInput());
    play->RunLogicTick();
    EXPECT_FALSE(play->mGun.mCharging) << "10 of 255 is not pulled";
    // Pulled and let go between two ticks, on the pad's own messages: the pull still counts.
    pad.mState.mRightTrigger = 11;
    Broadcast(MessageXboxInput());
    pad.mState.mRightTrigger = 0;
    Broadcast(MessageXboxInput());
    play->RunLogicTick();
    EXPECT_TRUE(play->mGun.mCharging);
    play->RunLogicTick();
    EXPECT_FALSE(play->mGun.mCharging);
    EXPECT_EQ(Logic().GetLevelCounters().mShots, 1);
    pad.mState = PadState();
}

TEST_F(PlayTest, ChargingALineGunHalvesTheWalkingSpeed) {
    PlayScreen* play = StartTwoRooms();
    Broadcast(MessageGotGunPickup(kShockGun));
    InputManager& input = InputManager::GetInstance();
    input.SetMousePosition(kWindowWidth / 2.0 + 200.0, kWindowHeight / 2.0);
    input.SetKey(SDLK_LSHIFT, true);
    Frame();
    EXPECT_NEAR(Player()->GetComponent<ComponentPlayer>()->mVelocity.x, 132.0, 1e-9);
    input.SetButton(SDL_BUTTON_RIGHT, true);
    Frame();
    Frame();
    EXPECT_TRUE(play->mGun.mCharging);
    EXPECT_NEAR(Player()->GetComponent<ComponentPlayer>()->mVelocity.x, 66.0, 1e-9);
    input.SetKey(SDLK_LSHIFT, false);
    Frame();
    EXPECT_EQ(Player()->GetComponent<ComponentPlayer>()->mVelocity, Vector2()) << "letting go stops the player";
    input.SetButton(SDL_BUTTON_RIGHT, false);
}

TEST_F(PlayTest, WithoutACampaignOrAfterItsCreditsItLeavesForTheMainMenuWhateverIsPressed) {
    Logic().LoadCampaign("no-such-campaign");
    TheGame().PushScreen(new PlayScreen());
    TheGame().ProcessScreenChanges();
    EXPECT_TRUE(mLog.Contains("No campaign is loaded"));
    ASSERT_NE(Top<PlayScreen>(), nullptr);
    ASSERT_EQ(Top<PlayScreen>()->GetState(), kQuit);
    // Escape and focus loss while leaving open no in-game menu.
    Broadcast(MessageWindowInactive());
    Tap(SDLK_ESCAPE);
    ASSERT_EQ(TheGame().GetScreens().size(), 1u);
    auto* menu = Top<MainMenuScreen>();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->IsInGame());

    // The same at the end of a campaign (not the training one), in the frame that brings the credits.
    PlayScreen* play = StartTwoRooms();
    Win();
    PressResult();
    Win();
    PressResult(); // on to the next level, which is past the last one
    ASSERT_EQ(play->GetState(), kCampaignDone);
    InputManager::GetInstance().SetKey(SDLK_ESCAPE, true);
    Frame();
    InputManager::GetInstance().SetKey(SDLK_ESCAPE, false);
    EXPECT_EQ(play->GetState(), kCredits);
    ASSERT_EQ(TheGame().GetScreens().size(), 2u);
    ASSERT_NE(Top<CreditsScreen>(), nullptr);
    // Once the credits are over, the main menu alone.
    TheGame().RemoveScreen(Top<CreditsScreen>());
    Frame();
    EXPECT_EQ(play->GetState(), kQuit);
    Frame();
    ASSERT_NE(Top<MainMenuScreen>(), nullptr);
    EXPECT_EQ(TheGame().GetScreens().size(), 1u);
}

TEST_F(PlayTest, AFirstLevelThatCannotBePlayedReturnsToTheMenu) {
    const struct {
        const char* mText;
        const char* mCritical;
    } cases[] = {
        {"<level><name>broken</name></level>", nullptr},
        {"<level><name>empty</name><tilemap width='3' height='3'>1 1 1 1 8 1 1 1 1"
         "</tilemap><medals gold='1' silver='2' bronze='3'/></level>",
         "Level has no player"},
    };
    for (const auto& c : cases) {
        Tests::LogCapture log;
        Start(WriteCampaign({{"first", c.mText}}));
        Frame();
        ASSERT_NE(Top<MainMenuScreen>(), nullptr) << c.mText;
        EXPECT_EQ(Logic().GetLevel(), nullptr) << c.mText;
        if (c.mCritical) EXPECT_TRUE(log.CriticalContains(c.mCritical)) << c.mText;
    }
}

TEST_F(PlayTest, ALaterLevelThatFailsToLoadEndsTheCampaign) {
    PlayScreen* play = Start(WriteCampaign({{"one", RoomLevel("one")}, {"gone", "not xml"}}));
    Logic().mShowCreditsAtEnd = false;
    Win();
    PressResult();
    EXPECT_EQ(play->GetState(), kCampaignDone);
    Frames(2); // without credits (as the training campaign ends): back to the main menu
    auto* menu = Top<MainMenuScreen>();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->IsInGame());
    EXPECT_EQ(TheGame().GetScreens().size(), 1u);
    EXPECT_TRUE(Logic().mShowCreditsAtEnd) << "set back once read";
    EXPECT_EQ(Logic().GetLevel(), nullptr);
    EXPECT_EQ(LivePlayers(), 0);
}

TEST_F(PlayTest, SpawnsFarOutsideTheMapPlayHarmlessly) {
    // The camera follows the player out there; the level's drawing, the bodies, the footsteps'
    // sound waves and the pickups all meet coordinates no cell index can hold.
    const std::string far =
        "<entity><archetype>player</archetype><position x='1e308' y='-1e308'/><direction x='1e308' y='1e11'/></entity>"
        "<entity><archetype>generator</archetype><position x='-1e11' y='1e11'/></entity>"
        "<entity><archetype>gun_sound</archetype><position x='1e308' y='1e308'/></entity>";
    const std::string level = "<level><name>far</name><tilemap width='3' height='3'>1 1 1 1 0 1 1 1 1</tilemap>" + far +
        "<medals gold='1' silver='2' bronze='3'/></level>";
    PlayScreen* play = Start(WriteCampaign({{"far", level}}));
    ASSERT_EQ(play->GetState(), kPlaying);
    InputManager::GetInstance().SetKey(SDLK_d, true);
    Frames(180);
    InputManager::GetInstance().SetKey(SDLK_d, false);
    EXPECT_EQ(play->GetState(), kPlaying);
    EXPECT_EQ(LivePlayers(), 1);
}

TEST_F(PlayTest, TheWinPanelTellsTimeAndMedalAndTheLastOneTheCampaignsEnd) {
    PlayScreen* play = StartTwoRooms(); // medals: gold 1 s, silver 2 s, bronze 3 s
    Frames(90);
    Win();
    const double seconds = Logic().GetLevelCounters().mPlayTime;
    ASSERT_NEAR(seconds, 1.5, 0.05);
    EXPECT_EQ(PanelLines(*play),
              (std::vector<std::string>{"Mission complete",
                                        "Time " + Hud::FormatClock(seconds) + Hud::FormatHundredths(seconds),
                                        "Silver medal (gold: 0:01)"}));
    EXPECT_EQ(ButtonText(*play), "Next Mission");
    PressResult();
    Frames(300);
    Win();
    EXPECT_EQ(PanelLines(*play).at(2), "No medal (bronze: 0:03)");
    EXPECT_EQ(PanelLines(*play).back(), "Campaign complete!");
    EXPECT_EQ(ButtonText(*play), "Continue");
    // The panel's lines sit above its button, all inside the window.
    const Interface::Widget* info = ResultPanel::GetInfo(play->GetPanel());
    const Interface::Widget* button = ResultPanel::GetButton(play->GetPanel());
    EXPECT_GT(info->mY, button->mY + button->GetAreaHeight());
    EXPECT_LT(info->mY + info->GetAreaHeight(), kWindowHeight);

    PressResult();
    EXPECT_EQ(play->GetState(), kCampaignDone);
}

// The card's text for the training levels is checked by the play script (tests/e2e/play.sh).
TEST_F(PlayTest, EachLevelOpensWithATitleCardThatFadesWhilePlayGoesOn) {
    PlayScreen* play = StartTwoRooms();
    const TitleCard& card = play->GetTitleCard();
    const int before = Ticks();
    Frames(119);
    EXPECT_EQ(card.GetOpacity(), 1.0);
    EXPECT_GT(Ticks() - before, 100) << "the game runs under the card";
    Frames(60);
    EXPECT_EQ(card.GetOpacity(), 0.0);
    Win();
    PressResult();
    EXPECT_EQ(card.GetLines().mName, "Two");
    EXPECT_EQ(card.GetOpacity(), 1.0);
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
    ASSERT_EQ(play->GetState(), kPlaying);
    EXPECT_EQ(play->mGun.mGun, kSoundGun) << "the gun is kept from level to level";
    EXPECT_EQ(play->mGun.mCharge, 0.0);
    EXPECT_FALSE(play->mGun.mCharging);
    EXPECT_EQ(play->mGun.mReload, 0.0);
    InputManager::GetInstance().SetKey(SDLK_SPACE, false);
    const int waves = static_cast<int>(ComponentSoundwave::GetInstances().size());
    Frames(2);
    EXPECT_EQ(static_cast<int>(ComponentSoundwave::GetInstances().size()), waves) << "no shot";
}

} // namespace
} // namespace Velmora::Logic
