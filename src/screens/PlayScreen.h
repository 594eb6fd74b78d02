#pragma once

#include "core/GameScreen.h"
#include "game/Gun.h"
#include "screens/Hud.h"
#include "screens/LaserSight.h"
#include "screens/PlayAudio.h"
#include "screens/PlayState.h"
#include "screens/TickInput.h"
#include "screens/TitleCard.h"

#include <memory>
#include <string>

namespace Velmora {
class Entity;
class Game;
} // namespace Velmora

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Interface {
class WidgetRoot;
}

namespace Velmora::Logic {

/// The screen that plays a campaign: it loads the campaign's levels one after another, turns
/// frame time into fixed logic ticks of 1 / "Logic/TimeIncrement" seconds, reads the player's
/// keyboard, mouse and pad input, runs the gun, decides on winning and losing, switches the
/// music, keeps the camera on the player and draws the HUD, the laser sight and the level-end
/// panel. Pushed by the menu when a campaign starts; it removes itself (and brings back the
/// main menu) when the campaign ends or the player quits.
///
/// Mouse grab: while a level is played in full screen the mouse is kept inside the window
/// (SDL_WM_GrabInput), so a second monitor cannot steal a click; in a window it is never
/// grabbed, so the player can always reach the desktop (losing the focus pauses the game).
class PlayScreen : public GameScreen {
public:
    /// The most frame time one frame turns into logic ticks (seconds); a longer frame (a level
    /// load, a stall) drops the rest instead of running a burst of ticks the player never saw.
    static constexpr double kMaxFrameTime = 0.25;
    /// Performance labels of the logic ticks.
    static constexpr const char* kLogicTimer = "Game Logic";
    static constexpr const char* kTickCounter = "Logical Ticks";
    /// The notification shown when the player is caught (two blanks before "Oops.").
    static constexpr const char* kCapturedText = "You have been captured.  Oops.";

    /// A play screen of the game's stack, in kPaused until it is initialised.
    PlayScreen();
    /// The same for a given game (its stack receives the screens this one pushes).
    explicit PlayScreen(Game& game);
    ~PlayScreen() override;
    PlayScreen(const PlayScreen&) = delete;
    PlayScreen& operator=(const PlayScreen&) = delete;

    /// Loads the campaign's first level, the music and samples, fires the level-start event and
    /// starts playing; without a campaign (or a first level) it heads back to the menu. A level
    /// that spawns no player is refused here and later in the campaign, with the critical record
    /// "Level has no player: PATH", like a level that does not read.
    void Initialize() override;
    /// Stops the music, unloads the level and leaves the current state.
    void Deinitialize() override;
    /// Covered by another screen: play pauses (grab released, rumble suppressed, tense music
    /// paused). Uncovered: a paused game plays on; after the credits the screen quits.
    void SetPaused(bool paused) override;
    /// MessageUpdateLoop: input (Escape or pad Start: in-game menu; F1: the level editor; F10: win;
    /// F7: freeze or thaw the logic; F8: freeze and run one tick; a click on the HUD's menu
    /// button), then the state's step (while playing: walking, aiming and the fire input, then
    /// the logic ticks). MessageUpdateLogic: notifications, the level clock, the gun, the HUD
    /// phase, the camera, the trigger zones. The two render passes: world and laser sight;
    /// notifications, HUD and level-end panel. MessageGotGunPickup, MessageBeginLevel, MessageLevelWon and
    /// MessageLevelLost, MessageWindowInactive (in-game menu), Ai::ChaseStart and
    /// Ai::ChaseStop (chase music), MessageXboxInput (the pad's trigger).
    void HandleMessage(Message& message) override;
    /// True while another screen lies above this one.
    virtual bool IsPaused() const { return mPaused; }

    /// Enters a state, leaving the current one; nothing when it is the current state.
    void SetState(PlayState state);
    /// The current state.
    PlayState GetState() const { return mState; }
    /// Adds a frame's time to the accumulator and runs every whole tick it holds (strictly more
    /// than one step: an accumulator exactly equal to the step waits). Stops early when the
    /// level ends during a tick.
    void RunLogicTicks(double frameTime);
    /// One logic tick: the tick's input handed to the player and the gun (a shot made), then
    /// MessageUpdateLogic with the step to the systems and the top screen, then to every
    /// entity, then the entities destroyed in the tick deleted; timed and counted.
    void RunLogicTick();
    /// Starts the campaign at the named level instead of its first, carrying the given gun (a
    /// replay of one level). Call before Initialize; an unknown level quits to the menu.
    void StartAt(const std::string& level, GunType gun);
    /// The hooks every play screen calls around its ticks (shared by all play screens).
    static TickHooks& Hooks();
    /// The level-end button: from kWon on to the next level, from any other state a retry.
    void ActivateResult();
    /// The card naming the level being played (shown as each level begins).
    const TitleCard& GetTitleCard() const { return mTitleCard; }
    /// The level-end panel's widgets (empty while playing).
    const Interface::WidgetRoot& GetPanel() const { return *mWidgets; }
    /// The step of one logic tick in seconds, 1 / "Logic/TimeIncrement" (which is kept ≥ 1).
    static double GetTickStep();

    /// Gun state: carried gun, reload, charge, charging.
    Gun mGun;
    bool mLogicFrozen = false;          ///< F7 / F8: no ticks from frame time
    double mHudPhase = 0.0;             ///< 0 … 1, the HUD meter's shimmer and the laser's stream
    double mTickAccumulator = 0.0;      ///< frame time not yet run as ticks, seconds
    int mLevelIndex = 0;                ///< the campaign's level being played
    int mChaseCount = 0;                ///< guards chasing the player now
    bool mBriefcaseSoundPending = true; ///< the briefcase sound has not played in this level
    PlayAudio mAudio;                   ///< music and samples

private:
    void Update(double dt);
    void HandleInput();
    void StepState(double dt);
    void StepNextLevel();
    bool LoadPlayableLevel(const std::string& name);
    void StepRetry();
    void StepCampaignDone();
    void StepQuit();
    void UpdateMovement();
    void UpdateFireInput();
    bool IsFireHeld() const;
    void Shoot(const GunShot& shot);
    void OnLogicTick(double dt);
    TickInput TakeTickInput();
    void ApplyTickInput(const TickInput& input);
    int FindStartLevel() const;
    void AdvanceClock(double dt);
    void OnBeginLevel();
    void EquipGun(int gunType);
    /// Footsteps are silent (white) while the player carries the White Gun.
    void MatchStepsToGun() const;
    void OnChaseStart();
    void OnChaseStop();
    void OpenMenu();
    void OpenEditor();
    void EnterState(PlayState state);
    void LeaveState(PlayState state);
    void ShowResultPanel(bool won);
    void ShowTitleCard();
    void StartRestMusic(bool won);
    void FollowPlayer(const Entity& player) const;
    void RenderWorld(Graphics::Renderer& renderer);
    void RenderOverlay(Graphics::Renderer& renderer);
    void DrawHud(Graphics::Renderer& renderer);
    void GrabInput() const;
    void ReleaseInput() const;
    void SuppressRumble(bool suppressed) const;
    void ApplyWonLook() const;
    void LogLevel(const char* what) const;

    Game& mGame;
    PlayState mState = kPaused;
    std::unique_ptr<Interface::WidgetRoot> mWidgets; // the level-end panel
    Hud mHud;
    LaserSight mLaser;
    double mSecondFraction = 0.0; // of the level clock, not yet counted as a whole second
    bool mMenuRequested = false;  // the in-game menu is queued or open above
    TitleCard mTitleCard;         // the level's name and objective as it starts
    double mJingleLeft = -1.0;    // seconds of the win or loss jingle still to play; < 0: none
    bool mFireHeld = false;       // the fire control as last read
    bool mFirePressed = false;    // the fire control was held at some read since the last tick
    bool mResumePending = false;  // play (re)started since the last tick
    std::string mStartLevel;      // StartAt's level; empty: the campaign's first
    GunType mStartGun = kGunNone; // StartAt's gun
};

} // namespace Velmora::Logic
