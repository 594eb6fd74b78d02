#pragma once

#include <array>
#include <cmath>

namespace Velmora::AudioGen {

/// Wave shapes of the oscillator. Saw and Square are band-limited with PolyBLEP corrections;
/// Triangle integrates the band-limited square.
enum class Waveform { Sine, Saw, Square, Triangle };

/// A phase-accumulating oscillator whose frequency may change every sample.
class Oscillator {
public:
    /// phase in cycles [0, 1); pulseWidth is the high fraction of the square (0.05 … 0.95).
    explicit Oscillator(Waveform shape, double phase = 0.0, double pulseWidth = 0.5);

    /// The next sample in [-1, 1] at the given frequency (Hz, below Nyquist).
    float Next(double frequency);
    /// The current phase in cycles [0, 1).
    double Phase() const { return mPhase; }

    /// sin(2π·cycles) from a table with linear interpolation: about −100 dB error, much faster
    /// than std::sin for the many partials of additive instruments.
    static float Sine(double cycles) {
        const auto& table = SineTable();
        const double x = (cycles - std::floor(cycles)) * kTableSize;
        const int i = static_cast<int>(x);
        const float frac = static_cast<float>(x - i);
        return table[i] + (table[i + 1] - table[i]) * frac;
    }
    /// The PolyBLEP residual for phase t in [0, 1) and phase increment dt.
    static double PolyBlep(double t, double dt);

private:
    static constexpr int kTableSize = 4096;
    using Table = std::array<float, kTableSize + 1>;
    static const Table& SineTable();

    float NextSquare(double dt) const;

    Waveform mShape;
    double mPhase;
    double mPulseWidth;
    double mIntegrator = 0.0;
};

} // namespace Velmora::AudioGen
