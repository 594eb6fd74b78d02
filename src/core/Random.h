#pragma once

#include <cstdint>

namespace Velmora {

/// The one seedable source of random numbers for game logic, so that a recorded input
/// sequence replays to the same state. A small xorshift generator; not for cryptography.
class Random {
public:
    static constexpr int kMax = 32767;

    explicit Random(uint32_t seed = 0x5eed1234u) { Seed(seed); }
    void Seed(uint32_t seed);
    /// An integer in 0 … 32767, like the C runtime's rand().
    int Next();
    /// Uniform in [low, high], from Next() / 32767.
    double Uniform(double low, double high);
    /// An integer in 0 … count − 1 (count ≥ 1).
    int Below(int count);

private:
    uint64_t mState;
};

/// The game's shared generator.
Random& GetRandom();

} // namespace Velmora
