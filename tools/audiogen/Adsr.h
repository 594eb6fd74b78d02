#pragma once

namespace Velmora::AudioGen {

/// Attack-decay-sustain-release envelope stepped once per sample. The attack is linear, decay
/// and release are exponential with the given time constants. The gate closes by itself after
/// gateSeconds, so an instrument only has to call Next().
class Adsr {
public:
    /// Times in seconds (attack may be 0); sustain is a level in [0, 1].
    Adsr(double attack, double decay, double sustain, double release, double gateSeconds);

    /// The level for the next sample, in [0, 1].
    float Next();
    /// Seconds after which the level has fallen below −80 dB (gate plus release tail).
    double TotalSeconds() const;

private:
    double mAttackStep;
    double mDecayCoef;
    double mSustain;
    double mReleaseCoef;
    double mRelease;
    double mGate;
    long mSample = 0;
    long mGateSamples;
    double mLevel = 0.0;
    bool mAttacking = true;
};

} // namespace Velmora::AudioGen
