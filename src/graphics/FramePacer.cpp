#include "graphics/FramePacer.h"

#include <thread>

namespace Velmora::Graphics {

void FramePacer::Wait(double swapSeconds) {
    using Clock = std::chrono::steady_clock;
    const int rate = mFrameRate;
    const Clock::time_point now = Clock::now();
    if (rate <= 0) {
        mNext = now;
        return;
    }
    const double seconds = 1.0 / rate;
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    if (swapSeconds > 0.25 * seconds || mNext <= now || mNext - now > period) {
        mNext = now + period;
        return;
    }
    std::this_thread::sleep_until(mNext);
    mNext += period;
}

} // namespace Velmora::Graphics
