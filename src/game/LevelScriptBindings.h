#pragma once

#include <functional>
#include <string>

struct lua_State;

namespace Velmora::Logic {

/// The functions level scripts use to reach the game, registered into the script manager:
/// `notify(text)` (its first 256 bytes) and `clearNotifications()` (the play screen's
/// notifications),
/// `openDoor(x, y)` and `closeDoor(x, y)` (a run of door cells of the current level; both
/// answer true, or false and "no level loaded", "invalid position", "not a closed door" /
/// "not an open door"), `playVideo(file)` and `Engine.LoadLevel(folder, name)` (1 when the
/// level was read and begun, 0 when reading failed and no level remains).
class LevelScriptBindings {
public:
    /// Plays a movie of data/video; the default says in the log that video is unavailable.
    using VideoPlayer = std::function<void(const std::string& file)>;

    /// The key under which the bindings are added to the script manager.
    static constexpr const char* kBindingsKey = "level";

    /// Registers the functions in a state; the script manager's binder.
    static void Register(lua_State* state);
    /// Replaces what playVideo does (the video screen registers itself here); null restores
    /// the default.
    static void SetVideoPlayer(VideoPlayer player);

private:
    static int Notify(lua_State* state);
    static int ClearNotifications(lua_State* state);
    static int OpenDoor(lua_State* state);
    static int CloseDoor(lua_State* state);
    static int ChangeDoor(lua_State* state, bool open);
    static int PlayVideo(lua_State* state);
    static int LoadLevel(lua_State* state);
};

} // namespace Velmora::Logic
