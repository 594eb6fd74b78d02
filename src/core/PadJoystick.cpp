#include "core/PadJoystick.h"

#include <algorithm>

namespace Velmora {

namespace {

// SDL button index → PadButton bit; index 8 (the guide button) has no XInput bit.
constexpr std::array<uint16_t, 11> kButtonBits = {
    kPadA,    kPadB,     kPadX, kPadY,         kPadLeftShoulder, kPadRightShoulder,
    kPadBack, kPadStart, 0,     kPadLeftThumb, kPadRightThumb,
};

uint16_t DpadFromHat(uint8_t hat) {
    uint16_t bits = 0;
    if (hat & SDL_HAT_UP) bits |= kPadDpadUp;
    if (hat & SDL_HAT_DOWN) bits |= kPadDpadDown;
    if (hat & SDL_HAT_LEFT) bits |= kPadDpadLeft;
    if (hat & SDL_HAT_RIGHT) bits |= kPadDpadRight;
    return bits;
}

} // namespace

PadJoystick::PadJoystick() {
    if (!SDL_WasInit(SDL_INIT_JOYSTICK) || SDL_NumJoysticks() < 1) return;
    mJoystick = SDL_JoystickOpen(0);
    if (!mJoystick) return;
    const char* name = SDL_JoystickName(0);
    mRumble = std::make_unique<PadRumble>(name ? name : "");
}

PadJoystick::~PadJoystick() {
    mRumble.reset();
    if (mJoystick && SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_JoystickClose(mJoystick);
}

bool PadJoystick::ReadState(PadState& state) {
    if (!mJoystick) return false;
    SDL_JoystickUpdate();
    state = Map(ReadJoystick());
    return true;
}

void PadJoystick::SetVibration(uint16_t left, uint16_t right) {
    if (mRumble) mRumble->SetVibration(left, right);
}

PadJoystick::Reading PadJoystick::ReadJoystick() const {
    Reading reading;
    reading.mAxisCount = std::min(SDL_JoystickNumAxes(mJoystick), kMaxAxes);
    for (int i = 0; i < reading.mAxisCount; ++i) reading.mAxes[i] = SDL_JoystickGetAxis(mJoystick, i);
    const int buttons = std::min(SDL_JoystickNumButtons(mJoystick), 32);
    for (int i = 0; i < buttons; ++i) {
        if (SDL_JoystickGetButton(mJoystick, i)) reading.mButtons |= 1u << i;
    }
    if (SDL_JoystickNumHats(mJoystick) > 0) reading.mHat = SDL_JoystickGetHat(mJoystick, 0);
    return reading;
}

PadState PadJoystick::Map(const Reading& reading) {
    PadState state;
    const auto& axes = reading.mAxes;
    const int count = std::clamp(reading.mAxisCount, 0, kMaxAxes);
    if (count >= 1) state.mThumbLX = axes[0];
    if (count >= 2) state.mThumbLY = InvertAxis(axes[1]);
    if (count >= 6) {
        state.mLeftTrigger = Trigger(0, axes[2]);
        state.mThumbRX = axes[3];
        state.mThumbRY = InvertAxis(axes[4]);
        state.mRightTrigger = Trigger(1, axes[5]);
    } else if (count >= 4) {
        state.mThumbRX = axes[2];
        state.mThumbRY = InvertAxis(axes[3]);
    }
    for (size_t i = 0; i < kButtonBits.size(); ++i) {
        if (reading.mButtons & (1u << i)) state.mButtons |= kButtonBits[i];
    }
    state.mButtons |= DpadFromHat(reading.mHat);

    const bool changed = !mHaveLast || !state.SameInputAs(mLast);
    state.mPacketNumber = mLast.mPacketNumber + (changed ? 1u : 0u);
    mLast = state;
    mHaveLast = true;
    return state;
}

int16_t PadJoystick::InvertAxis(int16_t value) {
    return static_cast<int16_t>(std::min(-static_cast<int>(value), 32767));
}

uint8_t PadJoystick::TriggerFromAxis(int16_t value) {
    return static_cast<uint8_t>((static_cast<long>(value) + 32768) * 255 / 65535);
}

uint8_t PadJoystick::Trigger(int index, int16_t value) {
    if (value != 0) mTriggerMoved[index] = true;
    return mTriggerMoved[index] ? TriggerFromAxis(value) : 0;
}

} // namespace Velmora
