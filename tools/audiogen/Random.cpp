#include "Random.h"

namespace Velmora::AudioGen {
namespace {

uint64_t SplitMix(uint64_t& x) {
    x += 0x9e3779b97f4a7c15ull;
    uint64_t z = x;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

uint64_t Rotate(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

} // namespace

Random::Random(uint64_t seed) {
    for (uint64_t& word : mState) {
        word = SplitMix(seed);
    }
}

uint64_t Random::NextBits() {
    const uint64_t result = Rotate(mState[1] * 5, 7) * 9;
    const uint64_t t = mState[1] << 17;
    mState[2] ^= mState[0];
    mState[3] ^= mState[1];
    mState[1] ^= mState[2];
    mState[0] ^= mState[3];
    mState[2] ^= t;
    mState[3] = Rotate(mState[3], 45);
    return result;
}

double Random::Uniform() { return static_cast<double>(NextBits() >> 11) * 0x1.0p-53; }

double Random::Uniform(double low, double high) { return low + (high - low) * Uniform(); }

double Random::Bipolar() { return 2.0 * Uniform() - 1.0; }

double Random::Gaussian() {
    // Four uniforms have variance 4/12; scaling by sqrt(3) gives unit deviation.
    const double sum = Uniform() + Uniform() + Uniform() + Uniform() - 2.0;
    return sum * 1.7320508075688772;
}

int Random::Below(int count) {
    if (count <= 1) {
        return 0;
    }
    return static_cast<int>(Uniform() * count);
}

uint64_t Random::Derive(uint64_t base, uint64_t index) {
    uint64_t x = base ^ (index * 0xd1b54a32d192ed03ull);
    return SplitMix(x);
}

} // namespace Velmora::AudioGen
