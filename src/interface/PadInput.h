#pragma once

namespace Velmora::Interface {

/// The pad state a WidgetRoot navigates with, filled once per frame by whoever reads the pad.
/// The controller manager installs a provider with WidgetRoot::SetPadProvider that fills it
/// from its poll: connected unless the last read failed; the left stick's angle
/// atan2(LY, LX) and magnitude sqrt(LX² + LY²) / 35535 as it computes them anyway; a button
/// "pressed" when its bit is set in the current state and clear in the previous one.
struct PadInput {
    bool mConnected = false;      ///< false: the rest is ignored
    double mStickAngle = 0.0;     ///< left stick, radians, atan2(y, x) with y up
    double mStickMagnitude = 0.0; ///< left stick deflection; at least 0.25 counts as pushed
    bool mAPressed = false;       ///< button A went down since the previous frame
    bool mBPressed = false;       ///< button B went down (screens take it as "back")
    bool mStartPressed = false;   ///< Start went down
    bool mStartDown = false;      ///< Start is held
    bool mDpadUpPressed = false;  ///< the D-pad's directions went down: they step like the arrow keys
    bool mDpadDownPressed = false;
    bool mDpadLeftPressed = false;
    bool mDpadRightPressed = false;
};

} // namespace Velmora::Interface
