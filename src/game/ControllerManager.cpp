#include "game/ControllerManager.h"

#include "core/Entity.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/PadJoystick.h"
#include "game/ComponentPlayer.h"
#include "game/LogicManager.h"
#include "game/MessageXboxInput.h"
#include "graphics/GraphicsManager.h"
#include "interface/WidgetRoot.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Velmora {

namespace {

bool Beyond(int value) { return std::abs(value) > ControllerManager::kStickDeadZone; }

// The window point a stick points at: full deflection reaches the window's edge.
Vector2 StickPoint(int x, int y, double width, double height) {
    return {width / ControllerManager::kStickRange * x + width / 2.0,
            height / ControllerManager::kStickRange * y + height / 2.0};
}

} // namespace

ControllerManager& ControllerManager::GetInstance() {
    static ControllerManager* instance = new ControllerManager(true); // lives to process exit
    return *instance;
}

ControllerManager::ControllerManager(bool readSdlPad) : mReadSdlPad(readSdlPad) {}

ControllerManager::~ControllerManager() {
    if (mProvidesMenuPad) Interface::WidgetRoot::SetPadProvider(nullptr);
}

void ControllerManager::Initialize() {
    mPreviousState = PadState();
    mState = PadState();
    Pad* pad = ActivePad();
    mDisconnected = !(pad && pad->ReadState(mState));
    mRumbleSuppressed = mCharging = mStickActive = false;
    mVibration = 0;
    Interface::WidgetRoot::SetPadProvider([this] { return GetMenuPadInput(); });
    mProvidesMenuPad = true;
}

void ControllerManager::Deinitialize() { StopRumble(); }

void ControllerManager::HandleMessage(Message& message) {
    if (message.Is<MessageUpdateLoop>()) Poll();
}

void ControllerManager::SetPad(Pad* pad) { mPad = pad; }

Pad* ControllerManager::ActivePad() {
    if (mPad) return mPad;
    if (!mReadSdlPad) return nullptr;
    if (!mOwnPad) mOwnPad = std::make_unique<PadJoystick>();
    return mOwnPad.get();
}

void ControllerManager::Poll() {
    mPreviousState = mState;
    mState = PadState();
    Pad* pad = ActivePad();
    if (!pad || !pad->ReadState(mState)) {
        mState = PadState();
        mDisconnected = true;
        // A stick that was steering when the pad went must not keep the player walking.
        mStickActive = false;
        mCharging = false;
        mVibration = 0;
        return;
    }
    mDisconnected = false;
    if (mState.mPacketNumber != mPreviousState.mPacketNumber) SDL_ShowCursor(SDL_DISABLE);

    Logic::MessageXboxInput input;
    Game::GetInstance().SendMessage(input);

    mStickAngle = std::atan2(static_cast<double>(mState.mThumbLY), static_cast<double>(mState.mThumbLX));
    mStickMagnitude =
        std::hypot(static_cast<double>(mState.mThumbLX), static_cast<double>(mState.mThumbLY)) * kStickMagnitudeScale;

    Entity* player = Logic::LogicManager::GetInstance().GetPlayer();
    if (!player) {
        // Nobody to charge a gun or to steer: a rumble left running would never stop.
        StopRumble();
        mStickActive = false;
        return;
    }
    UpdateRumble();
    Steer(*player);
}

void ControllerManager::UpdateRumble() {
    if (mState.mRightTrigger != 0) {
        mVibration = std::min(mVibration + kRumbleStep, kRumbleMax);
        mCharging = true;
    } else {
        mVibration = 0;
        mCharging = false;
    }
    const int level = mRumbleSuppressed ? 0 : mVibration;
    SetVibration(level, level);
}

void ControllerManager::StopRumble() {
    const bool running = mVibration != 0 || mCharging;
    mVibration = 0;
    mCharging = false;
    if (running) SetVibration(0, 0);
}

void ControllerManager::Steer(Entity& player) {
    auto* component = player.GetComponent<Logic::ComponentPlayer>();
    if (!component) return;
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    const double width = graphics.GetWidth();
    const double height = graphics.GetHeight();
    if (Beyond(mState.mThumbLX) || Beyond(mState.mThumbLY)) {
        mStickActive = true;
        mLeftStickPoint = StickPoint(mState.mThumbLX, mState.mThumbLY, width, height);
        double speed = Logic::LogicManager::GetInstance().mPlayerMoveSpeed;
        if (mState.mRightTrigger != 0) speed *= 0.5;
        component->MoveTowards(mLeftStickPoint, speed);
    } else {
        mStickActive = false;
        component->MoveTowards(Vector2(), 0.0);
    }
    if (Beyond(mState.mThumbRX) || Beyond(mState.mThumbRY)) {
        mRightStickPoint = StickPoint(mState.mThumbRX, mState.mThumbRY, width, height);
        component->FaceTowards(mRightStickPoint);
    }
}

void ControllerManager::SetVibration(int left, int right) {
    Pad* pad = ActivePad();
    if (!pad) return;
    const auto speed = [](int value) { return static_cast<uint16_t>(std::clamp(value, 0, 65535)); };
    pad->SetVibration(speed(left), speed(right));
}

Interface::PadInput ControllerManager::GetMenuPadInput() const {
    Interface::PadInput input;
    input.mConnected = !mDisconnected;
    input.mStickAngle = mStickAngle;
    input.mStickMagnitude = mStickMagnitude;
    input.mAPressed = IsButtonPressed(kPadA);
    input.mBPressed = IsButtonPressed(kPadB);
    input.mStartPressed = IsButtonPressed(kPadStart);
    input.mStartDown = mState.IsDown(kPadStart);
    input.mDpadUpPressed = IsButtonPressed(kPadDpadUp);
    input.mDpadDownPressed = IsButtonPressed(kPadDpadDown);
    input.mDpadLeftPressed = IsButtonPressed(kPadDpadLeft);
    input.mDpadRightPressed = IsButtonPressed(kPadDpadRight);
    return input;
}

Interface::PadInput ControllerManager::MakeMenuPadInput() { return GetInstance().GetMenuPadInput(); }

} // namespace Velmora
