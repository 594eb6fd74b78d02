#pragma once

#include "debug/TweakVar.h"

#include <chrono>

namespace Velmora::Graphics {

/// Keeps the frame rate at the display's refresh. Logic runs in fixed ticks and frames are not
/// interpolated between them, so a frame drawn faster than the display shows it only repeats
/// the last one and burns a core. Swaps wait for the vertical blank where the driver offers it;
/// this pacer sleeps off what is left of each frame's share where it does not (a virtual X
/// server, a software renderer).
class FramePacer {
public:
    /// Called once per frame after the buffer swap, with the seconds the swap took: sleeps until
    /// one period after the previous frame's end. A frame that ran late starts the count afresh
    /// instead of being caught up; a swap that waited a good part of a period was paced by the
    /// display itself and gets no sleep on top.
    void Wait(double swapSeconds);

    /// Frames per second to hold; 0 draws as fast as possible (benchmarks). 60 by default, the
    /// refresh SDL cannot tell us.
    Debug::TweakVar<int> mFrameRate{"Graphics/FrameRate", "group=Graphics label='Frame rate (0: no cap)' min=0 max=1000", 60};

private:
    std::chrono::steady_clock::time_point mNext{};
};

} // namespace Velmora::Graphics
