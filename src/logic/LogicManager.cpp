#include "logic/LogicManager.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Game.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "logic/Level.h"
#include "logic/LevelFile.h"
#include "logic/TileManager.h"

namespace Velmora::Logic {

LogicManager& LogicManager::GetInstance() {
    static LogicManager* instance = new LogicManager();  // lives to process exit, like every system
    return *instance;
}

void LogicManager::Initialize() { Game::GetInstance().AddSystem(&TileManager::GetInstance()); }

void LogicManager::Deinitialize() { mLevel.reset(); }

bool LogicManager::LoadLevel(const std::string& name) {
    // Entities of the old level are told MessageEndLevel here once level messages exist.
    mLevel.reset();
    mLevel = LevelFile::LoadLevel(mCampaignId, name);
    // BeginLevel (reset cells, zero counters, spawn the entities, MessageBeginLevel) follows a
    // successful load once spawning exists; the reader has already reset the cells.
    return mLevel != nullptr;
}

void LogicManager::UnloadLevel() { mLevel.reset(); }

Entity* LogicManager::GetPlayer() const {
    for (Entity* entity = EntityManager::GetInstance().GetFirst(); entity; entity = entity->GetNext()) {
        if (!entity->IsDestroyed() && entity->GetComponent("ComponentPlayer")) return entity;
    }
    return nullptr;
}

void LogicManager::RenderWorld(Graphics::Renderer& renderer) {
    if (mLevel) {
        const Graphics::View& view = Graphics::GraphicsManager::GetInstance().GetView();
        mLevel->Render(renderer, view.mLeft, view.mBottom, view.mRight, view.mTop);
    }
    Graphics::MessageRender render(&renderer);
    EntityManager::GetInstance().SendToAll(render);
}

LogicManager::LogicManager() = default;
LogicManager::~LogicManager() = default;

void LogicManager::FireTriggerEvent(TriggerEvent event, int zoneId) {
    if (int* counter = mGameCounters.CounterFor(event)) ++*counter;
    if (int* counter = mLevelCounters.CounterFor(event)) ++*counter;
    (void)zoneId;  // the level's triggers read it; they run here once levels carry them
}

} // namespace Velmora::Logic
