#include "logic/MenuActions.h"

#include "core/LogRecord.h"

namespace Velmora::Logic {

// Each of these becomes a call into the logic manager once the play screen exists:
// StartCampaign(id); RemoveAllScreens and a new play screen; BeginLevel on the current level.

bool MenuActions::StartCampaign(Game&, const std::string& id) {
    VELMORA_LOG("LOGIC") << "Cannot start campaign `" << id << "`: this build has no play screen";
    return false;
}

bool MenuActions::StartNewGame(Game&) {
    VELMORA_LOG("LOGIC") << "Cannot start a new game: this build has no play screen";
    return false;
}

bool MenuActions::ResetLevel(Game&) {
    VELMORA_LOG("LOGIC") << "Cannot reset the level: this build has no play screen";
    return false;
}

} // namespace Velmora::Logic
