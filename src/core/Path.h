#pragma once

#include <functional>
#include <string>

namespace Velmora {

/// Joins a name to a path with "/". A name that begins with "/" or "\" replaces the path built so
/// far; a base that already ends in a separator gets no second one.
std::string JoinPath(const std::string& base, const std::string& name);

/// True when a name read from a data file (an archetype, a level) can be joined under its folder
/// without leaving it: it holds no "..", "/" or "\".
bool IsPlainName(const std::string& name);

/// The part of a path before its last "/" or "\" (empty when there is none).
std::string ParentPath(const std::string& path);

/// The data-root search of the program entry: start at the program's directory; if it holds no
/// "data" directory go up one level and look again; then try the installed layout, where the
/// program is PREFIX/bin/velmora and the content PREFIX/share/velmora/data; if that fails too,
/// go up once more from the program's directory without looking. isDirectory answers whether a
/// path names an existing directory.
std::string FindRootPath(const std::string& programPath,
                         const std::function<bool(const std::string&)>& isDirectory);

/// The installed layout's content folder for a program in PREFIX/bin: PREFIX/share/velmora.
std::string InstalledRootPath(const std::string& programPath);

/// True when the path names an existing directory.
bool IsDirectory(const std::string& path);
/// True when the path names an existing regular file.
bool IsRegularFile(const std::string& path);

/// The program's own file path (at most 2048 characters).
std::string ProgramPath();

} // namespace Velmora
