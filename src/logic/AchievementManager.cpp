#include "logic/AchievementManager.h"

namespace Velmora::Logic {

AchievementManager& AchievementManager::GetInstance() {
    static AchievementManager* instance = new AchievementManager();  // lives to process exit
    return *instance;
}

void AchievementManager::SetMedalTimes(double bronze, double silver, double gold) {
    mBronze = bronze;
    mSilver = silver;
    mGold = gold;
}

} // namespace Velmora::Logic
