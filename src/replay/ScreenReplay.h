#pragma once

#include <string>

namespace Velmora::Replay {

/// Plays a recorded run on screen at normal speed: the run's level starts in place of the intro
/// (after the preloader), its inputs drive the player and the player's own controls are ignored, Escape
/// aside. Logs "Replay of LEVEL: RESULT after N ticks, hash H" when the level ends or the
/// inputs run out.
class ScreenReplay {
public:
    /// Reads the run, checks it against the game's content and sets the game up to play it.
    /// Call after the game is connected (its screen makers set) and before it initialises.
    /// False, with a one-line error, when it cannot be played.
    static bool Start(const std::string& path, std::string& error);
};

} // namespace Velmora::Replay
