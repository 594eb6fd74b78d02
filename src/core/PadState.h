#pragma once

#include <cstdint>

namespace Velmora {

/// Button bits of PadState::mButtons; the same values as XInput's, so code reads like XInput code.
enum PadButton : uint16_t {
    kPadDpadUp = 0x0001,
    kPadDpadDown = 0x0002,
    kPadDpadLeft = 0x0004,
    kPadDpadRight = 0x0008,
    kPadStart = 0x0010,
    kPadBack = 0x0020,
    kPadLeftThumb = 0x0040,
    kPadRightThumb = 0x0080,
    kPadLeftShoulder = 0x0100,
    kPadRightShoulder = 0x0200,
    kPadA = 0x1000,
    kPadB = 0x2000,
    kPadX = 0x4000,
    kPadY = 0x8000,
};

/// One reading of a game pad, laid out like XInput's state: the packet number changes whenever
/// anything else changed since the previous reading, so an unchanged packet means an idle pad.
struct PadState {
    uint32_t mPacketNumber = 0;
    uint16_t mButtons = 0;     ///< PadButton bits
    uint8_t mLeftTrigger = 0;  ///< 0 released … 255 fully pulled
    uint8_t mRightTrigger = 0; ///< 0 released … 255 fully pulled
    int16_t mThumbLX = 0;      ///< −32768 … 32767, right positive
    int16_t mThumbLY = 0;      ///< −32768 … 32767, up positive
    int16_t mThumbRX = 0;
    int16_t mThumbRY = 0;

    /// True when the button bit is set.
    bool IsDown(PadButton button) const { return (mButtons & button) != 0; }
    /// Equal in everything but the packet number.
    bool SameInputAs(const PadState& other) const {
        return mButtons == other.mButtons && mLeftTrigger == other.mLeftTrigger &&
            mRightTrigger == other.mRightTrigger && mThumbLX == other.mThumbLX && mThumbLY == other.mThumbLY &&
            mThumbRX == other.mThumbRX && mThumbRY == other.mThumbRY;
    }
};

} // namespace Velmora
