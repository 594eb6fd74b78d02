#include "game/Medal.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Logic {

namespace {

// As the clock rounds: down to the hundredth, with a little room for sums of tick lengths.
long long Hundredths(double seconds) {
    return static_cast<long long>(std::floor(std::clamp(seconds, 0.0, 1e9) * 100.0 + 1e-6));
}

bool Earned(long long run, double limit) { return limit > 0.0 && run <= Hundredths(limit); }

} // namespace

Medal ChooseMedal(double seconds, double gold, double silver, double bronze) {
    if (!(seconds >= 0.0)) return Medal::kNone;  // no time (negative, not a number) earns nothing
    const long long run = Hundredths(seconds);
    if (Earned(run, gold)) return Medal::kGold;
    if (Earned(run, silver)) return Medal::kSilver;
    if (Earned(run, bronze)) return Medal::kBronze;
    return Medal::kNone;
}

const char* MedalName(Medal medal) {
    switch (medal) {
        case Medal::kGold:
            return "Gold";
        case Medal::kSilver:
            return "Silver";
        case Medal::kBronze:
            return "Bronze";
        default:
            return "None";
    }
}

} // namespace Velmora::Logic
