// Shared by the player and pickup tests: entities built by the game's factory from the real
// archetype files, the game's entity manager (components find each other by id through it), a
// recorder of the broadcasts, and small helpers to drive logic ticks and contacts.
#pragma once

#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/ISystem.h"
#include "game/ComponentSoundwave.h"
#include "game/LogicManager.h"
#include "graphics/ComponentSprite.h"
#include "graphics/ComponentTransform.h"
#include "physics/BodyMessages.h"
#include "physics/ComponentBody.h"
#include "support/TestSupport.h"
#include "unit/logic/WorldFixtures.h"
#include "world/LevelFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace Velmora::Tests {

/// Appended to the game's systems while alive: keeps the name of every broadcast (and the
/// gun type of MessageGotGunPickup, through the callback the test installs).
class BroadcastRecorder : public ISystem {
public:
    BroadcastRecorder() { Game::GetInstance().mSystems.push_back(this); }
    ~BroadcastRecorder() override {
        auto& systems = Game::GetInstance().mSystems;
        systems.erase(std::remove(systems.begin(), systems.end(), this), systems.end());
    }
    void HandleMessage(Message& message) override {
        mNames.push_back(message.GetName());
        if (mOnMessage) mOnMessage(message);
    }
    int Count(const std::string& name) const {
        return static_cast<int>(std::count(mNames.begin(), mNames.end(), name));
    }

    std::vector<std::string> mNames;
    std::function<void(Message&)> mOnMessage;
};

/// Registers the gameplay components and loads the archetypes play tests build (once).
inline void LoadPlayArchetypes() {
    static const bool loaded = [] {
        ComponentFactory& components = ComponentFactory::GetInstance();
        components.Register<Graphics::ComponentTransform>();
        components.Register<Graphics::ComponentSprite>();
        components.Register<Physics::ComponentBody>();
        Logic::LogicManager::RegisterComponents(components);
        for (const char* name :
             {"player", "gun_sound", "gun_white", "gun_shock", "briefcase", "generator", "waypoint", "soundwave"}) {
            Factory::GetInstance().LoadArchetype(name, SourceDir() + "/data/object/" + name + ".xml", false);
        }
        return true;
    }();
    (void)loaded;
}

/// The game's factory loaded with the archetypes these tests build, the gameplay components
/// registered, a clean logic manager before and after each test.
class PlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadPlayArchetypes();
        ContentTiles();
        ResetLogic();
        // A room of floor with walls round it, so bodies move freely inside.
        mLevel =
            MakeLevel({"1 1 1 1 1 1 1 1", "1 0 0 0 0 0 0 1", "1 0 0 0 0 0 0 1", "1 0 0 0 0 0 0 1", "1 1 1 1 1 1 1 1"});
    }

    void TearDown() override {
        ResetLogic();
        for (Entity* entity = Entities().GetFirst(); entity; entity = entity->GetNext()) entity->Destroy();
        EndFrame();
    }

    static void ResetLogic() {
        Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
        logic.UnloadLevel();
        logic.GetGameCounters() = Logic::GameCounters();
        logic.ResetLevelCounters();
        logic.mSoundwaveStepPeriod = 0.32;
        logic.mDebugPlayer = false;
    }

    static EntityManager& Entities() { return EntityManager::GetInstance(); }
    static void EndFrame() {
        MessageEndFrame end;
        Entities().HandleMessage(end);
    }

    /// An entity of the archetype at a position (facing up), as a level spawns it.
    Entity* Spawn(const std::string& archetype, Vector2 position, const ValueList* data = nullptr) {
        Entity* entity = Factory::GetInstance().Create(archetype, data);
        EXPECT_NE(entity, nullptr) << archetype;
        if (!entity) return nullptr;
        auto* transform = entity->GetComponent<Graphics::ComponentTransform>();
        transform->mPosition = position;
        transform->mDirection = {0, 1};
        return entity;
    }

    /// One logic tick delivered to one entity.
    static void Tick(Entity& entity, double dt) {
        MessageUpdateLogic update(dt);
        entity.HandleMessage(update);
    }

    /// A contact as a moving body reports it: to the mover first, then to the other.
    static void Touch(Entity& mover, Entity& other) {
        Physics::MessageBodyCollision contact(mover.GetId(), other.GetId());
        mover.HandleMessage(contact);
        other.HandleMessage(contact);
    }

    /// The sound waves alive now, by creation (entity id) order.
    static std::vector<Logic::ComponentSoundwave*> Waves() {
        std::vector<Logic::ComponentSoundwave*> waves;
        for (Logic::ComponentSoundwave* wave : Logic::ComponentSoundwave::GetInstances()) {
            if (!wave->mOwner->IsDestroyed()) waves.push_back(wave);
        }
        std::sort(waves.begin(), waves.end(),
                  [](const auto* a, const auto* b) { return a->mOwner->GetId() < b->mOwner->GetId(); });
        return waves;
    }

    /// Makes the level loaded in the logic manager from rows (top row first), read from a file
    /// as the game reads levels.
    static void LoadLevel(const std::string& tilemapRowsBottomFirst, int width, int height) {
        const std::string root = MakeTempDir();
        const std::string savedRoot = Game::GetInstance().GetRootPath();
        Game::GetInstance().SetRootPath(root);
        WriteFile(Logic::LevelFile::LevelPath("camp", "test"),
                  "<level><name>test</name><tilemap width='" + std::to_string(width) + "' height='" +
                      std::to_string(height) + "'>" + tilemapRowsBottomFirst +
                      "</tilemap><medals gold='1' silver='2' bronze='3'/></level>");
        Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
        logic.SetCampaignId("camp");
        const bool loaded = logic.LoadLevel("test");
        Game::GetInstance().SetRootPath(savedRoot);
        ASSERT_TRUE(loaded);
    }

    LogCapture mLog;
    BroadcastRecorder mBroadcasts;
    std::unique_ptr<Logic::Level> mLevel;
};

} // namespace Velmora::Tests
