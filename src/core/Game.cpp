#include "core/Game.h"

#include "core/Config.h"
#include "core/FrameMessages.h"
#include "core/GameScreen.h"
#include "core/ISystem.h"
#include "core/InputManager.h"
#include "core/LogRecord.h"
#include "core/Settings.h"

#include <algorithm>
#include <cstdlib>

namespace Velmora {

Game& Game::GetInstance() {
    static Game* instance = new Game();  // lives to process exit, like the systems
    return *instance;
}

std::string Game::DataPath(const std::string& folder, const std::string& file) const {
    return JoinPath(JoinPath(JoinPath(mRootPath, "data"), folder), file);
}

void Game::Initialize() {
    VELMORA_LOG("CORE") << "Initializing core game engine...";
    VELMORA_LOG("CORE") << "Content from " << mRootPath << (mInstalled ? " (installed)" : "");
    if (!LoadConfig()) {
        mQuit = true;
        return;
    }
    setenv("SDL_VIDEO_CENTERED", "1", 1);
    StartSdl();
    if (mHooks.mRegisterSystems) mHooks.mRegisterSystems(*this);
    mInitialized = true;
    // Systems added while this pass runs are initialised once, by AddSystem.
    const std::vector<ISystem*> systems = mSystems;
    for (ISystem* system : systems) system->Initialize();
    VELMORA_LOG("CORE") << "Initialization complete";
}

void Game::StartSdl() {
    VELMORA_LOG("CORE") << "Initializing SDL...";
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) < 0) {
        VELMORA_FATAL << "Failed to initialize SDL: " << SDL_GetError();
    }
    std::atexit(SDL_Quit);
    SDL_EnableUNICODE(1);
    SDL_ShowCursor(SDL_ENABLE);
    SDL_WM_SetCaption("[ VELMORA THE GAME! ]", "velmora");
}

void Game::Run() {
    double last = static_cast<unsigned>(SDL_GetTicks()) / 1000.0;
    if (mQuit) return;
    InputManager& input = InputManager::GetInstance();
    do {
        input.PollKeys();
        SDL_Event event;
        while (SDL_PollEvent(&event)) HandleEvent(event);
        input.PollMouse();
        HandleHotKeys();

        const double now = static_cast<unsigned>(SDL_GetTicks()) / 1000.0;
        const double dt = now - last;
        last = now;
        MessageUpdateLoop update(dt);
        SendMessage(update);
        if (mHooks.mRender) mHooks.mRender(dt);

        ProcessScreenChanges();
    } while (!mQuit);
}

void Game::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        HandleInputEvent(event);
        break;
    case SDL_QUIT:
        mQuit = true;
        break;
    case SDL_ACTIVEEVENT:
        if ((event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) && mHooks.mFocusChanged) {
            mHooks.mFocusChanged(event.active.gain != 0);
        }
        break;
    case SDL_VIDEORESIZE:
        if (mHooks.mResized) mHooks.mResized(event.resize.w, event.resize.h);
        break;
    default:
        break;  // the pad is polled by the controller manager
    }
}

void Game::HandleInputEvent(const SDL_Event& event) {
    for (const auto& filter : mHooks.mInputFilters) {
        if (!filter(event)) continue;
        // SDL's key state still shows the key held; the screens must not take it as a press.
        if (event.type == SDL_KEYDOWN) InputManager::GetInstance().SwallowKey(event.key.keysym.sym);
        return;
    }
    InputManager::GetInstance().RecordEvent(event);
}

void Game::HandleHotKeys() {
    const InputManager& input = InputManager::GetInstance();
    if (input.IsKeyDown(SDLK_LALT) && input.IsKeyDown(SDLK_F4)) {
        mQuit = true;
        return;
    }
    if (mHooks.mHotKeys) mHooks.mHotKeys();
}

void Game::Shutdown() {
    VELMORA_LOG("CORE") << "Deinitializing core game engine...";
    for (auto it = mSystems.rbegin(); it != mSystems.rend(); ++it) (*it)->Deinitialize();
    Settings::GetInstance().Save();
    VELMORA_LOG("CORE") << "Game engine shutdown completely";
}

void Game::AddSystem(ISystem* system) {
    mSystems.push_back(system);
    if (mInitialized) system->Initialize();
}

void Game::SendMessage(Message& message) {
    // Index loop: a system may be added while a broadcast is running.
    for (size_t i = 0; i < mSystems.size(); ++i) mSystems[i]->HandleMessage(message);
    if (!mScreens.empty()) mScreens.back()->HandleMessage(message);
}

void Game::PushScreen(GameScreen* screen) { mScreensToAdd.push_back(screen); }

void Game::RemoveScreen(GameScreen* screen) {
    if (std::find(mScreensToRemove.begin(), mScreensToRemove.end(), screen) == mScreensToRemove.end()) {
        mScreensToRemove.push_back(screen);
    }
}

void Game::RemoveAllScreens() {
    for (GameScreen* screen : mScreens) RemoveScreen(screen);
}

void Game::ProcessScreenChanges() {
    if (mScreensToRemove.empty() && mScreensToAdd.empty()) return;
    while (!mScreensToRemove.empty()) {
        GameScreen* screen = mScreensToRemove.back();
        mScreensToRemove.pop_back();
        const auto it = std::find(mScreens.begin(), mScreens.end(), screen);
        if (it != mScreens.end()) {
            mScreens.erase(it);
            screen->Deinitialize();
            delete screen;
            continue;
        }
        // Removed in the frame it was pushed: it never entered the stack, so it is dropped
        // without Deinitialize. A screen in neither list is not touched again.
        const auto queued = std::find(mScreensToAdd.begin(), mScreensToAdd.end(), screen);
        if (queued != mScreensToAdd.end()) {
            mScreensToAdd.erase(queued);
            delete screen;
        }
    }
    const std::vector<GameScreen*> added = std::move(mScreensToAdd);
    mScreensToAdd.clear();
    for (GameScreen* screen : added) {
        if (!mScreens.empty()) mScreens.back()->SetPaused(true);
        mScreens.push_back(screen);
        screen->Initialize();
    }
    for (size_t i = 0; i < mScreens.size(); ++i) mScreens[i]->mBelow = i == 0 ? nullptr : mScreens[i - 1];
    if (!mScreens.empty() && mScreens.back()->mPaused) mScreens.back()->SetPaused(false);
}

} // namespace Velmora
