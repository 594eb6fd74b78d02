#pragma once

namespace Velmora::Logic {

/// The pages of the main menu. Pages 8 and 9 hold no widgets: they are the menu fading out before
/// it leaves (8) or closes over the level (9).
enum MenuPage : int {
    kPageMain = 0,         ///< the first page
    kPageConfirmNew = 1,   ///< "Confirm New", "Cancel"
    kPageCampaign = 2,     ///< the four campaigns, "Cancel"
    kPageConfirmReset = 3, ///< "Confirm Reset", "Cancel"
    kPageQuit = 4,         ///< "Quit to Menu" or "Quit to Desktop", "Cancel"
    kPageOptions = 5,      ///< "Gfx Options", "Audio Options", "Go Back"
    kPageGraphics = 6,     ///< resolution, "Window Mode", "Fullscreen", "Go Back"
    kPageAudio = 7,        ///< music and effect volume sliders, "Go Back"
    kPageLeaving = 8,      ///< fading out, then to the main menu (in-game) or out of the program
    kPageResuming = 9,     ///< fading out, then back to the level
};

/// Number of menu pages.
constexpr int kMenuPageCount = 10;

} // namespace Velmora::Logic
