// The SDL joystick's mapping onto the XInput-style pad state, packet numbering, and rumble that
// finds no device without trouble.
#include "core/PadJoystick.h"
#include "core/PadRumble.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace Velmora {
namespace {

PadJoystick::Reading XpadReading(std::array<int16_t, 6> axes, uint32_t buttons = 0, uint8_t hat = SDL_HAT_CENTERED) {
    PadJoystick::Reading reading;
    reading.mAxes = axes;
    reading.mAxisCount = 6;
    reading.mButtons = buttons;
    reading.mHat = hat;
    return reading;
}

// Left stick x and y, right stick x and y, left and right trigger.
using Axes = std::array<int, 6>;
Axes AxesOf(const PadState& state) {
    return {state.mThumbLX, state.mThumbLY, state.mThumbRX, state.mThumbRY, state.mLeftTrigger, state.mRightTrigger};
}

TEST(PadJoystick, XpadAxesMapToSticksWithYUpAndTriggersOnTheByteScale) {
    PadJoystick pad; // no SDL joystick here: only the mapping is used
    // The reading's axes: left x, y, trigger, right x, y, trigger. Triggers at rest (−32768)
    // first, as the driver reports them once touched.
    EXPECT_EQ(AxesOf(pad.Map(XpadReading({1000, -2000, -32768, -3000, 4000, -32768}))),
              (Axes{1000, 2000, -3000, -4000, 0, 0}));
    // SDL's full up (−32768) cannot be negated in 16 bits; the right trigger is half-way, now
    // that its axis has moved.
    EXPECT_EQ(AxesOf(pad.Map(XpadReading({-32768, -32768, 32767, 32767, 32767, 0}))),
              (Axes{-32768, 32767, 32767, -32767, 255, 127}));
}

TEST(PadJoystick, TriggerAxesThatNeverMovedReadAsReleased) {
    PadJoystick pad;
    // SDL reports 0 for an axis it has had no event for: not half a trigger pull.
    EXPECT_EQ(AxesOf(pad.Map(XpadReading({0, 0, 0, 0, 0, 0}))), (Axes{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(pad.Map(XpadReading({0, 0, 0, 0, 0, 16384})).mRightTrigger, 191);
    // From now on 0 is a real half-way reading of the right trigger.
    EXPECT_EQ(AxesOf(pad.Map(XpadReading({0, 0, 0, 0, 0, 0}))), (Axes{0, 0, 0, 0, 0, 127}));
}

TEST(PadJoystick, ButtonsAndHatBecomeXInputBits) {
    PadJoystick pad;
    uint32_t all = 0;
    for (int b : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) all |= 1u << b;
    PadState state = pad.Map(XpadReading({}, all, SDL_HAT_UP | SDL_HAT_LEFT));
    EXPECT_EQ(state.mButtons,
              kPadA | kPadB | kPadX | kPadY | kPadLeftShoulder | kPadRightShoulder | kPadBack | kPadStart |
                  kPadLeftThumb | kPadRightThumb | kPadDpadUp | kPadDpadLeft);
    EXPECT_EQ(pad.Map(XpadReading({}, 1u << 7, SDL_HAT_RIGHTDOWN)).mButtons, kPadStart | kPadDpadRight | kPadDpadDown);
}

TEST(PadRumble, WithoutAMatchingDeviceEveryCallDoesNothingAndLogsOnce) {
    Tests::LogCapture log;
    // A folder of "event" files that are not input devices: nothing matches, nothing breaks.
    const std::string folder = Tests::MakeTempDir();
    Tests::WriteFile(folder + "/event0", "not a device");
    Tests::WriteFile(folder + "/event12", "");
    PadRumble rumble("Microsoft X-Box 360 pad", folder);
    EXPECT_FALSE(rumble.IsAvailable());
    for (int i = 0; i < 100; ++i) rumble.SetVibration(static_cast<uint16_t>(i * 100), 16000);
    rumble.SetVibration(0, 0);
    EXPECT_EQ(log.mLines.size(), 1u);
    EXPECT_TRUE(log.Contains("has no usable rumble device"));
    PadRumble nameless("", folder); // no pad at all: not worth a line
    EXPECT_EQ(log.mLines.size(), 1u);
}

} // namespace
} // namespace Velmora
