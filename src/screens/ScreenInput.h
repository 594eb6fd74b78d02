#pragma once

#include "core/PadState.h"

namespace Velmora {
class InputManager;
}

namespace Velmora::Logic {

/// The input the framing screens (intro, help, credits, video) end on.
class ScreenInput {
public:
    /// Escape, Return or Space pressed this frame (not with Alt or Ctrl held: Alt+Return switches
    /// the display and must leave the screen open), the left or right mouse button pressed this
    /// frame, or the named pad button held in the controller manager's latest reading.
    static bool SkipInput(const InputManager& input, PadButton padButton);
    /// The same with a given pad reading.
    static bool SkipInput(const InputManager& input, const PadState& pad, PadButton padButton);
    /// SkipInput, or the pad's B newly pressed in the controller manager's latest reading: the
    /// pad's "back" everywhere in the menus also leaves the pages opened from them.
    static bool SkipOrBackInput(const InputManager& input, PadButton padButton);
};

} // namespace Velmora::Logic
