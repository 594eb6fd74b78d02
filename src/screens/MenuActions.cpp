#include "screens/MenuActions.h"

#include "core/Game.h"
#include "game/LogicManager.h"
#include "screens/PlayScreen.h"

namespace Velmora::Logic {

bool MenuActions::StartCampaign(Game& game, const std::string& id) {
    LogicManager::GetInstance().StartCampaign(id, game.GetTopScreen(), game);
    return true;
}

bool MenuActions::StartNewGame(Game& game) {
    LogicManager::GetInstance().StartNewGame(game);
    return true;
}

bool MenuActions::ResetLevel(Game& game) {
    LogicManager& logic = LogicManager::GetInstance();
    if (!logic.GetLevel()) return false;
    // The nearest play screen below the top restarts through its retry step, so the level clock,
    // the gun's meters and the level-start event are all renewed, not only the entities.
    const std::vector<GameScreen*>& screens = game.GetScreens();
    for (auto screen = screens.rbegin(); screen != screens.rend(); ++screen) {
        if (auto* play = dynamic_cast<PlayScreen*>(*screen)) {
            play->SetState(kRetry);
            return true;
        }
    }
    return logic.RestartLevel();
}

} // namespace Velmora::Logic
