#pragma once

namespace Velmora::Logic {

/// The play screen's states.
enum PlayState : int {
    kPaused = 0,       ///< another screen lies above it, or not started
    kPlaying = 1,      ///< a level is being played: input, logic ticks
    kWon = 2,          ///< the "Next Mission" panel
    kLost = 3,         ///< the "Try Again" panel
    kNextLevel = 4,    ///< load the campaign's next level on the next frame
    kRetry = 5,        ///< begin the same level again on the next frame
    kCampaignDone = 6, ///< the last level is won: credits or back to the menu
    kCredits = 7,      ///< the credits screen lies above it
    kQuit = 8,         ///< back to the main menu on the next frame
};

} // namespace Velmora::Logic
