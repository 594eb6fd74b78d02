#pragma once

#include <SDL.h>

#include <functional>
#include <vector>

namespace Velmora {

class Game;

/// What the frame loop calls in the layers above the core: the program fills these in before
/// Game::Initialize. Any of them may be left empty (tests run the loop's parts without them).
struct GameHooks {
    /// Adds the systems, in their order, once SDL runs.
    std::function<void(Game&)> mRegisterSystems;
    /// Offered each keyboard and mouse event, in this order, before the input manager records
    /// it; the first that returns true takes the event.
    std::vector<std::function<bool(const SDL_Event&)>> mInputFilters;
    /// The window gained (true) or lost (false) the input focus.
    std::function<void(bool gained)> mFocusChanged;
    /// The window was resized to width × height pixels.
    std::function<void(int width, int height)> mResized;
    /// Each frame after the input snapshot, before the update message: hot keys.
    std::function<void()> mHotKeys;
    /// Each frame after the update message: draw the frame (dt in seconds) and present it.
    std::function<void(double dt)> mRender;
};

} // namespace Velmora
