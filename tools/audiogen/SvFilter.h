#pragma once

namespace Velmora::AudioGen {

/// Trapezoidal state-variable filter (zero-delay feedback): stable under fast cutoff sweeps,
/// which the filter envelopes of basses and leads need.
class SvFilter {
public:
    struct Output {
        float low;
        float band;
        float high;
    };

    /// cutoff in Hz (clamped to 10 Hz … 0.45 × sample rate), q ≥ 0.5 (0.707 is flat).
    SvFilter(double cutoff = 1000.0, double q = 0.707);

    /// Changes cutoff and resonance; cheap enough to call every few samples.
    void Set(double cutoff, double q);
    Output Process(float input);
    float Low(float input) { return Process(input).low; }
    float Band(float input) { return Process(input).band; }
    float High(float input) { return Process(input).high; }

private:
    double mK = 1.4;
    double mA1 = 0.0;
    double mA2 = 0.0;
    double mA3 = 0.0;
    double mIc1 = 0.0;
    double mIc2 = 0.0;
};

/// One-pole low-pass smoother (also gives a gentle high-pass as input − low).
class OnePole {
public:
    explicit OnePole(double cutoff);
    float Low(float input);
    float High(float input) { return input - Low(input); }

private:
    double mCoef;
    double mState = 0.0;
};

} // namespace Velmora::AudioGen
