// The one place that decides which systems exist and in which order they are registered; that
// order is also the order of every broadcast. New systems add their line here, in place.
#include "core/Game.h"
#include "core/InputManager.h"
#include "debug/PerformanceManager.h"

namespace Velmora {

void Game::RegisterSystems() {
    AddSystem(&Debug::PerformanceManager::GetInstance());
    AddSystem(&InputManager::GetInstance());
}

} // namespace Velmora
