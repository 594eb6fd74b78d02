#pragma once

#include "ai/AiHost.h"
#include "ai/VisibilityRegistry.h"
#include "core/ISystem.h"
#include "core/LogRecord.h"
#include "core/Vector2.h"
#include "debug/TweakVar.h"
#include "game/GameCounters.h"
#include "game/TriggerSet.h"
#include "world/LevelListener.h"
#include "world/SoundwaveKind.h"
#include "world/TriggerEvent.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Velmora {
class ComponentFactory;
class Entity;
class Game;
class GameScreen;
} // namespace Velmora

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Logic {

class Level;
struct SpawnInfo;

/// The gameplay system: holds the current campaign (its id and ordered level
/// names), the current level, the game and level counters, the visibility registry, the
/// on-screen notifications and every gameplay tweak value. It loads, begins and ends levels,
/// spawns a level's entities, creates sound waves for everybody who makes noise and draws the
/// world. It reacts to no message itself: the screen on top of the stack drives the game. It is
/// also the guards' host: their registry, the player, the level's graph, their alarm waves.
class LogicManager : public ISystem, public LevelListener, public Ai::AiHost {
public:
    /// Makes a screen for a game (the screens live in a layer above this one); set by the
    /// program at start-up, before the systems initialise.
    using ScreenMaker = std::function<GameScreen*(Game&)>;
    struct ScreenMakers {
        ScreenMaker mIntro;     ///< the intro slides, queued at start-up
        ScreenMaker mPreloader; ///< the preloader, queued above the intro
        ScreenMaker mPlay;      ///< a play screen, pushed when a campaign or a new game starts
    };

    /// One on-screen notification.
    struct Notification {
        std::string mText;
        double mRemaining = 0.0; ///< seconds left
    };

    /// Seconds a new notification stays.
    static constexpr double kNotificationLifetime = 5.0;
    /// Most notifications kept; adding one more drops the oldest (the screen shows a few).
    static constexpr size_t kMaxNotifications = 64;
    /// Most sound waves alive at once; CreateSoundwave refuses more (a huge pane of glass
    /// breaking would otherwise make one wave per cell).
    static constexpr size_t kMaxSoundwaves = 512;
    /// Quads' vertices in the sound-wave ribbon batch (about 68 full waves before a flush).
    static constexpr unsigned kRibbonBatchVertices = 65536;

    /// The game's instance, created on first use, never deleted.
    static LogicManager& GetInstance();
    LogicManager();
    ~LogicManager() override;
    LogicManager(const LogicManager&) = delete;
    LogicManager& operator=(const LogicManager&) = delete;

    /// Adds the tile manager as a system (which initialises it at once: the catalogue loads),
    /// registers the gameplay components with the game's component factory, then queues the
    /// intro screen and the preloader above it, so the preloader runs first.
    void Initialize() override;
    /// Drops the level, the visibility registry and the notifications.
    void Deinitialize() override;
    /// The screens this manager pushes; a missing maker pushes nothing.
    void SetScreenMakers(ScreenMakers makers) { mScreenMakers = std::move(makers); }
    /// The screens this manager pushes.
    const ScreenMakers& GetScreenMakers() const { return mScreenMakers; }

    /// A broken cell of glass: a kSound wave of strength 3 all round, a burst of glass.
    void OnCellShattered(const Vector2& centre) override;
    /// A broken pane fires the shatter event once.
    void OnPaneShattered() override;
    /// An opened door cell bursts red streaks from its corner.
    void OnDoorCellOpened(const Vector2& corner) override;
    /// Nothing derives from the cells here yet besides the collision map.
    void OnMapsRebuilt(Level& level) override;

    // Campaigns.
    /// Unloads the level and loads data/level/ID/campaign.xml. False, nothing logged, when the
    /// file does not exist; false with "Campaign has no levels" (on "LOGIC") when it lists no
    /// level or cannot be read. On success the id and the level names are current; on failure
    /// both are empty.
    bool LoadCampaign(const std::string& id);
    /// The campaign id, which is also the folder of its levels under data/level; empty when no
    /// campaign is loaded.
    const std::string& GetCampaignId() const { return mCampaignId; }
    /// Sets the campaign folder directly, keeping the level names (the editor's folder choice).
    void SetCampaignId(const std::string& id) { mCampaignId = id; }
    /// The campaign's level names in play order.
    const std::vector<std::string>& GetLevelNames() const { return mLevelNames; }
    /// The menu's campaign entries: loads the campaign (or the one the environment variable
    /// VELMORA_CAMPAIGN names, when set: tests start test levels so; a failure is left for the
    /// play screen to report), clears mShowCreditsAtEnd for "training", queues the removal of `menu` (may
    /// be null), ends the level's entities (MessageEndLevel), clears the game's screen stack and
    /// pushes a new play screen, which begins the campaign's first level.
    void StartCampaign(const std::string& id, GameScreen* menu, Game& game);
    /// The same on the game's own stack.
    void StartCampaign(const std::string& id, GameScreen* menu = nullptr);
    /// The menu's "Confirm New": the whole stack is replaced by a fresh play screen, which plays
    /// the current campaign from its first level again.
    void StartNewGame(Game& game);

    // Levels.
    /// Ends the current level (MessageEndLevel to every entity, the level destroyed), reads NAME
    /// of the current campaign folder and begins it. On failure (logged by the reader) there is
    /// no level and false is returned.
    bool LoadLevel(const std::string& name);
    /// The same for the level NAME of any campaign folder (the script function
    /// Engine.LoadLevel); the current campaign stays as it is.
    bool LoadLevel(const std::string& folder, const std::string& name);
    /// Ends the current level, if any: MessageEndLevel to every entity, the level destroyed.
    void UnloadLevel();
    /// Loads the current level again from its own folder and name (the editor after a save).
    /// False when no level is loaded or the load fails.
    bool ReloadLevel();
    /// Ends the current level and makes `level` current without beginning it (a level built in
    /// code: the editor's new level, tests, tools). Null just ends the current level.
    void SetLevel(std::unique_ptr<Level> level);
    /// Begins the current level: the random source (and the C library's, which level scripts'
    /// math.random uses) reseeded from the level's name and mLevelSeed, cells reset, level counters zeroed, one entity
    /// per spawn entry (failed entries skipped), MessageBeginLevel to every entity and then broadcast, particles
    /// cleared. Nothing happens without a level.
    void BeginLevel();
    /// Plays the current level again from its start: MessageEndLevel to every entity (they
    /// remove themselves), then BeginLevel. False, and nothing done, without a level.
    bool RestartLevel();
    /// Builds the entity of a spawn entry from its archetype and data, names it, places its
    /// transform at the entry's position and direction and sends it MessageSpawned. Null (the
    /// factory has logged why) when the archetype cannot be built.
    Entity* SpawnEntity(const SpawnInfo& spawn);
    /// The current level, or null. Owned here; valid until the next LoadLevel, UnloadLevel,
    /// SetLevel or LoadCampaign.
    Level* GetLevel() const { return mLevel.get(); }

    // Sound waves.
    /// Creates and launches a sound wave: an entity of the "soundwave" archetype at `position`
    /// facing `direction` (which may be zero), spread over `spreadDegrees`, travelling at the
    /// "Logic/Soundwave/Speed" value with energy "Logic/Soundwave/Lifetime" × `strength`.
    /// Null when the archetype cannot be built (logged once) or kMaxSoundwaves waves are alive.
    Entity* CreateSoundwave(SoundwaveKind kind, const Vector2& position, double strength, const Vector2& direction,
                            double spreadDegrees);

    // Notifications.
    /// Adds a notification shown for 5 seconds.
    void AddNotification(const std::string& text);
    /// The per-tick bookkeeping: every notification's time runs down by dt seconds and those
    /// with none left are dropped.
    void UpdateNotifications(double dt);
    /// Drops every notification.
    void ClearNotifications() { mNotifications.clear(); }
    /// The notifications, oldest first.
    const std::deque<Notification>& GetNotifications() const { return mNotifications; }
    /// Draws the notifications in window pixels for the overlay pass: centred near the top of
    /// the graphics manager's window, oldest on top, in the "menu_small" font over a dark band,
    /// fading in and out.
    void DrawNotifications(Graphics::Renderer& renderer) const;
    /// The same for a window of the given size in pixels.
    void DrawNotifications(Graphics::Renderer& renderer, int width, int height) const;

    /// Who sees whom, kept by perception.
    Ai::VisibilityRegistry& GetVisibilityRegistry() override { return mVisibility; }
    /// The current level's graph, or null without a level.
    const NavigationMap* GetNavigationMap() const override;
    /// A kSound wave all round the point (a guard's alarm).
    void MakeNoise(const Vector2& point, double strength) override;
    /// The "Debug/Perception", "Debug/Visibility" and "Debug/Behaviors" switches.
    bool IsDebugOn(DebugSwitch which) const override;

    /// The gameplay component creators, in this order: ComponentGhost, ComponentPerception,
    /// ComponentPlayer, ComponentSoundwave, ComponentEmote, ComponentWaypoint,
    /// ComponentGenerator, ComponentTriggerZone, ComponentMacGuffin, ComponentGunPickup.
    static void RegisterComponents(ComponentFactory& factory);

    /// The player's entity: the entity of the first ComponentPlayer (in instance-set order)
    /// whose entity is not destroyed; null when none.
    Entity* GetPlayer() const override;

    /// The world render, for whoever owns the world view (the play screen on
    /// Graphics::MessageRenderWorld): the level's visible cells under the graphics manager's
    /// view, Graphics::MessageRender to every entity, the particles, the sound-wave ribbons,
    /// then the navigation graph's debug drawing whose switches are on.
    void RenderWorld(Graphics::Renderer& renderer);
    /// The ribbons of every live sound wave into one additive batch with "soundwave.png" on
    /// layer 500. Timed as "Soundwave Rendering"; each band counted as "Soundwave Rays Drawn".
    void RenderSoundwaves(Graphics::Renderer& renderer) const;

    /// A game event: the counter it carries (if any) goes up by one in both the game and the
    /// level set, then the current level's triggers for the event run (TriggerSet). zoneId is
    /// the trigger zone of ENTER_ZONE and EXIT_ZONE, 0 otherwise.
    void FireTriggerEvent(TriggerEvent event, int zoneId = 0);
    /// Counters over the whole run (never reset).
    GameCounters& GetGameCounters() { return mGameCounters; }
    /// Counters of the current level attempt.
    GameCounters& GetLevelCounters() { return mLevelCounters; }
    /// Zeroes the level counters (at every level begin).
    void ResetLevelCounters() { mLevelCounters = GameCounters(); }

    /// Open menu-like screens (intro, menus, credits, editor): each adds one in its Initialize
    /// and takes it back in its Deinitialize. While it is 0, losing the window focus broadcasts
    /// MessageWindowInactive (the play screen pauses).
    int mMenuScreenCount = 0;
    /// The extra seed mixed with the level's name into the random source at every level begin
    /// (0 normally; a recorded run names its own).
    uint32_t mLevelSeed = 0;
    /// Whether the credits follow the last level of a campaign: true at start, cleared by
    /// starting the training campaign, set again by the play screen once read.
    bool mShowCreditsAtEnd = true;

    // Gameplay tweak values, read every time they are needed.
    /// The log level as a panel value (the records' filter).
    Debug::TweakVar<int&> mDebugLevel{"Debug/Level", "group='Debug' label='Log Level' min=1 max=9",
                                      LogRecord::sLogLevel};
    /// Speed of every new sound wave, world units per second.
    Debug::TweakVar<double> mSoundwaveSpeed{"Logic/Soundwave/Speed",
                                            "group='Soundwave' label='Speed' min=1.0 max=3000.0", 200.0};
    /// Base energy of a wave; a wave's energy is this times its creator's strength.
    Debug::TweakVar<double> mSoundwaveLifetime{"Logic/Soundwave/Lifetime",
                                               "group='Soundwave' label='Lifetime' min=5.0 max=10000.0", 80.0};
    /// Creation value of a wave's spread, degrees.
    Debug::TweakVar<double> mSoundwaveSpread{"Logic/Soundwave/Spread",
                                             "group='Soundwave' label='SpreadAngle' min=1.0 max=360.0", 10.0};
    /// Shown in the panel only; a wave's direction comes from its transform.
    Debug::TweakVar<double> mSoundwaveDirection{"Logic/Soundwave/Direction",
                                                "group='Soundwave' label='Direction Angle'", 90.0};
    /// How far apart neighbouring rays may drift before their band tears.
    Debug::TweakVar<double> mSoundwaveSplitFactor{"Logic/Soundwave/SplitFactor",
                                                  "group='Soundwave' label='Split Factor' min=1.0 max=100.0", 2.0};
    /// Energy a ray loses at each wall event (shock waves always lose 1000).
    Debug::TweakVar<double> mSoundwaveColEnergyLoss{
        "Logic/Soundwave/ColEnergyLoss", "group='Soundwave' label='Collision Energy Loss' min=0.0 max=5000.0", 0.0};
    /// Seconds between the player's footstep waves; 0 disables them.
    Debug::TweakVar<double> mSoundwaveStepPeriod{
        "Logic/Soundwave/StepPeriod", "group='Soundwave' label='Step Period' min=0.0 max=2.0 step=0.01", 0.32};
    /// The player's walking speed, world units per second.
    Debug::TweakVar<double> mPlayerMoveSpeed{"Logic/Player/MoveSpeed", "group='Player' label='Speed' min=2.0 step=2.0",
                                             132.0};
    /// Shown in the panel; nothing reads it.
    Debug::TweakVar<double> mPlayerChargeMoveSpeed{"Logic/Player/ChargeMoveSpeed",
                                                   "group='Player' label='Speed (Charging)' min=2.0 step=2.0", 94.0};
    /// Length of the laser sight; rewritten every frame while the sight is shown.
    Debug::TweakVar<double> mPlayerLaserDistance{
        "Logic/Player/LaserDistance", "group='Player' label='Laser Distance' min=0.0 max=10000 step=2.0", 275.0};
    /// Most segments of the laser sight.
    Debug::TweakVar<int> mPlayerLaserMaxLines{"Logic/Player/LaserMaxLines",
                                              "group='Player' label='Max Laser Lines' min=0 max=1024 step=1", 16};
    /// Logic ticks per second.
    Debug::TweakVar<int> mTimeIncrement{"Logic/TimeIncrement", "group='Logic' label='Time Increment' min=1 max=200",
                                        60};
    /// Shown in the panel; nothing reads it.
    Debug::TweakVar<bool> mUpdatePaused{"Logic/UpdatePaused", "group='Logic' label='Pause Logic'", false};
    /// Debug drawing switches.
    Debug::TweakVar<bool> mDebugPlayer{"Debug/Player", "group='Debug Draw' label='Player'", false};
    Debug::TweakVar<bool> mDebugSoundwave{"Debug/Soundwave", "group='Debug Draw' label='Sound Waves'", false};
    Debug::TweakVar<bool> mDebugPerception{"Debug/Perception", "group='Debug Draw' label='Perception'", false};
    Debug::TweakVar<bool> mDebugVisibility{"Debug/Visibility", "group='Debug Draw' label='Visibility'", false};
    Debug::TweakVar<bool> mDebugNavigationMap{"Debug/NavigationMap", "group='Debug Draw' label='Nav Mesh'", false};
    Debug::TweakVar<bool> mDebugNavigationNodes{"Debug/NavigationNodes", "group='Debug Draw' label='Nav Nodes'", false};
    Debug::TweakVar<bool> mDebugNavigationNearest{"Debug/NavigationNearest", "group='Debug Draw' label='Nav Nearest'",
                                                  false};
    Debug::TweakVar<bool> mDebugBehaviors{"Debug/Behaviors", "group='Debug Draw' label='Behaviors'", false};
    /// Shown in the panel; nothing reads it.
    Debug::TweakVar<bool> mPaused{"Logic/Paused", "group='Logic' label='Paused'", false};

private:
    void EndLevel();
    void DrawNavigationDebug() const;
    bool ReadAndBeginLevel(const std::string& folder, const std::string& name);

    std::string mCampaignId;
    std::vector<std::string> mLevelNames;
    GameCounters mGameCounters;
    GameCounters mLevelCounters;
    std::unique_ptr<Level> mLevel;
    Ai::VisibilityRegistry mVisibility;
    std::deque<Notification> mNotifications;
    TriggerSet mTriggers{mGameCounters, mLevelCounters, [this] { return static_cast<int>(mNotifications.size()); }};
    bool mSoundwaveFailureLogged = false;
    ScreenMakers mScreenMakers;
};

} // namespace Velmora::Logic
