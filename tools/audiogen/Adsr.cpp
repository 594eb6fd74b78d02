#include "Adsr.h"

#include "Signal.h"

#include <algorithm>
#include <cmath>

namespace Velmora::AudioGen {
namespace {

double Coefficient(double seconds) { return std::exp(-1.0 / (std::max(seconds, 1e-4) * kSampleRate)); }

} // namespace

Adsr::Adsr(double attack, double decay, double sustain, double release, double gateSeconds)
    : mAttackStep(attack > 0.0 ? 1.0 / (attack * kSampleRate) : 1.0),
      mDecayCoef(Coefficient(decay)),
      mSustain(std::clamp(sustain, 0.0, 1.0)),
      mReleaseCoef(Coefficient(release)),
      mRelease(release),
      mGate(gateSeconds),
      mGateSamples(Signal::ToSamples(gateSeconds)) {}

float Adsr::Next() {
    if (mSample >= mGateSamples) {
        mLevel *= mReleaseCoef;
    } else if (mAttacking) {
        mLevel += mAttackStep;
        if (mLevel >= 1.0) {
            mLevel = 1.0;
            mAttacking = false;
        }
    } else {
        mLevel = mSustain + (mLevel - mSustain) * mDecayCoef;
    }
    ++mSample;
    return static_cast<float>(mLevel);
}

double Adsr::TotalSeconds() const { return mGate + 9.2 * mRelease; }

} // namespace Velmora::AudioGen
