#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class TiXmlElement;

namespace Velmora::Logic {

class Level;
class TileManager;

/// Reads and writes level files, data/level/FOLDER/NAME.xml:
///
///     <level>
///         <name>NAME</name>
///         <tilemap width='W' height='H'> W·H tile ids, row 0 (the bottom row) first </tilemap>
///         <medals gold='…' silver='…' bronze='…'/>
///         <entity> <archetype/> <name/> <data/> <position x y/> <direction x y/> </entity> …
///         <trigger> … </trigger> …
///     </level>
///
/// Reader errors are critical records on "LOGIC" (the size error on "LEVEL") and yield no level;
/// nothing aborts. A trigger that does not read is left out (its reason logged on "LOGIC") and
/// the level loads without it: one broken hint must not make a shared level unplayable. The
/// writer writes the stored cells, never the live ones, and the triggers as they were read.
class LevelFile {
public:
    /// root/data/level/FOLDER/NAME.xml (a piece beginning with a slash replaces the path so far).
    static std::string LevelPath(const std::string& folder, const std::string& name);

    /// Reads the level NAME of FOLDER; null on failure (logged).
    static std::unique_ptr<Level> LoadLevel(const std::string& folder, const std::string& name);
    /// Reads the level file at `path`; the level's folder becomes `folder`. Tiles come from
    /// `tiles` (default the game's catalogue). The medal times go to the achievement manager.
    /// Once the grid is read the level's cells are reset, which rebuilds the collision map.
    /// Null on failure (logged).
    static std::unique_ptr<Level> ReadLevel(const std::string& path, const std::string& folder,
                                            const TileManager* tiles = nullptr);

    /// Writes the level to LevelPath(folder, name). The file is written beside the old one and
    /// then renamed over it, so a failed save leaves the old file whole. Logs "LEVEL `NAME`
    /// SAVED!" on "EDITOR" (and shows it for 5 s under the watch "editor.saved"), or
    /// "PATH` FOR WRITING" when the file cannot be written. True when saved.
    static bool SaveLevel(const Level& level);
    /// The file's text, exactly as SaveLevel writes it.
    static void WriteLevel(const Level& level, std::ostream& out);

    /// Parses the tile ids of a tilemap's text: up to `count` blank-separated tokens, each read
    /// like strtol ("12abc" is 12, "abc" is 0); missing ids are 0, extra ones ignored.
    static std::vector<int32_t> ParseTileIds(const char* text, size_t count);

private:
    static bool ReadTilemap(const TiXmlElement& root, const std::string& path, Level& level);
    static bool ReadMedals(const TiXmlElement& root, const std::string& path, Level& level);
    static bool ReadEntities(const TiXmlElement& root, const std::string& path, Level& level);
    static void ReadTriggers(const TiXmlElement& root, const std::string& path, Level& level);
    static void WriteSpawns(const Level& level, std::ostream& out);
    static bool WriteFileSafely(const Level& level, const std::string& path);
};

} // namespace Velmora::Logic
