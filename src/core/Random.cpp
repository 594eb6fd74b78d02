#include "core/Random.h"

namespace Velmora {

void Random::Seed(uint32_t seed) {
    // Spread the seed so that small seeds do not start in a weak state; never zero.
    mState = (static_cast<uint64_t>(seed) << 32 | seed) ^ 0x9E3779B97F4A7C15ull;
    if (mState == 0) mState = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < 4; ++i) Next();
}

uint32_t Random::SeedFor(std::string_view name, uint32_t extra) {
    // FNV-1a over the name, then the extra seed folded in.
    uint32_t hash = 2166136261u;
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash ^ (extra * 0x9E3779B9u);
}

int Random::Next() {
    mState ^= mState << 13;
    mState ^= mState >> 7;
    mState ^= mState << 17;
    return static_cast<int>((mState >> 20) % (kMax + 1));
}

double Random::Uniform(double low, double high) { return low + (high - low) * (static_cast<double>(Next()) / kMax); }

int Random::Below(int count) { return count <= 1 ? 0 : Next() % count; }

Random& GetRandom() {
    static Random random;
    return random;
}

} // namespace Velmora
