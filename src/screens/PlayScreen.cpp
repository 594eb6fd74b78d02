#include "screens/PlayScreen.h"

#include "ai/ChaseMessages.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "core/LogRecord.h"
#include "debug/PerformanceManager.h"
#include "editor/EditorScreen.h"
#include "game/AchievementManager.h"
#include "game/ComponentMacGuffin.h"
#include "game/ComponentPlayer.h"
#include "game/ComponentTriggerZone.h"
#include "game/ControllerManager.h"
#include "game/FinishedLevel.h"
#include "game/LogicManager.h"
#include "game/MessageXboxInput.h"
#include "game/PickupMessages.h"
#include "graphics/Batch.h"
#include "graphics/ComponentTransform.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "interface/Style.h"
#include "interface/WButton.h"
#include "interface/WButtonCallbackLambda.h"
#include "interface/WField.h"
#include "interface/WidgetRoot.h"
#include "screens/CreditsScreen.h"
#include "screens/MainMenuScreen.h"
#include "screens/ResultPanel.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/LevelMessages.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace Velmora::Logic {

namespace {

constexpr double kHudPhaseRate = 0.3; // HUD phase per second of play

// A briefcase of this level (taken ones and those of the level before are gone or going).
bool LevelHasBriefcase() {
    for (const ComponentMacGuffin* briefcase : ComponentMacGuffin::GetInstances()) {
        if (!briefcase->mOwner->IsDestroyed()) return true;
    }
    return false;
}

} // namespace

PlayScreen::PlayScreen() : PlayScreen(Game::GetInstance()) {}

// While a level is played the pictures only the menus show give their memory back (see
// TextureManager::SetParking); the menus keep theirs at hand.
PlayScreen::PlayScreen(Game& game) : mGame(game), mWidgets(std::make_unique<Interface::WidgetRoot>()) {
    Graphics::TextureManager::GetInstance().SetParking(true);
}

PlayScreen::~PlayScreen() { Graphics::TextureManager::GetInstance().SetParking(false); }

double PlayScreen::GetTickStep() { return 1.0 / std::max(LogicManager::GetInstance().mTimeIncrement.Get(), 1); }

void PlayScreen::Initialize() {
    LogicManager& logic = LogicManager::GetInstance();
    if (logic.GetCampaignId().empty()) {
        VELMORA_LOG("LOGIC") << "No campaign is loaded";
        SetState(kQuit);
        return;
    }
    const std::vector<std::string>& names = logic.GetLevelNames();
    mLevelIndex = FindStartLevel();
    // The gun is known before the level begins: whoever watches the level begin sees it.
    mGun.mGun = mStartGun;
    if (mLevelIndex < 0 || !LoadPlayableLevel(names[mLevelIndex])) {
        SetState(kQuit);
        return;
    }
    mAudio.Load();
    logic.FireTriggerEvent(kEventBeginLevel);
    mChaseCount = 0;
    mBriefcaseSoundPending = true;
    SetState(kPlaying);
}

int PlayScreen::FindStartLevel() const {
    const std::vector<std::string>& names = LogicManager::GetInstance().GetLevelNames();
    if (mStartLevel.empty()) return names.empty() ? -1 : 0;
    const auto found = std::find(names.begin(), names.end(), mStartLevel);
    if (found != names.end()) return static_cast<int>(found - names.begin());
    VELMORA_LOG("LOGIC") << "Campaign `" << LogicManager::GetInstance().GetCampaignId() << "` has no level `"
                         << mStartLevel << "`";
    return -1;
}

void PlayScreen::StartAt(const std::string& level, GunType gun) {
    mStartLevel = level;
    mStartGun = gun;
}

TickHooks& PlayScreen::Hooks() {
    static TickHooks hooks;
    return hooks;
}

void PlayScreen::Deinitialize() {
    mAudio.StopMusic();
    LogicManager::GetInstance().UnloadLevel();
    if (mState != kPaused) SetState(kPaused);
    ReleaseInput();
    mWidgets->Clear();
}

void PlayScreen::SetPaused(bool paused) {
    GameScreen::SetPaused(paused);
    if (paused) {
        if (mState == kPlaying) SetState(kPaused);
        return;
    }
    mMenuRequested = false;
    if (mState == kPaused)
        SetState(kPlaying);
    else if (mState == kCredits)
        SetState(kQuit);
}

void PlayScreen::HandleMessage(Message& message) {
    if (const auto* loop = MessageCast<MessageUpdateLoop>(message)) {
        Update(loop->mDt);
    } else if (const auto* logic = MessageCast<MessageUpdateLogic>(message)) {
        OnLogicTick(logic->mDt);
    } else if (const auto* world = MessageCast<Graphics::MessageRenderWorld>(message)) {
        if (world->mRenderer) RenderWorld(*world->mRenderer);
    } else if (const auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
        if (overlay->mRenderer) RenderOverlay(*overlay->mRenderer);
    } else if (const auto* pickup = MessageCast<MessageGotGunPickup>(message)) {
        EquipGun(pickup->mGunType);
    } else if (message.Is<MessageBeginLevel>()) {
        OnBeginLevel();
    } else if (message.Is<MessageLevelWon>()) {
        if (mState == kPlaying) SetState(kWon);
    } else if (message.Is<MessageLevelLost>()) {
        if (mState == kPlaying) SetState(kLost);
    } else if (message.Is<MessageWindowInactive>()) {
        OpenMenu();
    } else if (message.Is<Ai::ChaseStart>()) {
        OnChaseStart();
    } else if (message.Is<Ai::ChaseStop>()) {
        OnChaseStop();
    } else if (message.Is<MessageXboxInput>()) {
        if (mState == kPlaying && !mPaused) UpdateFireInput();
    }
}

// ---- States ----

void PlayScreen::SetState(PlayState state) {
    if (state == mState) return;
    const PlayState old = mState;
    mState = state;
    LeaveState(old);
    EnterState(state);
}

void PlayScreen::LeaveState(PlayState state) {
    if (state == kPlaying) {
        ReleaseInput();
        SuppressRumble(true);
    } else if (state == kWon || state == kLost) {
        mWidgets->Clear(); // after the current event when the panel's own button left the state
        mJingleLeft = -1.0;
    }
}

void PlayScreen::EnterState(PlayState state) {
    LogicManager& logic = LogicManager::GetInstance();
    switch (state) {
        case kPaused:
            // Whichever of the two tracks plays: the chase music must not run on under the menu.
            mAudio.StopTrack(mAudio.GetTrack());
            break;
        case kPlaying:
            LogLevel("Playing level");
            // Resumed in the middle of a chase of two or more guards, the chase music goes on.
            mAudio.PlayTrack(mChaseCount >= 2 ? PlayAudio::kChaseTrack : PlayAudio::kTenseTrack);
            mHudPhase = 0.0;
            // A recorded run sees the resume as its next tick's input; a replay's own input says
            // when to empty the meters, whatever its viewer pauses.
            mResumePending = true;
            if (!Hooks().mSupply) mGun.EmptyMeters();
            GrabInput();
            SuppressRumble(false);
            break;
        case kWon:
        case kLost: {
            const bool won = state == kWon;
            LogLevel(won ? "Won level" : "Lost level");
            mChaseCount = 0;
            mAudio.PlaySample(won ? PlayAudio::kWinSample : PlayAudio::kLoseSample);
            if (!won) logic.AddNotification(kCapturedText);
            logic.FireTriggerEvent(kEventEndLevel);
            logic.FireTriggerEvent(won ? kEventWin : kEventLose);
            AchievementManager::GetInstance().RecordLevelResult();
            mTitleCard.Hide();
            StartRestMusic(won);
            ShowResultPanel(won);
            if (won) RecordFinishedLevel();
            if (Hooks().mLevelEnded) Hooks().mLevelEnded(state);
            if (won)
                ApplyWonLook();
            else
                Graphics::GraphicsManager::GetInstance().ApplyDimBloomPreset();
            mHudPhase = 0.0;
            break;
        }
        default:
            break;
    }
}

void PlayScreen::LogLevel(const char* what) const {
    const Level* level = LogicManager::GetInstance().GetLevel();
    if (!level) return;
    VELMORA_LOG("LOGIC") << what << " `" << level->GetName() << "` of `" << level->GetFolder() << "` at "
                         << LogicManager::GetInstance().GetLevelCounters().mPlayTime << " s";
}

void PlayScreen::ActivateResult() { SetState(mState == kWon ? kNextLevel : kRetry); }

void PlayScreen::StepState(double dt) {
    switch (mState) {
        case kPlaying:
            GrabInput(); // follows a switch between window and full screen
            if (!Hooks().mSupply) {
                UpdateMovement();
                UpdateFireInput();
            }
            if (!mLogicFrozen) RunLogicTicks(dt);
            break;
        case kWon:
        case kLost: {
            const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
            ResultPanel::Arrange(*mWidgets, graphics.GetWidth(), graphics.GetHeight());
            mWidgets->Update(dt);
            if (!mPaused) mWidgets->HandleInput();
            // The jingle plays alone, then music comes back instead of silence until the button.
            if (mJingleLeft >= 0.0 && (mJingleLeft -= dt) < 0.0) {
                mAudio.PlayTrack(mState == kWon ? PlayAudio::kRestTrack : PlayAudio::kTenseTrack);
            }
            break;
        }
        case kNextLevel:
            StepNextLevel();
            break;
        case kRetry:
            StepRetry();
            break;
        case kCampaignDone:
            StepCampaignDone();
            break;
        case kQuit:
            StepQuit();
            break;
        default:
            break;
    }
}

void PlayScreen::StepNextLevel() {
    LogicManager& logic = LogicManager::GetInstance();
    ++mLevelIndex;
    const std::vector<std::string>& names = logic.GetLevelNames();
    if (mLevelIndex >= static_cast<int>(names.size()) || !LoadPlayableLevel(names[mLevelIndex])) {
        SetState(kCampaignDone);
        return;
    }
    SetState(kPlaying);
    logic.FireTriggerEvent(kEventBeginLevel);
    Graphics::GraphicsManager::GetInstance().ApplyDefaultBloomPreset();
}

bool PlayScreen::LoadPlayableLevel(const std::string& name) {
    LogicManager& logic = LogicManager::GetInstance();
    if (!logic.LoadLevel(name)) return false;
    if (logic.GetPlayer()) return true;
    // Nothing to steer, no HUD and a camera on nothing: refused like any other broken level.
    VELMORA_LOG_CRITICAL("LOGIC") << "Level has no player: " << LevelFile::LevelPath(logic.GetCampaignId(), name);
    logic.UnloadLevel();
    return false;
}

void PlayScreen::StepRetry() {
    LogicManager& logic = LogicManager::GetInstance();
    if (!logic.RestartLevel()) {
        SetState(kQuit);
        return;
    }
    logic.FireTriggerEvent(kEventBeginLevel);
    SetState(kPlaying);
    Graphics::GraphicsManager::GetInstance().ApplyDefaultBloomPreset();
}

void PlayScreen::StepCampaignDone() {
    LogicManager& logic = LogicManager::GetInstance();
    const bool credits = logic.mShowCreditsAtEnd;
    logic.mShowCreditsAtEnd = true;
    VELMORA_LOG("LOGIC") << "Finished campaign `" << logic.GetCampaignId() << "`";
    if (credits) {
        mGame.PushScreen(new CreditsScreen(mGame));
        SetState(kCredits);
    } else {
        SetState(kQuit);
    }
}

void PlayScreen::StepQuit() {
    const std::vector<GameScreen*>& removing = mGame.mScreensToRemove;
    if (std::find(removing.begin(), removing.end(), this) != removing.end()) return; // already leaving
    mGame.RemoveScreen(this);
    mGame.PushScreen(new MainMenuScreen(mGame, false));
    for (Entity* entity = EntityManager::GetInstance().GetFirst(); entity; entity = entity->GetNext()) {
        entity->Destroy();
    }
}

// ---- Frames and input ----

void PlayScreen::Update(double dt) {
    // A screen above that passes its frames down (the credits) owns the input meanwhile.
    if (!mPaused) HandleInput();
    StepState(dt);
}

void PlayScreen::HandleInput() {
    const InputManager& input = InputManager::GetInstance();
    if (input.IsKeyPressed(SDLK_ESCAPE) || ControllerManager::GetInstance().GetState().IsDown(kPadStart)) {
        OpenMenu();
    } else if (Hooks().mSupply) {
        // A replay: the run's inputs play the level; only the menu key is the player's.
    } else if (input.IsKeyPressed(SDLK_F1)) {
        OpenEditor();
    } else if (input.IsKeyPressed(SDLK_F10)) {
        MessageLevelWon won;
        mGame.SendMessage(won);
    } else if (input.IsKeyPressed(SDLK_F7)) {
        mLogicFrozen = !mLogicFrozen;
        VELMORA_LOG("LOGIC") << (mLogicFrozen ? "Clock held" : "Clock running");
    } else if (input.IsKeyPressed(SDLK_F8)) {
        mLogicFrozen = true;
        RunLogicTick();
    } else if (input.IsButtonPressed(SDL_BUTTON_LEFT)) {
        const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        const InputManager::Point mouse = input.GetMousePosition();
        if (Hud::MenuButtonRect(graphics.GetWidth(), graphics.GetHeight()).Contains(mouse.x, mouse.y)) OpenMenu();
    }
}

void PlayScreen::UpdateMovement() {
    const LogicManager& logic = LogicManager::GetInstance();
    Entity* player = logic.GetPlayer();
    auto* control = player ? player->GetComponent<ComponentPlayer>() : nullptr;
    if (!control) return;
    const InputManager& input = InputManager::GetInstance();
    const InputManager::Point mouse = input.GetMousePosition();
    const InputManager::Point moved = input.GetMouseDelta();
    const Vector2 cursor(mouse.x, mouse.y);
    if (moved.x != 0.0 || moved.y != 0.0) control->FaceTowards(cursor);
    if (input.IsKeyDown(SDLK_LSHIFT) || input.IsButtonDown(SDL_BUTTON_LEFT)) {
        const double speed = logic.mPlayerMoveSpeed.Get() * (mGun.IsAiming() ? 0.5 : 1.0);
        control->MoveTowards(cursor, speed);
    } else if (!ControllerManager::GetInstance().mStickActive) {
        control->MoveTowards(cursor, 0.0);
    }
}

bool PlayScreen::IsFireHeld() const {
    const InputManager& input = InputManager::GetInstance();
    return input.IsKeyDown(SDLK_SPACE) || input.IsButtonDown(SDL_BUTTON_RIGHT) ||
        ControllerManager::GetInstance().GetState().mRightTrigger >= Gun::kTriggerThreshold;
}

void PlayScreen::UpdateFireInput() {
    // Read every frame, acted on at the next tick: a press shorter than a tick still counts.
    mFireHeld = IsFireHeld();
    mFirePressed = mFirePressed || mFireHeld;
}

void PlayScreen::Shoot(const GunShot& shot) {
    LogicManager& logic = LogicManager::GetInstance();
    const Entity* player = logic.GetPlayer();
    const auto* transform = player ? player->GetComponent<Graphics::ComponentTransform>() : nullptr;
    if (!transform) return;
    logic.CreateSoundwave(shot.mKind, transform->mPosition, shot.mStrength, transform->mDirection, shot.mSpreadDegrees);
    mAudio.PlaySample(shot.mSample);
    logic.FireTriggerEvent(shot.mEvent);
}

void PlayScreen::OpenEditor() {
    if (mPaused || mMenuRequested || mState != kPlaying || !LogicManager::GetInstance().GetLevel()) return;
    // Guards the same frame against a second push: the editor enters the stack at its end.
    mMenuRequested = true;
    mGame.PushScreen(new Editor::EditorScreen(mGame));
}

void PlayScreen::OpenMenu() {
    if (mPaused || mMenuRequested) return;
    // Leaving for the credits or the main menu in this frame: a menu pushed now would outlive
    // the play screen it belongs to.
    if (mState == kCampaignDone || mState == kCredits || mState == kQuit) return;
    mMenuRequested = true;
    VELMORA_LOG("LOGIC") << "In-game menu opened";
    mGame.PushScreen(new MainMenuScreen(mGame, true));
}

// ---- Logic ticks ----

void PlayScreen::RunLogicTicks(double frameTime) {
    const double step = GetTickStep();
    mTickAccumulator += std::clamp(frameTime, 0.0, kMaxFrameTime);
    while (mTickAccumulator > step) {
        mTickAccumulator -= step;
        RunLogicTick();
        if (mState != kPlaying) {
            // The level ended in that tick: nothing more of it runs.
            mTickAccumulator = 0.0;
            break;
        }
    }
}

void PlayScreen::RunLogicTick() {
    static const int sTimer = Debug::PerformanceManager::GetInstance().RegisterTimer(kLogicTimer);
    static const int sCounter = Debug::PerformanceManager::GetInstance().RegisterCounter(kTickCounter, true);
    Debug::ScopedTimer timer(sTimer);
    Debug::PerformanceManager::GetInstance().Count(sCounter);
    ApplyTickInput(TakeTickInput());
    MessageUpdateLogic update(GetTickStep());
    mGame.SendMessage(update);
    EntityManager::GetInstance().SendToAll(update);
    // Deleted per tick rather than per frame: how many ticks a frame runs must not matter.
    EntityManager::GetInstance().DestroyPending();
    if (Hooks().mTickDone) Hooks().mTickDone();
}

TickInput PlayScreen::TakeTickInput() {
    const Entity* player = LogicManager::GetInstance().GetPlayer();
    const auto* control = player ? player->GetComponent<ComponentPlayer>() : nullptr;
    const auto* transform = player ? player->GetComponent<Graphics::ComponentTransform>() : nullptr;
    TickInput input;
    if (control) input.mMove = control->mVelocity;
    if (transform) input.mFacing = transform->mDirection;
    input.mFire = mFireHeld || mFirePressed;
    input.mResumed = mResumePending;
    mFirePressed = false;
    mResumePending = false;
    if (Hooks().mSupply) {
        TickInput supplied;
        supplied.mFacing = input.mFacing;
        if (!Hooks().mSupply(supplied)) supplied = TickInput{Vector2(), input.mFacing, false, false};
        input = supplied;
    }
    if (Hooks().mObserve) Hooks().mObserve(input);
    return input;
}

void PlayScreen::ApplyTickInput(const TickInput& input) {
    Entity* player = LogicManager::GetInstance().GetPlayer();
    if (auto* control = player ? player->GetComponent<ComponentPlayer>() : nullptr) control->mVelocity = input.mMove;
    auto* transform = player ? player->GetComponent<Graphics::ComponentTransform>() : nullptr;
    if (transform && input.mFacing != Vector2()) transform->mDirection = input.mFacing;
    if (input.mResumed) mGun.EmptyMeters();
    if (const std::optional<GunShot> shot = mGun.SetFireInput(input.mFire)) Shoot(*shot);
}

void PlayScreen::OnLogicTick(double dt) {
    LogicManager& logic = LogicManager::GetInstance();
    logic.UpdateNotifications(dt);
    if (mState == kPlaying) {
        AdvanceClock(dt);
        // On the game's clock: a slow first frame after loading does not eat the card.
        mTitleCard.Update(dt);
        mGun.Update(dt);
        mHudPhase += kHudPhaseRate * dt;
        mHudPhase -= std::floor(mHudPhase);
    }
    const Entity* player = logic.GetPlayer();
    if (!player) return;
    FollowPlayer(*player);
    if (const auto* transform = player->GetComponent<Graphics::ComponentTransform>()) {
        ComponentTriggerZone::UpdateZones(Vector2(transform->mPosition));
    }
}

void PlayScreen::AdvanceClock(double dt) {
    LogicManager& logic = LogicManager::GetInstance();
    logic.GetLevelCounters().mPlayTime += dt;
    logic.GetGameCounters().mPlayTime += dt;
    mSecondFraction += dt;
    while (mSecondFraction >= 1.0) {
        mSecondFraction -= 1.0;
        logic.FireTriggerEvent(kEventTick); // counts the second in both sets
    }
}

// ---- Game messages ----

void PlayScreen::OnBeginLevel() {
    LogicManager& logic = LogicManager::GetInstance();
    mBriefcaseSoundPending = true;
    // Guards that were chasing are gone without a ChaseStop (a reset from the menu).
    mChaseCount = 0;
    logic.ClearNotifications();
    logic.ResetLevelCounters();
    mGun.BeginLevel();
    // Every level begin and retry spawns a new player: a White Gun carried in still silences it.
    MatchStepsToGun();
    mFireHeld = false;
    mFirePressed = false;
    mSecondFraction = 0.0;
    Graphics::GraphicsManager::GetInstance().ApplyDefaultBloomPreset();
    if (const Entity* player = logic.GetPlayer()) FollowPlayer(*player);
    ShowTitleCard();
    const std::vector<std::string>& names = logic.GetLevelNames();
    if (Hooks().mLevelBegun && mLevelIndex >= 0 && mLevelIndex < static_cast<int>(names.size())) {
        Hooks().mLevelBegun(logic.GetCampaignId(), names[mLevelIndex], mGun.mGun);
    }
}

void PlayScreen::ShowTitleCard() {
    const LogicManager& logic = LogicManager::GetInstance();
    const Level* level = logic.GetLevel();
    if (!level) return;
    mTitleCard.Show(TitleCard::MakeLines(logic.GetCampaignId(), mLevelIndex,
                                         static_cast<int>(logic.GetLevelNames().size()), level->GetName(),
                                         LevelHasBriefcase()));
    const TitleCard::Lines& lines = mTitleCard.GetLines();
    VELMORA_LOG("LOGIC") << "Title card: " << lines.mPlace << ", " << lines.mName << ": " << lines.mObjective;
}

void PlayScreen::EquipGun(int gunType) {
    if (gunType == kGunNone) return;
    if (gunType < kSoundGun || gunType > kShockGun) {
        VELMORA_LOG("LOGIC") << "Ignoring a pickup of unknown gun type " << gunType;
        return;
    }
    mGun.mGun = static_cast<GunType>(gunType);
    MatchStepsToGun();
    mAudio.PlaySample(PlayAudio::kPowerSample);
}

void PlayScreen::MatchStepsToGun() const {
    if (Entity* player = LogicManager::GetInstance().GetPlayer()) {
        if (auto* control = player->GetComponent<ComponentPlayer>()) control->mWhiteSteps = mGun.mGun == kWhiteGun;
    }
}

void PlayScreen::OnChaseStart() {
    if (++mChaseCount != 2) return;
    mAudio.StopTrack(PlayAudio::kTenseTrack);
    mAudio.PlayTrack(PlayAudio::kChaseTrack);
}

void PlayScreen::OnChaseStop() {
    // A chase that ends after the count was reset (level end, retry) has nothing to end.
    if (mChaseCount <= 0) return;
    if (--mChaseCount != 0) return;
    mAudio.StopTrack(PlayAudio::kChaseTrack);
    if (mAudio.GetTrack() != PlayAudio::kTenseTrack) mAudio.PlayTrack(PlayAudio::kTenseTrack);
    mAudio.PlaySample(PlayAudio::kPhewSample);
}

// ---- Drawing ----

void PlayScreen::RenderWorld(Graphics::Renderer& renderer) {
    LogicManager& logic = LogicManager::GetInstance();
    logic.RenderWorld(renderer);
    if (!mGun.IsAiming()) return;
    const Entity* player = logic.GetPlayer();
    const auto* transform = player ? player->GetComponent<Graphics::ComponentTransform>() : nullptr;
    if (!transform) return;
    const double distance = LaserSight::Distance(mGun.mGun, mGun.mCharge, logic.mSoundwaveLifetime);
    logic.mPlayerLaserDistance = distance;
    const int lines = logic.mPlayerLaserMaxLines;
    mLaser.Draw(renderer, LaserSight::TracePath(transform->mPosition, transform->mDirection, distance, lines), lines,
                mGun.mGun, mHudPhase);
}

void PlayScreen::RenderOverlay(Graphics::Renderer& renderer) {
    LogicManager::GetInstance().DrawNotifications(renderer);
    DrawHud(renderer);
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    mTitleCard.Draw(renderer, graphics.GetWidth(), graphics.GetHeight());
    if (mState == kWon || mState == kLost) ResultPanel::Draw(*mWidgets, renderer, graphics.GetWidth());
}

void PlayScreen::DrawHud(Graphics::Renderer& renderer) {
    LogicManager& logic = LogicManager::GetInstance();
    const Entity* player = logic.GetPlayer();
    if (!player) return;
    const GameCounters& level = logic.GetLevelCounters();
    const bool briefcase = level.mMacGuffin != 0;
    if (briefcase && mBriefcaseSoundPending) {
        mAudio.PlaySample(PlayAudio::kItemSample);
        mBriefcaseSoundPending = false;
    }
    const auto* control = player->GetComponent<ComponentPlayer>();
    HudState state;
    state.mLevelTime = level.mPlayTime;
    state.mBriefcase = briefcase;
    state.mGun = mGun.mGun;
    state.mMeterPower = mGun.GetMeterPower(control && control->mWhiteSteps);
    state.mReload = mGun.mReload;
    state.mCharge = mGun.mCharge;
    state.mPhase = mHudPhase;
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    mHud.Draw(renderer, graphics.GetWidth(), graphics.GetHeight(), state);
}

void PlayScreen::ShowResultPanel(bool won) {
    LogicManager& logic = LogicManager::GetInstance();
    ResultSummary summary;
    summary.mWon = won;
    summary.mSeconds = logic.GetLevelCounters().mPlayTime;
    if (won) {
        const AchievementManager& achievements = AchievementManager::GetInstance();
        summary.mMedal = achievements.GetMedal(summary.mSeconds);
        summary.mNextMedal = achievements.GetNextMedal(summary.mMedal, summary.mNextMedalTime);
    }
    summary.mLastLevel = mLevelIndex + 1 >= static_cast<int>(logic.GetLevelNames().size());
    if (won) {
        VELMORA_LOG("LOGIC") << "Level time " << Hud::FormatClock(summary.mSeconds)
                             << Hud::FormatHundredths(summary.mSeconds) << ", medal " << MedalName(summary.mMedal);
        if (summary.mLastLevel) VELMORA_LOG("LOGIC") << "Campaign `" << logic.GetCampaignId() << "` complete";
    }
    auto callback = Interface::WButtonCallbackLambda::Make([this](Interface::WButton&) { ActivateResult(); });
    ResultPanel::Show(*mWidgets, summary, std::move(callback));
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    ResultPanel::Arrange(*mWidgets, graphics.GetWidth(), graphics.GetHeight());
}

void PlayScreen::StartRestMusic(bool won) {
    // The level's music gives way to the jingle; once the jingle has played, music returns.
    mAudio.StopTrack(PlayAudio::kTenseTrack);
    mAudio.StopTrack(PlayAudio::kChaseTrack);
    mJingleLeft = mAudio.GetSampleSeconds(won ? PlayAudio::kWinSample : PlayAudio::kLoseSample);
}

void PlayScreen::FollowPlayer(const Entity& player) const {
    const auto* transform = player.GetComponent<Graphics::ComponentTransform>();
    if (!transform) return;
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    graphics.GetView().SetZoom(graphics.mScaleFactor);
    graphics.GetView().SetPosition(transform->mPosition.x, transform->mPosition.y);
}

// ---- Platform ----

void PlayScreen::GrabInput() const {
    // Only a full-screen game keeps the mouse; a window always lets it go.
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    const SDL_GrabMode wanted = Graphics::GraphicsManager::GetInstance().IsFullscreen() ? SDL_GRAB_ON : SDL_GRAB_OFF;
    if (SDL_WM_GrabInput(SDL_GRAB_QUERY) != wanted) SDL_WM_GrabInput(wanted);
}

void PlayScreen::ReleaseInput() const {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    if (SDL_WM_GrabInput(SDL_GRAB_QUERY) != SDL_GRAB_OFF) SDL_WM_GrabInput(SDL_GRAB_OFF);
}

void PlayScreen::SuppressRumble(bool suppressed) const {
    ControllerManager::GetInstance().mRumbleSuppressed = suppressed;
}

void PlayScreen::ApplyWonLook() const {
    // The in-game look with the first sample ratio and the brightness raised: a bright flush
    // that eases in from the current glow.
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    graphics.mBloomRatio0 = 2.5;
    graphics.mBloomRatio1 = -1.0;
    graphics.mBloomRatio2 = 0.5;
    graphics.mBloomRatio3 = 0.5;
    graphics.mBloomBrightness = 2.2;
}

} // namespace Velmora::Logic
