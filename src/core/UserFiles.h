#pragma once

#include <string>

namespace Velmora {

/// A folder of the user's own files after the XDG base-directory rules: `value` (the variable's
/// text) when it is an absolute path, otherwise `home` joined with `fallback`; "velmora" is
/// appended. Empty when neither gives an absolute path (no home), so the caller keeps its
/// files in memory.
std::string XdgFolder(const char* value, const char* home, const char* fallback);

/// $XDG_CONFIG_HOME/velmora (default ~/.config/velmora): the player's settings.
std::string UserConfigFolder();
/// $XDG_DATA_HOME/velmora (default ~/.local/share/velmora): progress and the player's levels.
std::string UserDataFolder();
/// $XDG_STATE_HOME/velmora (default ~/.local/state/velmora): the log of the last runs.
std::string UserStateFolder();

/// True for a name fit to be a file stem in the user's folders: 1 to 64 letters, digits, "_"
/// or "-" (so it can never lead a path out of its folder).
bool IsPlainFileStem(const std::string& name);

/// Creates a folder and its missing parents (new ones private to the user). True when the
/// folder exists afterwards.
bool MakeFolders(const std::string& path);

/// Replaces a file's contents as one step: the text goes to "path.tmp", which is flushed and
/// renamed over the file, so a crash leaves either the old or the new file, never half of one.
/// The folder is created when missing. False, with the old file untouched, on any failure.
bool WriteFileAtomically(const std::string& path, const std::string& contents);

/// Moves a file that could not be read to "path.bad" (replacing an older one) and logs why on
/// the channel, so the next save starts afresh while the damaged file stays for a look.
void SetAsideDamagedFile(const std::string& path, const char* channel, const std::string& why);

} // namespace Velmora
