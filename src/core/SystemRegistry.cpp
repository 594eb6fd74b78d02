// The one place that decides which systems exist and in which order they are registered; that
// order is also the order of every broadcast. New systems add their line here, in place.
#include "audio/AudioManager.h"
#include "core/ComponentFactory.h"
#include "core/ControllerManager.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "debug/DebugDrawManager.h"
#include "debug/PerformanceManager.h"
#include "graphics/GraphicsManager.h"
#include "logic/AchievementManager.h"
#include "logic/LogicManager.h"
#include "logic/ParticleManager.h"
#include "physics/PhysicsManager.h"

namespace Velmora {

void Game::RegisterSystems() {
    AddSystem(&Debug::PerformanceManager::GetInstance());
    AddSystem(&Debug::DebugDrawManager::GetInstance());
    AddSystem(&InputManager::GetInstance());
    AddSystem(&Factory::GetInstance());
    AddSystem(&ComponentFactory::GetInstance());
    AddSystem(&EntityManager::GetInstance());
    AddSystem(&Audio::AudioManager::GetInstance());
    AddSystem(&Graphics::GraphicsManager::GetInstance());
    AddSystem(&Physics::PhysicsManager::GetInstance());
    AddSystem(&Logic::LogicManager::GetInstance());
    AddSystem(&Logic::ParticleManager::GetInstance());
    AddSystem(&Logic::AchievementManager::GetInstance());
    AddSystem(&ControllerManager::GetInstance());
}

} // namespace Velmora
