// The one place that decides which systems exist and in which order they are registered (that
// order is also the order of every broadcast), and that connects the frame loop to the layers
// above the core. New systems add their line here, in place.
#include "app/SystemRegistry.h"

#include "audio/AudioManager.h"
#include "console/ConsoleManager.h"
#include "core/ComponentFactory.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "debug/PerformanceManager.h"
#include "debug/TweakBarManager.h"
#include "game/AchievementManager.h"
#include "game/ControllerManager.h"
#include "game/LevelScriptBindings.h"
#include "game/LogicManager.h"
#include "game/ParticleManager.h"
#include "graphics/DebugDrawManager.h"
#include "graphics/GraphicsManager.h"
#include "physics/PhysicsManager.h"
#include "replay/RunRecorder.h"
#include "screens/IntroScreen.h"
#include "screens/PlayScreen.h"
#include "screens/PreloaderScreen.h"
#include "screens/VideoScreen.h"
#include "script/ScriptManager.h"

namespace Velmora::App {

namespace {

void RegisterSystems(Game& game) {
    game.AddSystem(&Debug::PerformanceManager::GetInstance());
    game.AddSystem(&Graphics::DebugDrawManager::GetInstance());
    game.AddSystem(&InputManager::GetInstance());
    game.AddSystem(&Script::ScriptManager::GetInstance());
    game.AddSystem(&Factory::GetInstance());
    game.AddSystem(&ComponentFactory::GetInstance());
    game.AddSystem(&EntityManager::GetInstance());
    game.AddSystem(&Debug::ConsoleManager::GetInstance());
    game.AddSystem(&Audio::AudioManager::GetInstance());
    game.AddSystem(&Graphics::GraphicsManager::GetInstance());
    game.AddSystem(&Physics::PhysicsManager::GetInstance());
    game.AddSystem(&Logic::LogicManager::GetInstance());
    game.AddSystem(&Logic::ParticleManager::GetInstance());
    game.AddSystem(&Logic::AchievementManager::GetInstance());
    game.AddSystem(&ControllerManager::GetInstance());
}

// Tab shows or hides the tweak panel; while a panel is visible it sees the events first.
bool FilterTweakPanelInput(const SDL_Event& event) {
    Debug::TweakBarManager& tweaks = Debug::TweakBarManager::GetInstance();
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_TAB &&
        (event.key.keysym.mod & ~(KMOD_NUM | KMOD_CAPS)) == 0) {
        tweaks.ToggleMainBar();
        return true;
    }
    return tweaks.AnyVisible() && tweaks.HandleEvent(event);
}

// The console sees key presses after the tweak panel and before the game.
bool FilterConsoleInput(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN && Debug::ConsoleManager::GetInstance().HandleKey(event.key);
}

// The script functions of the layers above the script manager.
void ConnectScripting() {
    Script::ScriptManager& scripts = Script::ScriptManager::GetInstance();
    scripts.AddBindings("console", Debug::ConsoleManager::RegisterBindings);
    scripts.AddBindings(Logic::LevelScriptBindings::kBindingsKey, Logic::LevelScriptBindings::Register);
    scripts.AddBindings("replay", Replay::RunRecorder::RegisterBindings);
}

void HandleFocusChange(Game& game, bool gained) {
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    Audio::AudioManager& audio = Audio::AudioManager::GetInstance();
    if (gained) {
        audio.ResumeAll();
        graphics.HandleFocusGained();
        return;
    }
    audio.PauseAll();
    // Whatever reacts to the lost focus does so before a full-screen window is put away. Menus
    // wait for the player anyway; only a level in play needs to pause.
    if (Logic::LogicManager::GetInstance().mMenuScreenCount <= 0) {
        MessageWindowInactive inactive;
        game.SendMessage(inactive);
    }
    graphics.HandleFocusLost();
}

void HandleResize(int width, int height) {
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    const Graphics::VideoMode mode{width, height, false};
    // The window reports the size it was just given too; only a real change needs a new mode.
    if (mode == graphics.GetCurrentMode()) return;
    graphics.SetVideoMode(mode);
}

void HandleHotKeys() {
    const InputManager& input = InputManager::GetInstance();
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    if (input.IsKeyDown(SDLK_LALT) && input.IsKeyDown(SDLK_RETURN)) {
        // Once per press: a held Return must not switch the mode back and forth every frame.
        if (input.IsKeyPressed(SDLK_RETURN)) graphics.ToggleFullscreen();
        return;
    }
    // Once per press too: read as held, a press lasting an even number of frames would switch
    // the overlay on and straight off again.
    if (input.IsKeyPressed(SDLK_F2)) graphics.mDrawPerf = !graphics.mDrawPerf;
}

} // namespace

void ConnectGame(Game& game) {
    GameHooks& hooks = game.mHooks;
    hooks.mRegisterSystems = RegisterSystems;
    hooks.mInputFilters = {FilterTweakPanelInput, FilterConsoleInput};
    hooks.mFocusChanged = [&game](bool gained) { HandleFocusChange(game, gained); };
    hooks.mResized = HandleResize;
    hooks.mHotKeys = HandleHotKeys;
    hooks.mRender = [](double dt) { Graphics::GraphicsManager::GetInstance().Render(dt); };
    ConnectScripting();
    Logic::LogicManager::GetInstance().SetScreenMakers({
        [](Game& g) -> GameScreen* { return new Logic::IntroScreen(g); },
        [](Game&) -> GameScreen* { return new Logic::PreloaderScreen(); },
        [](Game& g) -> GameScreen* { return new Logic::PlayScreen(g); },
    });
    Logic::LevelScriptBindings::SetVideoPlayer([&game](const std::string& file) { Logic::PlayVideo(game, file); });
}

} // namespace Velmora::App
