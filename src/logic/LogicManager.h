#pragma once

#include "core/ISystem.h"
#include "core/LogRecord.h"
#include "debug/TweakVar.h"
#include "logic/GameCounters.h"
#include "logic/TriggerEvent.h"

#include <memory>
#include <string>

namespace Velmora {
class Entity;
}

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Logic {

class Level;

/// The gameplay system: owns the current level and the campaign it comes from, and draws the
/// world. The twelfth system; its Initialize adds the tile manager.
///
/// This is the part the tiles, levels and physics need. Campaign files, level begin with
/// spawning, sound-wave creation, counters, notifications and the remaining tweak values are
/// added here by the gameplay work that follows.
class LogicManager : public ISystem {
public:
    /// The game's instance, created on first use, never deleted.
    static LogicManager& GetInstance();
    LogicManager();
    ~LogicManager() override;
    LogicManager(const LogicManager&) = delete;
    LogicManager& operator=(const LogicManager&) = delete;

    /// Adds the tile manager as a system (which initialises it at once: the catalogue loads).
    void Initialize() override;
    /// Drops the level.
    void Deinitialize() override;

    /// Replaces the current level with NAME of the current campaign folder. On failure (logged
    /// by the reader) there is no level and false is returned.
    bool LoadLevel(const std::string& name);
    /// Destroys the current level, if any.
    void UnloadLevel();
    /// The current level, or null. Owned here; valid until the next LoadLevel or UnloadLevel.
    Level* GetLevel() const { return mLevel.get(); }

    /// The campaign id, which is also the folder of its levels under data/level; empty when no
    /// campaign is loaded.
    const std::string& GetCampaignId() const { return mCampaignId; }
    /// Sets the campaign folder directly (campaign files arrive later).
    void SetCampaignId(const std::string& id) { mCampaignId = id; }

    /// The player's entity: the first live entity with a "ComponentPlayer"; null when none.
    Entity* GetPlayer() const;

    /// The world render, for whoever owns the world view (the play screen on
    /// Graphics::MessageRenderWorld): draws the level's visible cells under the graphics
    /// manager's view, then delivers Graphics::MessageRender to every entity.
    void RenderWorld(Graphics::Renderer& renderer);

    /// A game event: the counter it carries (if any) goes up by one in both the game and the
    /// level set, then the level's triggers for the event run. zoneId is the trigger zone of
    /// ENTER_ZONE and EXIT_ZONE, 0 otherwise.
    void FireTriggerEvent(TriggerEvent event, int zoneId = 0);
    /// Counters over the whole run (never reset).
    GameCounters& GetGameCounters() { return mGameCounters; }
    /// Counters of the current level attempt.
    GameCounters& GetLevelCounters() { return mLevelCounters; }
    /// Zeroes the level counters (at every level begin).
    void ResetLevelCounters() { mLevelCounters = GameCounters(); }

    // Gameplay tweak values, read every time they are needed.
    /// The log level as a panel value (the records' filter).
    Debug::TweakVar<int&> mDebugLevel{"Debug/Level", "group='Debug' label='Log Level' min=1 max=9", LogRecord::sLogLevel};
    /// Speed of every new sound wave, world units per second.
    Debug::TweakVar<double> mSoundwaveSpeed{"Logic/Soundwave/Speed", "group='Soundwave' label='Speed' min=1.0 max=3000.0", 200.0};
    /// Base energy of a wave; a wave's energy is this times its creator's strength.
    Debug::TweakVar<double> mSoundwaveLifetime{"Logic/Soundwave/Lifetime", "group='Soundwave' label='Lifetime' min=5.0 max=10000.0", 80.0};
    /// Creation value of a wave's spread, degrees.
    Debug::TweakVar<double> mSoundwaveSpread{"Logic/Soundwave/Spread", "group='Soundwave' label='SpreadAngle' min=1.0 max=360.0", 10.0};
    /// Shown in the panel only; a wave's direction comes from its transform.
    Debug::TweakVar<double> mSoundwaveDirection{"Logic/Soundwave/Direction", "group='Soundwave' label='Direction Angle'", 90.0};
    /// How far apart neighbouring rays may drift before their band tears.
    Debug::TweakVar<double> mSoundwaveSplitFactor{"Logic/Soundwave/SplitFactor", "group='Soundwave' label='Split Factor' min=1.0 max=100.0", 2.0};
    /// Energy a ray loses at each wall event (shock waves always lose 1000).
    Debug::TweakVar<double> mSoundwaveColEnergyLoss{"Logic/Soundwave/ColEnergyLoss", "group='Soundwave' label='Collision Energy Loss' min=0.0 max=5000.0", 0.0};
    /// Seconds between the player's footstep waves; 0 disables them.
    Debug::TweakVar<double> mSoundwaveStepPeriod{"Logic/Soundwave/StepPeriod", "group='Soundwave' label='Step Period' min=0.0 max=2.0 step=0.01", 0.32};
    /// The player's walking speed, world units per second.
    Debug::TweakVar<double> mPlayerMoveSpeed{"Logic/Player/MoveSpeed", "group='Player' label='Speed' min=2.0 step=2.0", 132.0};
    /// Shown in the panel; nothing reads it.
    Debug::TweakVar<double> mPlayerChargeMoveSpeed{"Logic/Player/ChargeMoveSpeed", "group='Player' label='Speed (Charging)' min=2.0 step=2.0", 94.0};
    /// Length of the laser sight; rewritten every frame while the sight is shown.
    Debug::TweakVar<double> mPlayerLaserDistance{"Logic/Player/LaserDistance", "group='Player' label='Laser Distance' min=0.0 max=10000 step=2.0", 275.0};
    /// Most segments of the laser sight.
    Debug::TweakVar<int> mPlayerLaserMaxLines{"Logic/Player/LaserMaxLines", "group='Player' label='Max Laser Lines' min=0 max=1024 step=1", 16};
    /// Logic ticks per second.
    Debug::TweakVar<int> mTimeIncrement{"Logic/TimeIncrement", "group='Logic' label='Time Increment' min=1 max=200", 60};
    /// Shown in the panel; nothing reads it.
    Debug::TweakVar<bool> mUpdatePaused{"Logic/UpdatePaused", "group='Logic' label='Pause Logic'", false};
    /// Debug drawing switches.
    Debug::TweakVar<bool> mDebugPlayer{"Debug/Player", "group='Debug Draw' label='Player'", false};
    Debug::TweakVar<bool> mDebugSoundwave{"Debug/Soundwave", "group='Debug Draw' label='Sound Waves'", false};
    Debug::TweakVar<bool> mDebugPerception{"Debug/Perception", "group='Debug Draw' label='Perception'", false};
    Debug::TweakVar<bool> mDebugVisibility{"Debug/Visibility", "group='Debug Draw' label='Visibility'", false};
    Debug::TweakVar<bool> mDebugNavigationMap{"Debug/NavigationMap", "group='Debug Draw' label='Nav Mesh'", false};
    Debug::TweakVar<bool> mDebugNavigationNodes{"Debug/NavigationNodes", "group='Debug Draw' label='Nav Nodes'", false};
    Debug::TweakVar<bool> mDebugNavigationNearest{"Debug/NavigationNearest", "group='Debug Draw' label='Nav Nearest'", false};
    /// Debug switch: bodies draw their radius.
    Debug::TweakVar<bool> mDebugBodyRadius{"Debug/BodyRadius", "group='Debug Draw' label='Body Radius'", false};
    Debug::TweakVar<bool> mDebugBehaviors{"Debug/Behaviors", "group='Debug Draw' label='Behaviors'", false};
    /// Shown in the panel; nothing reads it.
    Debug::TweakVar<bool> mPaused{"Logic/Paused", "group='Logic' label='Paused'", false};

private:
    std::string mCampaignId;
    GameCounters mGameCounters;
    GameCounters mLevelCounters;
    std::unique_ptr<Level> mLevel;
};

} // namespace Velmora::Logic
