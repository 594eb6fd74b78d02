#include "game/FinishedLevel.h"

#include "core/LogRecord.h"
#include "game/AchievementManager.h"
#include "game/LogicManager.h"
#include "world/Level.h"

#include <cstdio>

namespace Velmora::Logic {

namespace {

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f s", seconds);
    return text;
}

} // namespace

ProgressStore::Result RecordFinishedLevel() {
    LogicManager& logic = LogicManager::GetInstance();
    const Level* level = logic.GetLevel();
    if (!level) return {};
    const double seconds = logic.GetLevelCounters().mPlayTime;
    const AchievementManager& medals = AchievementManager::GetInstance();
    const Medal medal = ChooseMedal(seconds, medals.GetGoldTime(), medals.GetSilverTime(), medals.GetBronzeTime());
    const ProgressStore::Result result =
        ProgressStore::GetInstance().RecordWin(level->GetFolder(), level->GetName(), seconds, medal);
    VELMORA_LOG("LOGIC") << "Finished level `" << level->GetName() << "` of `" << level->GetFolder() << "` in "
                         << Seconds(seconds) << ", medal " << static_cast<int>(medal)
                         << (result.mNewBest ? " (new best)" : "");
    if (result.mNewBest) {
        logic.AddNotification(std::string(kNewBestText) + " " + Seconds(seconds) + " (was " +
                              Seconds(result.mPreviousBest) + ")");
    }
    return result;
}

} // namespace Velmora::Logic
