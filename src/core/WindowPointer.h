#pragma once

namespace Velmora {

/// Where the pointer is over the game's window, asked of the X server directly: x and y in
/// window pixels with the origin at the top-left, as SDL reports them. False (x and y untouched)
/// without a window, on another windowing system, or when the pointer is on another screen.
bool QueryWindowPointer(int& x, int& y);

} // namespace Velmora
