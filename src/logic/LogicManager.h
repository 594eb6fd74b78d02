#pragma once

#include "core/ISystem.h"
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

    /// Debug switch: bodies draw their radius.
    Debug::TweakVar<bool> mDebugBodyRadius{"Debug/BodyRadius", "group='Debug Draw' label='Body Radius'", false};

private:
    std::string mCampaignId;
    GameCounters mGameCounters;
    GameCounters mLevelCounters;
    std::unique_ptr<Level> mLevel;
};

} // namespace Velmora::Logic
