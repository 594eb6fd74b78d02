#pragma once

#include "Signal.h"

namespace Velmora::AudioGen {

/// Look-ahead peak limiter for the master bus. The gain needed by every peak is known
/// lookahead seconds before the peak plays, and is reached by a smooth ramp, so the output
/// never exceeds the ceiling and never clips hard; the gain recovers with an exponential release.
class Limiter {
public:
    /// ceiling: largest absolute output sample (linear, e.g. 0.89 for −1 dBFS).
    Limiter(double ceiling, double lookaheadSeconds, double releaseSeconds);

    /// Limits both channels with one shared gain (keeps the stereo image); the output is aligned
    /// with the input (no added latency).
    void Process(Stereo& buffer) const;

private:
    double mCeiling;
    double mLookahead;
    double mRelease;
};

} // namespace Velmora::AudioGen
