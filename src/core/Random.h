#pragma once

#include <cstdint>
#include <string_view>

namespace Velmora {

/// The one seedable source of random numbers for game logic, so that a recorded input
/// sequence replays to the same state. A small xorshift generator; not for cryptography.
class Random {
public:
    static constexpr int kMax = 32767;

    explicit Random(uint32_t seed = 0x5eed1234u) { Seed(seed); }
    void Seed(uint32_t seed);
    /// The seed a level begins with: its name mixed with an optional extra seed (0 by default),
    /// so the same level always starts the same sequence whatever ran before it.
    static uint32_t SeedFor(std::string_view name, uint32_t extra);
    /// An integer in 0 … 32767, like the C runtime's rand().
    int Next();
    /// Uniform in [low, high], from Next() / 32767.
    double Uniform(double low, double high);
    /// An integer in 0 … count − 1 (count ≥ 1).
    int Below(int count);

private:
    uint64_t mState;
};

/// The game's shared generator. Game logic draws from it only while a level runs; the level
/// reseeds it as it begins, so logic never depends on the clock or on what came before.
Random& GetRandom();

} // namespace Velmora
