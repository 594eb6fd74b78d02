#pragma once

#include <cstdint>

namespace Velmora::Interface {

/// An event passed by reference through a widget tree (Widget::Dispatch). A widget that
/// consumes it sets mHandled, which stops it from travelling further.
struct WidgetEvent {
    // Kinds.
    static constexpr int32_t kTick = 0;       ///< run the widget's animations for mDt seconds
    static constexpr int32_t kMouseMove = 1;  ///< the mouse is at (mX, mY)
    static constexpr int32_t kMouseEnter = 2; ///< the mouse came over the widget
    static constexpr int32_t kMouseLeave = 3; ///< the mouse left the widget (or it was disabled)
    static constexpr int32_t kMouseDown = 4;  ///< the mouse button went down at (mX, mY)
    static constexpr int32_t kMouseUp = 5;    ///< the mouse button went up at (mX, mY)
    static constexpr int32_t kIncrease = 6;   ///< right
    static constexpr int32_t kDecrease = 7;   ///< left
    static constexpr int32_t kActivate = 8;   ///< Enter, pad A, or a click on a clickable widget
    static constexpr int32_t kFocusGained = 9;
    static constexpr int32_t kFocusLost = 10;

    // Directions.
    static constexpr int32_t kBubble = 0;    ///< on to the ancestors, nearest first, until handled
    static constexpr int32_t kBroadcast = 1; ///< on to the descendants, depth first in order, until handled
    static constexpr int32_t kSelf = 2;      ///< this widget only

    int32_t mKind = kTick;
    int32_t mDirection = kSelf;
    uint8_t mHandled = 0;
    double mX = 0.0; ///< window pixels, origin bottom-left (mouse kinds)
    double mY = 0.0;
    double mDt = 0.0; ///< seconds (kTick)
};

} // namespace Velmora::Interface
