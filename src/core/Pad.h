#pragma once

#include "core/PadState.h"

#include <cstdint>

namespace Velmora {

/// The game pad as the controller manager sees it: pad 0 only, read once per frame, with two
/// rumble motors. The game uses PadJoystick; tests use a fake behind the same interface.
class Pad {
public:
    virtual ~Pad() = default;
    /// Fills `state` with the pad's current reading; false (state untouched) when no pad is
    /// connected.
    virtual bool ReadState(PadState& state) = 0;
    /// Motor speeds 0 … 65535: left is the heavy low-frequency motor, right the light one.
    /// Does nothing when the pad cannot rumble.
    virtual void SetVibration(uint16_t left, uint16_t right) = 0;
};

} // namespace Velmora
