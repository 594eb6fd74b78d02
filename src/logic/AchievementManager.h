#pragma once

#include "core/ISystem.h"

namespace Velmora::Logic {

/// Keeps the current level's medal times, which the level reader takes from <medals>. Nothing
/// compares them with the level time; they are only stored. (The running totals of finished
/// levels join this system with the game counters.)
class AchievementManager : public ISystem {
public:
    /// The game's instance, created on first use, never deleted.
    static AchievementManager& GetInstance();
    AchievementManager() = default;

    /// Stores the three medal times of the current level, in seconds.
    void SetMedalTimes(double bronze, double silver, double gold);
    /// The medal times of the current level, in seconds (0 before a level is read).
    double GetBronzeTime() const { return mBronze; }
    double GetSilverTime() const { return mSilver; }
    double GetGoldTime() const { return mGold; }

private:
    double mGold = 0.0;
    double mSilver = 0.0;
    double mBronze = 0.0;
};

} // namespace Velmora::Logic
