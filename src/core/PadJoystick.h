#pragma once

#include "core/Pad.h"
#include "core/PadRumble.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <memory>

namespace Velmora {

/// Pad 0 read through SDL 1.2's joystick 0 and mapped onto the XInput-style PadState, with
/// rumble through Linux force feedback (PadRumble). Layout, as the Linux xpad driver reports an
/// Xbox pad:
///
/// | SDL input   | PadState                                                      |
/// |-------------|---------------------------------------------------------------|
/// | axis 0, 1   | left stick x, y (SDL's y grows downwards, so y is inverted)   |
/// | axis 2, 5   | left, right trigger: −32768 … 32767 becomes 0 … 255           |
/// | axis 3, 4   | right stick x, y (y inverted)                                 |
/// | buttons     | 0 A, 1 B, 2 X, 3 Y, 4 LB, 5 RB, 6 Back, 7 Start, 9 LS, 10 RS  |
/// | hat 0       | the D-pad                                                     |
///
/// A pad with four or five axes is taken as two sticks (0, 1 left; 2, 3 right) without analogue
/// triggers, one with two or three as a left stick only. A trigger axis that has only ever read
/// exactly 0 counts as released: SDL reports 0 for an axis it has had no event for yet, which
/// would otherwise read as a half-pulled trigger.
///
/// SDL 1.2 sees only pads present when its joystick subsystem starts; without one the pad
/// reads as not connected.
class PadJoystick : public Pad {
public:
    /// Axes read from the joystick (the xpad layout has six).
    static constexpr int kMaxAxes = 6;

    /// One raw reading of the joystick, as SDL gives it.
    struct Reading {
        std::array<int16_t, kMaxAxes> mAxes{};
        int mAxisCount = 0;
        uint32_t mButtons = 0; ///< bit b: SDL button b is down
        uint8_t mHat = SDL_HAT_CENTERED;
    };

    /// Opens joystick 0 when SDL's joystick subsystem is running and has one, and looks for its
    /// rumble device.
    PadJoystick();
    /// Closes the joystick (SDL counts its opens, so the input manager's handle stays valid).
    ~PadJoystick() override;
    PadJoystick(const PadJoystick&) = delete;
    PadJoystick& operator=(const PadJoystick&) = delete;

    /// Updates SDL's joystick state and maps it; false when no joystick is open.
    bool ReadState(PadState& state) override;
    /// Forwards to the rumble device, when there is one.
    void SetVibration(uint16_t left, uint16_t right) override;

    /// Maps a raw reading onto a PadState and numbers it: the packet number grows by one
    /// whenever the mapped input differs from the previous call's.
    PadState Map(const Reading& reading);
    /// True when a joystick is open.
    bool IsOpen() const { return mJoystick != nullptr; }

    /// −32768 … 32767 with SDL's y down to XInput's y up (−32768 becomes 32767).
    static int16_t InvertAxis(int16_t value);
    /// −32768 … 32767 to 0 … 255.
    static uint8_t TriggerFromAxis(int16_t value);

private:
    Reading ReadJoystick() const;
    uint8_t Trigger(int index, int16_t value);

    SDL_Joystick* mJoystick = nullptr;
    std::unique_ptr<PadRumble> mRumble;
    PadState mLast;
    bool mHaveLast = false;
    std::array<bool, 2> mTriggerMoved{};
};

} // namespace Velmora
