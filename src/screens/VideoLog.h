#pragma once

namespace Velmora::Logic {

/// Carries the movie player's log lines into the game's log on the channel "VIDEO". The player
/// logs from its worker threads too, while the game's log belongs to the main thread, so lines
/// wait in a locked queue until the main thread flushes them.
class VideoLog {
public:
    /// Makes the player log here.
    static void Install();
    /// Writes the waiting lines to the game's log, oldest first. Main thread only.
    static void Flush();
    /// Flushes, then gives the player back its own log function.
    static void Uninstall();
};

} // namespace Velmora::Logic
