#pragma once

#include "core/GameHooks.h"
#include "core/Path.h"

#include <SDL.h>

#include <string>
#include <vector>

namespace Velmora {

class ISystem;
class GameScreen;
class Message;

/// The process's one game object: the root path, the systems in registration order, the screen
/// stack with its deferred pushes and removals, and the frame loop. What the loop needs from the
/// layers above the core (systems, rendering, window events) reaches it through mHooks.
class Game {
public:
    /// The single instance, created on first use (root ".", no systems, no screens).
    static Game& GetInstance();
    /// A separate instance, for tests of the stack and the broadcast.
    Game() = default;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    /// Start-up: configuration check, SDL, the systems in their fixed order (mRegisterSystems).
    void Initialize();
    /// The frame loop; returns when mQuit is set.
    void Run();
    /// Deinitialises the systems in reverse registration order and saves changed settings.
    void Shutdown();

    /// Appends a system; once the game is initialised the system is initialised at once.
    void AddSystem(ISystem* system);
    /// Broadcast: every system in registration order, then the top screen only.
    void SendMessage(Message& message);

    /// Queues a screen to be pushed at the end of the frame; the stack takes ownership.
    void PushScreen(GameScreen* screen);
    /// Queues a screen for removal at the end of the frame (once).
    void RemoveScreen(GameScreen* screen);
    /// Queues every screen of the stack for removal, bottom first.
    void RemoveAllScreens();
    /// Applies the queued removals, then the queued pushes; runs at the end of every frame.
    void ProcessScreenChanges();

    /// Ends the loop after the current frame.
    void Quit() { mQuit = true; }
    bool IsQuitting() const { return mQuit; }

    const std::string& GetRootPath() const { return mRootPath; }
    void SetRootPath(const std::string& path) { mRootPath = path; }
    /// root / "data" / folder / file, joined as JoinPath does.
    std::string DataPath(const std::string& folder, const std::string& file) const;

    const std::vector<ISystem*>& GetSystems() const { return mSystems; }
    const std::vector<GameScreen*>& GetScreens() const { return mScreens; }
    GameScreen* GetTopScreen() const { return mScreens.empty() ? nullptr : mScreens.back(); }

    std::string mRootPath = ".";
    /// The content folder belongs to an installation (PREFIX/share/velmora): nothing is ever
    /// written there; the player's files go to the user's folders instead.
    bool mInstalled = false;
    bool mQuit = false;
    bool mInitialized = false;
    std::vector<ISystem*> mSystems;
    std::vector<GameScreen*> mScreens;
    std::vector<GameScreen*> mScreensToRemove;
    std::vector<GameScreen*> mScreensToAdd;
    GameHooks mHooks;

private:
    void StartSdl();
    void HandleEvent(const SDL_Event& event);
    void HandleInputEvent(const SDL_Event& event);
    void HandleHotKeys();
};

} // namespace Velmora
