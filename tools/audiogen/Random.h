#pragma once

#include <cstdint>

namespace Velmora::AudioGen {

/// Seeded generator for everything random in the rendered audio (noise, humanised timing), so
/// that two runs of the generator write identical files. xoshiro256** seeded through splitmix64.
class Random {
public:
    /// Any seed gives a well-mixed state, including 0.
    explicit Random(uint64_t seed);

    /// The next raw 64-bit value.
    uint64_t NextBits();
    /// Uniform in [0, 1).
    double Uniform();
    /// Uniform in [low, high).
    double Uniform(double low, double high);
    /// Uniform in [-1, 1): white noise.
    double Bipolar();
    /// Roughly normal with mean 0 and deviation 1 (sum of four uniforms, bounded by ±3.5).
    double Gaussian();
    /// An integer in 0 … count − 1 (count ≥ 1).
    int Below(int count);

    /// A seed derived from a base seed and a small index, for per-note generators.
    static uint64_t Derive(uint64_t base, uint64_t index);

private:
    uint64_t mState[4];
};

} // namespace Velmora::AudioGen
