#pragma once

#include <cstdint>
#include <functional>

namespace Velmora {
class InputManager;
}

namespace Velmora::Logic {

/// The input test the framing screens (intro, help, credits, video) end on, and the pad buttons
/// they name. The pad is read through a reader that the controller manager installs; until one
/// is installed no pad button counts as held.
class ScreenInput {
public:
    /// Button bits of the pad state (the XInput layout the controller manager reports).
    static constexpr uint16_t kPadStart = 0x0010;
    static constexpr uint16_t kPadBack = 0x0020;
    static constexpr uint16_t kPadA = 0x1000;
    static constexpr uint16_t kPadB = 0x2000;

    /// Answers whether every bit of a button mask is held on pad 0 in the current reading.
    using PadButtonReader = std::function<bool(uint16_t buttons)>;

    /// Escape, Return or Space pressed this frame, the left or right mouse button pressed this
    /// frame, or the named pad button held.
    static bool SkipInput(const InputManager& input, uint16_t padButton);
    /// True when the reader reports the buttons held; false without a reader.
    static bool IsPadButtonDown(uint16_t buttons);
    /// Installs the pad reader (null: no pad). Called by whoever polls the pad.
    static void SetPadButtonReader(PadButtonReader reader);
};

} // namespace Velmora::Logic
