#pragma once

#include <string>

namespace Velmora {

/// The log of the running game as a file a player can attach to a bug report: every line the
/// console would get also goes to "velmora.log" in the given folder, and the previous run's file
/// is kept as "velmora.log.1". Each line is flushed at once so a crash loses nothing.
class LogFile {
public:
    /// Rotates the old files and opens a fresh log in the folder (created when missing). False,
    /// with one line on standard error, when the folder cannot be written: the game runs on and
    /// logs nowhere but the console.
    static bool Open(const std::string& folder);
    /// Closes the file; later lines go nowhere.
    static void Close();
    /// Appends one line (no-op while no file is open).
    static void Write(const std::string& line);
    /// The open file's path, empty when none.
    static const std::string& GetPath();
};

} // namespace Velmora
