#pragma once

#include <string>

namespace Velmora {
class Game;
}

namespace Velmora::Logic {

/// What the menu's campaign, "Confirm New" and "Confirm Reset" entries ask of the game. These
/// replace the screen stack with a play screen or restart the level being played, so they belong
/// with the play screen: until it is part of the build each one logs that it cannot run and
/// returns false, and the menu stays where it is.
class MenuActions {
public:
    /// Starts the campaign with that id ("training", "camp1", "camp2", "camp3"): loads its
    /// campaign file, clears the stack and pushes a play screen for its first level. True when
    /// the play screen was queued.
    static bool StartCampaign(Game& game, const std::string& id);
    /// Starts the current campaign again from its first level with a fresh play screen (the whole
    /// stack is replaced). True when the play screen was queued.
    static bool StartNewGame(Game& game);
    /// Runs the current level's begin again (everything respawns). True when a level was reset.
    static bool ResetLevel(Game& game);
};

} // namespace Velmora::Logic
