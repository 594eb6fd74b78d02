// The SDL joystick's mapping onto the XInput-style pad state, packet numbering, and rumble that
// finds no device without trouble.
#include "core/PadJoystick.h"
#include "core/PadRumble.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

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

TEST(PadJoystick, XpadAxesMapToSticksWithYUpAndTriggersOnTheByteScale) {
    PadJoystick pad; // no SDL joystick here: only the mapping is used
    EXPECT_FALSE(pad.IsOpen());
    PadState state;
    EXPECT_FALSE(pad.ReadState(state));
    // Triggers at rest (−32768) first, as the driver reports them once touched.
    state = pad.Map(XpadReading({1000, -2000, -32768, -3000, 4000, -32768}));
    EXPECT_EQ(state.mThumbLX, 1000);
    EXPECT_EQ(state.mThumbLY, 2000);
    EXPECT_EQ(state.mThumbRX, -3000);
    EXPECT_EQ(state.mThumbRY, -4000);
    EXPECT_EQ(state.mLeftTrigger, 0);
    EXPECT_EQ(state.mRightTrigger, 0);
    state = pad.Map(XpadReading({-32768, -32768, 32767, 32767, 32767, 0}));
    EXPECT_EQ(state.mThumbLX, -32768);
    EXPECT_EQ(state.mThumbLY, 32767); // SDL's full up (−32768) cannot be negated in 16 bits
    EXPECT_EQ(state.mThumbRY, -32767);
    EXPECT_EQ(state.mLeftTrigger, 255);
    EXPECT_EQ(state.mRightTrigger, 127); // half-way, now that the axis has moved
}

TEST(PadJoystick, TriggerAxesThatNeverMovedReadAsReleased) {
    PadJoystick pad;
    // SDL reports 0 for an axis it has had no event for: not half a trigger pull.
    PadState state = pad.Map(XpadReading({0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(state.mLeftTrigger, 0);
    EXPECT_EQ(state.mRightTrigger, 0);
    state = pad.Map(XpadReading({0, 0, 0, 0, 0, 16384}));
    EXPECT_EQ(state.mRightTrigger, 191);
    state = pad.Map(XpadReading({0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(state.mRightTrigger, 127); // from now on 0 is a real half-way reading
    EXPECT_EQ(state.mLeftTrigger, 0);
}

TEST(PadJoystick, ButtonsAndHatBecomeXInputBits) {
    PadJoystick pad;
    uint32_t all = 0;
    for (int b : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) all |= 1u << b;
    PadState state = pad.Map(XpadReading({}, all, SDL_HAT_UP | SDL_HAT_LEFT));
    EXPECT_EQ(state.mButtons,
              kPadA | kPadB | kPadX | kPadY | kPadLeftShoulder | kPadRightShoulder | kPadBack | kPadStart |
                  kPadLeftThumb | kPadRightThumb | kPadDpadUp | kPadDpadLeft);
    state = pad.Map(XpadReading({}, 1u << 7 | 1u << 1, SDL_HAT_RIGHTDOWN));
    EXPECT_EQ(state.mButtons, kPadStart | kPadB | kPadDpadRight | kPadDpadDown);
    EXPECT_EQ(state.mButtons & 0x0C00, 0); // no bits besides XInput's
}

TEST(PadJoystick, SmallerPadsDegradeToTheSticksTheyHave) {
    PadJoystick pad;
    PadJoystick::Reading four;
    four.mAxes = {100, 200, 300, 400, 0, 0};
    four.mAxisCount = 4;
    PadState state = pad.Map(four);
    EXPECT_EQ(state.mThumbLX, 100);
    EXPECT_EQ(state.mThumbLY, -200);
    EXPECT_EQ(state.mThumbRX, 300);
    EXPECT_EQ(state.mThumbRY, -400);
    EXPECT_EQ(state.mLeftTrigger, 0);
    EXPECT_EQ(state.mRightTrigger, 0);
    PadJoystick::Reading two = four;
    two.mAxisCount = 2;
    state = pad.Map(two);
    EXPECT_EQ(state.mThumbRX, 0);
    EXPECT_EQ(state.mThumbRY, 0);
    PadJoystick::Reading none = four;
    none.mAxisCount = 0;
    state = pad.Map(none);
    EXPECT_EQ(state.mThumbLX, 0);
}

TEST(PadJoystick, PacketNumberChangesExactlyWhenTheInputDoes) {
    PadJoystick pad;
    const uint32_t first = pad.Map(XpadReading({5, 5, -32768, 0, 0, -32768})).mPacketNumber;
    EXPECT_EQ(pad.Map(XpadReading({5, 5, -32768, 0, 0, -32768})).mPacketNumber, first);
    const uint32_t second = pad.Map(XpadReading({6, 5, -32768, 0, 0, -32768})).mPacketNumber;
    EXPECT_NE(second, first);
    EXPECT_NE(pad.Map(XpadReading({6, 5, -32768, 0, 0, -32768}, 1)).mPacketNumber, second);
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
    PadRumble missing("pad", folder + "/nowhere");
    EXPECT_FALSE(missing.IsAvailable());
    PadRumble nameless("", folder); // no pad at all: not worth a line
    EXPECT_EQ(log.mLines.size(), 2u);
}

} // namespace
} // namespace Velmora
