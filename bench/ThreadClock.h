// The clock the benchmarks time themselves by: the machine is shared, and time spent waiting for
// a core is not the code's, so wall-clock figures would swing with the load of other programs.
#pragma once

#include <time.h>

namespace Velmora::Bench {

/// Seconds of processor time used so far by the calling thread.
inline double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace Velmora::Bench
