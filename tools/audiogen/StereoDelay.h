#pragma once

#include "Signal.h"

namespace Velmora::AudioGen {

/// A ping-pong echo: the first repeat comes from the left, the next from the right, each
/// repeat a little darker than the one before.
class StereoDelay {
public:
    /// delaySeconds between repeats; feedback in [0, 0.95); toneHz darkens each repeat.
    StereoDelay(double delaySeconds, double feedback, double toneHz);

    /// Replaces the buffer (the dry send) with the echoes only.
    void Process(Stereo& buffer) const;

private:
    double mDelay;
    double mFeedback;
    double mTone;
};

} // namespace Velmora::AudioGen
