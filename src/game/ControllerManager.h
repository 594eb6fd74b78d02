#pragma once

#include "core/ISystem.h"
#include "core/PadState.h"
#include "core/Vector2.h"
#include "interface/PadInput.h"

#include <cstdint>
#include <memory>

namespace Velmora {

class Entity;
class Pad;

/// The game pad: polls pad 0 once per frame (on MessageUpdateLoop), announces each reading with
/// Logic::MessageXboxInput, steers the player with the sticks, rumbles while the gun charges and
/// feeds the menus.
///
/// Per poll: a failed read marks the pad disconnected and does nothing else. A changed packet
/// hides the mouse cursor (moving the mouse shows it again). Then the broadcast, the left
/// stick's angle and magnitude, and, while a player exists: the rumble ramp (kRumbleStep per
/// poll up to kRumbleMax while the right trigger is pulled, 0 at once when released, silent
/// while mRumbleSuppressed), walking towards the left stick's point and aiming at the right
/// stick's, each stick counting only beyond kStickDeadZone on at least one of its axes.
///
/// Menus: Initialize installs a pad provider on every WidgetRoot (WidgetRoot::SetPadProvider)
/// that returns GetMenuPadInput() of this instance, so menu screens need do nothing; a root
/// that wants the pad explicitly can pass MakeMenuPadInput to SetPadProvider itself.
class ControllerManager : public ISystem {
public:
    static constexpr int kRumbleStep = 120;      ///< vibration added per poll while charging
    static constexpr int kRumbleMax = 16000;     ///< the vibration's ceiling
    static constexpr int kStickDeadZone = 10000; ///< per axis; a stick counts beyond it
    /// Left-stick magnitude per unit of deflection (1 / 35535).
    static constexpr double kStickMagnitudeScale = 2.8141269171239623e-05;
    /// Stick deflection that spans the window from its centre to its edge.
    static constexpr double kStickRange = 32767.0;

    /// The game's instance, created on first use, never deleted; it reads the SDL pad.
    static ControllerManager& GetInstance();
    /// readSdlPad: read the SDL pad (the game's instance); otherwise the manager has no pad of
    /// its own and reads as disconnected until SetPad (tests).
    explicit ControllerManager(bool readSdlPad = false);
    /// Takes back the menus' pad provider if this manager installed it.
    ~ControllerManager() override;
    ControllerManager(const ControllerManager&) = delete;
    ControllerManager& operator=(const ControllerManager&) = delete;

    /// Takes a first reading of the pad, clears the flags and installs the menus' pad provider.
    void Initialize() override;
    /// Stops the motors.
    void Deinitialize() override;
    /// Polls on MessageUpdateLoop.
    void HandleMessage(Message& message) override;

    /// One poll (see the class comment).
    void Poll();
    /// Sends both motor speeds (0 … 65535; negative counts as 0) to the pad.
    void SetVibration(int left, int right);
    /// Reads this pad from now on; not owned, must outlive its use here. Null goes back to the
    /// game's SDL pad (made on first need).
    void SetPad(Pad* pad);

    /// The latest reading (all zero after a failed one).
    const PadState& GetState() const { return mState; }
    /// The reading before it.
    const PadState& GetPreviousState() const { return mPreviousState; }
    /// True unless the latest read failed.
    bool IsConnected() const { return !mDisconnected; }
    /// Left stick: atan2(LY, LX) in radians (y up) and its deflection (1 at about full tilt).
    double GetStickAngle() const { return mStickAngle; }
    double GetStickMagnitude() const { return mStickMagnitude; }
    /// True when the button is down now and was up at the previous reading.
    bool IsButtonPressed(PadButton button) const { return mState.IsDown(button) && !mPreviousState.IsDown(button); }

    /// What a menu navigates with: connected, the left stick's angle and magnitude, A, B, Start
    /// and the D-pad's directions newly pressed, Start held.
    Interface::PadInput GetMenuPadInput() const;
    /// GetMenuPadInput of the game's instance; a WidgetRoot::PadProvider.
    static Interface::PadInput MakeMenuPadInput();

    PadState mPreviousState;      ///< the reading before the latest
    PadState mState;              ///< the latest reading; all zero after a failed one
    Vector2 mRightStickPoint;     ///< window pixels the right stick aims at (latest, while active)
    Vector2 mLeftStickPoint;      ///< window pixels the left stick walks to (latest, while active)
    double mStickAngle = 0.0;     ///< left stick, radians
    double mStickMagnitude = 0.0; ///< left stick deflection
    int mVibration = 0;           ///< 0 … kRumbleMax
    /// Set by the play screen while play is paused, won, lost or left: the pad stays still.
    bool mRumbleSuppressed = false;
    bool mCharging = false;    ///< the right trigger is pulled (while a player exists)
    bool mDisconnected = true; ///< the latest read failed (or none was made yet)
    /// The left stick is steering the player; the play screen's mouse control then does not
    /// stop the player.
    bool mStickActive = false;

private:
    Pad* ActivePad();
    void UpdateRumble();
    void Steer(Entity& player);
    void StopRumble();

    std::unique_ptr<Pad> mOwnPad; // the SDL pad, made on first need
    Pad* mPad = nullptr;          // an injected pad, not owned; null: mOwnPad (if reading SDL)
    bool mReadSdlPad;
    bool mProvidesMenuPad = false; // Initialize installed the menus' provider
};

} // namespace Velmora
