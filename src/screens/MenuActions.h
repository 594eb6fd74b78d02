#pragma once

#include <string>

namespace Velmora {
class Game;
}

namespace Velmora::Logic {

/// What the menu's campaign, "Confirm New" and "Confirm Reset" entries ask of the game. Each is
/// called from a button of the menu on top of the stack.
class MenuActions {
public:
    /// Starts the campaign with that id ("training", "camp1", "camp2", "camp3"): the logic
    /// manager's StartCampaign with the top screen as the menu (loads the campaign file, clears
    /// the stack and pushes a play screen for its first level). Always true: the play screen is
    /// queued even for a campaign that fails to load, and it reports that itself.
    static bool StartCampaign(Game& game, const std::string& id);
    /// Starts the current campaign again from its first level with a fresh play screen (the whole
    /// stack is replaced). Always true.
    static bool StartNewGame(Game& game);
    /// Plays the current level again from its start. The play screen under the menu restarts it
    /// (everything respawns, the clock and the gun's meters start again) as soon as the menu is
    /// gone; without a play screen the logic manager begins the level again at once. False when
    /// no level is loaded.
    static bool ResetLevel(Game& game);
};

} // namespace Velmora::Logic
