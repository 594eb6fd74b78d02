#pragma once

#include "core/ISystem.h"
#include "game/Medal.h"

#include <cstdint>

namespace Velmora::Logic {

struct GameCounters;

/// Keeps the current level's medal times, which the level reader takes from <medals>, and the
/// running totals of every finished level attempt (won or lost). GetMedal compares a level
/// time with the medal times (the level-end panel shows it); the totals are only stored.
class AchievementManager : public ISystem {
public:
    /// Counts summed over finished level attempts.
    struct Totals {
        uint32_t mFootsteps = 0;
        uint32_t mShots = 0;
        uint32_t mWindowsShattered = 0;
        uint32_t mTimesSeen = 0;
    };

    /// The game's instance, created on first use, never deleted.
    static AchievementManager& GetInstance();
    AchievementManager() = default;

    /// Zeroes the totals.
    void Initialize() override;

    /// Stores the three medal times of the current level, in seconds.
    void SetMedalTimes(double bronze, double silver, double gold);
    /// The medal times of the current level, in seconds (0 before a level is read).
    double GetBronzeTime() const { return mBronze; }
    double GetSilverTime() const { return mSilver; }
    double GetGoldTime() const { return mGold; }
    /// The medal a win in `seconds` earns in the current level (see ChooseMedal).
    Medal GetMedal(double seconds) const { return ChooseMedal(seconds, mGold, mSilver, mBronze); }
    /// The next better medal of the current level than `earned` and its time (see NextMedal).
    Medal GetNextMedal(Medal earned, double& seconds) const {
        return NextMedal(earned, mGold, mSilver, mBronze, seconds);
    }

    /// A level attempt has ended (won or lost): adds the logic manager's level counters for
    /// footsteps, shots, windows shattered and times seen to the totals. Shock shots,
    /// briefcases and seconds are not totalled.
    void RecordLevelResult();
    /// The same with the level counters given.
    void RecordLevelResult(const GameCounters& level);
    /// The totals so far.
    const Totals& GetTotals() const { return mTotals; }

private:
    double mGold = 0.0;
    double mSilver = 0.0;
    double mBronze = 0.0;
    Totals mTotals;
};

} // namespace Velmora::Logic
