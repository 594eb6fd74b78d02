// Shared by the ray, particle, sound-wave and logic-manager tests: a level made current in the
// game's logic manager, the real "soundwave" archetype in the game's factory, the particle pool,
// and clean-up of the game's entity manager between tests.
#pragma once

#include "WorldFixtures.h"

#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/Game.h"
#include "game/ComponentSoundwave.h"
#include "game/LogicManager.h"
#include "game/ParticleManager.h"
#include "graphics/ComponentTransform.h"
#include "physics/ComponentBody.h"

#include <string>
#include <vector>

namespace Velmora::Tests {

/// Destroys every entity of the game's entity manager and deletes them at once.
inline void ClearEntities() {
    EntityManager& entities = EntityManager::GetInstance();
    for (Entity* entity = entities.GetFirst(); entity; entity = entity->GetNext()) entity->Destroy();
    entities.DestroyPending();
}

/// Registers the transform, body and sound-wave components with the game's component factory
/// and loads the content's "soundwave" archetype into the game's factory (once each).
inline void InstallSoundwaveArchetype() {
    ComponentFactory& components = ComponentFactory::GetInstance();
    components.Register<Graphics::ComponentTransform>();
    components.Register<Physics::ComponentBody>();
    components.Register<Logic::ComponentSoundwave>();
    Factory& factory = Factory::GetInstance();
    if (!factory.FindArchetype("soundwave")) {
        factory.LoadArchetype("soundwave", SourceDir() + "/data/object/soundwave.xml", false);
    }
}

/// Makes a level of the content catalogue (rows top first) the logic manager's current level,
/// without beginning it; returns it.
inline Logic::Level& UseLevel(const std::vector<std::string>& topFirst) {
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    logic.SetLevel(MakeLevel(topFirst));
    return *logic.GetLevel();
}

/// Puts the game's logic and particles back as a test found them: no level, no entities, an
/// empty particle pool and the sound-wave tweak values at their defaults.
inline void ResetWorld() {
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    logic.SetLevel(nullptr);
    ClearEntities();
    Logic::ParticleManager::GetInstance().Clear();
    logic.mSoundwaveSpeed = 200.0;
    logic.mSoundwaveLifetime = 80.0;
    logic.mSoundwaveSpread = 10.0;
    logic.mSoundwaveSplitFactor = 2.0;
    logic.mSoundwaveColEnergyLoss = 0.0;
    logic.mDebugSoundwave = false;
}

} // namespace Velmora::Tests
