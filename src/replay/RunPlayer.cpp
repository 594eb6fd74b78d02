#include "replay/RunPlayer.h"

#include "core/ComponentFactory.h"
#include "core/Config.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/Game.h"
#include "core/LogRecord.h"
#include "game/AchievementManager.h"
#include "game/LevelScriptBindings.h"
#include "game/LogicManager.h"
#include "game/ParticleManager.h"
#include "game/ProgressStore.h"
#include "graphics/ComponentSprite.h"
#include "graphics/ComponentTransform.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"
#include "replay/ContentHash.h"
#include "replay/StateHash.h"
#include "screens/PlayScreen.h"
#include "script/ScriptManager.h"
#include "world/TileManager.h"

#include <algorithm>

namespace Velmora::Replay {

namespace {

// The systems whose handling of a broadcast changes what the logic does, in the game's order.
void AddLogicSystems(Game& game) {
    for (ISystem* system : std::initializer_list<ISystem*>{
             &Physics::PhysicsManager::GetInstance(), &Logic::LogicManager::GetInstance(),
             &Logic::ParticleManager::GetInstance(), &Logic::AchievementManager::GetInstance()}) {
        if (std::find(game.mSystems.begin(), game.mSystems.end(), system) == game.mSystems.end()) {
            game.mSystems.push_back(system);
        }
    }
}

void RegisterComponents() {
    ComponentFactory& components = ComponentFactory::GetInstance();
    components.Register<Graphics::ComponentTransform>();
    components.Register<Graphics::ComponentSprite>();
    components.Register<Physics::ComponentBody>();
    Logic::LogicManager::RegisterComponents(components);
}

// Everything of the level gone, as after a frame in which the play screen left.
void ClearGame(Game& game) {
    game.RemoveAllScreens();
    game.ProcessScreenChanges();
    for (Entity* entity = EntityManager::GetInstance().GetFirst(); entity; entity = entity->GetNext()) {
        entity->Destroy();
    }
    EntityManager::GetInstance().DestroyPending();
    Logic::LogicManager::GetInstance().mLevelSeed = 0;
}

bool CheckLevel(const RunHeader& header, RunOutcome& outcome) {
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    if (!logic.LoadCampaign(header.mCampaign)) {
        outcome.mError = "no campaign `" + header.mCampaign + "`";
        return false;
    }
    const std::vector<std::string>& names = logic.GetLevelNames();
    if (std::find(names.begin(), names.end(), header.mLevel) == names.end()) {
        outcome.mError = "campaign `" + header.mCampaign + "` has no level `" + header.mLevel + "`";
        return false;
    }
    outcome.mContentHash = ContentHash(header.mCampaign, header.mLevel);
    return true;
}

// Runs ticks until the level ends, the source runs dry or the limit is reached.
void RunTicks(Logic::PlayScreen& play, const RunPlayer::InputSource& source, uint32_t maxTicks,
              const RunPlayer::TickWatcher& watcher, RunOutcome& outcome) {
    Logic::TickInput next;
    Logic::PlayScreen::Hooks().mSupply = [&next](Logic::TickInput& input) {
        input = next;
        return true;
    };
    while (play.GetState() == Logic::kPlaying && outcome.mTicks < maxTicks && source(next)) {
        play.RunLogicTick();
        ++outcome.mTicks;
        if (watcher) watcher(outcome.mTicks, StateHash(outcome.mResult));
    }
}

} // namespace

bool RunPlayer::Prepare(std::string& error) {
    Game& game = Game::GetInstance();
    if (!LoadConfig()) {
        error = "no config.xml beside " + game.GetRootPath() + "/data";
        return false;
    }
    RegisterComponents();
    // Level scripts run as in the game: what they do is part of the level's logic.
    Script::ScriptManager::GetInstance().AddBindings(Logic::LevelScriptBindings::kBindingsKey,
                                                     Logic::LevelScriptBindings::Register);
    Logic::ParticleManager::GetInstance().Initialize();
    Logic::AchievementManager::GetInstance().Initialize();
    Logic::ProgressStore::GetInstance() = Logic::ProgressStore();
    Factory::GetInstance().Initialize();
    Logic::TileManager::GetInstance().LoadCatalogue(game.DataPath("misc", "tiles.xml"), nullptr);
    if (Logic::TileManager::GetInstance().GetTileCount() == 0) {
        error = "the tile catalogue did not load";
        return false;
    }
    AddLogicSystems(game);
    return true;
}

RunOutcome RunPlayer::Play(const RunHeader& header, const InputSource& source, RunFile* record, uint32_t maxTicks,
                           const TickWatcher& watcher) {
    RunOutcome outcome;
    Game& game = Game::GetInstance();
    ClearGame(game);
    if (!CheckLevel(header, outcome)) return outcome;
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    const int savedRate = logic.mTimeIncrement.Get();
    logic.mLevelSeed = header.mSeed;
    logic.mTimeIncrement = static_cast<int>(header.mTicksPerSecond);
    // Whoever else watches the ticks (a recorder) keeps watching; only the input is replaced.
    Logic::TickHooks& hooks = Logic::PlayScreen::Hooks();
    const Logic::TickHooks saved = hooks;
    hooks.mLevelEnded = [&outcome, saved](Logic::PlayState state) {
        outcome.mResult = state == Logic::kWon ? RunResult::kWon : RunResult::kLost;
        if (saved.mLevelEnded) saved.mLevelEnded(state);
    };
    hooks.mObserve = [record, saved](const Logic::TickInput& input) {
        if (record) record->Append(input);
        if (saved.mObserve) saved.mObserve(input);
    };
    auto* play = new Logic::PlayScreen(game);
    play->StartAt(header.mLevel, header.mGun);
    game.PushScreen(play);
    game.ProcessScreenChanges();
    if (play->GetState() != Logic::kPlaying) {
        outcome.mError = "level `" + header.mLevel + "` of `" + header.mCampaign + "` does not start";
    } else {
        outcome.mPlayed = true;
        RunTicks(*play, source, maxTicks, watcher, outcome);
        outcome.mHash = StateHash(outcome.mResult);
    }
    hooks = saved;
    ClearGame(game);
    logic.mTimeIncrement = savedRate;
    return outcome;
}

RunOutcome RunPlayer::PlayRun(const RunFile& run, const TickWatcher& watcher) {
    RunOutcome refused;
    if (!CheckLevel(run.mHeader, refused)) return refused;
    if (refused.mContentHash != run.mHeader.mContentHash) {
        refused.mError = "recorded against other content (run " + HashText(run.mHeader.mContentHash) + ", game " +
            HashText(refused.mContentHash) + ")";
        return refused;
    }
    RunCursor cursor(run);
    return Play(
        run.mHeader, [&cursor](Logic::TickInput& input) { return cursor.Next(input); }, nullptr, RunFile::kMaxTicks,
        watcher);
}

} // namespace Velmora::Replay
