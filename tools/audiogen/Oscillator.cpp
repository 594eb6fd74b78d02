#include "Oscillator.h"

#include "Signal.h"

#include <algorithm>
#include <cmath>

namespace Velmora::AudioGen {
const Oscillator::Table& Oscillator::SineTable() {
    static const Table table = [] {
        Table t{};
        for (int i = 0; i <= kTableSize; ++i) {
            t[i] = static_cast<float>(std::sin(2.0 * kPi * i / kTableSize));
        }
        return t;
    }();
    return table;
}

Oscillator::Oscillator(Waveform shape, double phase, double pulseWidth)
    : mShape(shape), mPhase(phase - std::floor(phase)), mPulseWidth(std::clamp(pulseWidth, 0.05, 0.95)) {}

double Oscillator::PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

float Oscillator::NextSquare(double dt) const {
    double value = mPhase < mPulseWidth ? 1.0 : -1.0;
    value += PolyBlep(mPhase, dt);
    double falling = mPhase + 1.0 - mPulseWidth;
    falling -= std::floor(falling);
    value -= PolyBlep(falling, dt);
    return static_cast<float>(value);
}

float Oscillator::Next(double frequency) {
    const double dt = std::clamp(frequency / kSampleRate, 1e-7, 0.45);
    float value = 0.0f;
    switch (mShape) {
        case Waveform::Sine:
            value = Sine(mPhase);
            break;
        case Waveform::Saw:
            value = static_cast<float>(2.0 * mPhase - 1.0 - PolyBlep(mPhase, dt));
            break;
        case Waveform::Square:
            value = NextSquare(dt);
            break;
        case Waveform::Triangle:
            // A leaky integral of the square; the leak keeps it centred after frequency changes.
            mIntegrator = dt * 4.0 * NextSquare(dt) + (1.0 - 0.5 * dt) * mIntegrator;
            value = static_cast<float>(mIntegrator);
            break;
    }
    mPhase += dt;
    mPhase -= std::floor(mPhase);
    return value;
}

} // namespace Velmora::AudioGen
