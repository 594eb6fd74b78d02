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
    /// The player's copy of a level: USERDATA/level/FOLDER/NAME.xml under the user's data folder
    /// (see UserDataFolder). Empty when there is no user folder or when the folder or name is not
    /// a plain file stem (letters, digits, "_", "-"), so no name can lead out of that folder.
    static std::string UserLevelPath(const std::string& folder, const std::string& name);
    /// Where the level NAME of FOLDER is read from: the player's copy when it exists, else the
    /// shipped file (LevelPath).
    static std::string ReadPath(const std::string& folder, const std::string& name);
    /// Where the level is saved: the player's copy when the game runs from an installation (its
    /// content folder is never written), else the shipped file beside the other levels.
    static std::string SavePath(const std::string& folder, const std::string& name);

    /// Reads the level NAME of FOLDER from ReadPath; null on failure (logged). A name that would
    /// lead out of the folder (IsPlainName) is refused with a critical record on "LOGIC".
    static std::unique_ptr<Level> LoadLevel(const std::string& folder, const std::string& name);
    /// Reads the level file at `path`; the level's folder becomes `folder`. Tiles come from
    /// `tiles` (default the game's catalogue). The medal times go to the achievement manager.
    /// Once the grid is read the level's cells are reset, which rebuilds the collision map.
    /// Spawn positions and directions must be finite numbers. Null on failure (logged).
    static std::unique_ptr<Level> ReadLevel(const std::string& path, const std::string& folder,
                                            const TileManager* tiles = nullptr);

    /// Writes the level to SavePath(folder, name) (the player's folder is created when missing).
    /// The file is written beside the old one and then renamed over it, so a failed save leaves
    /// the old file whole; the old file is first copied to NAME.xml.bak. Logs "LEVEL `NAME`
    /// SAVED!" on "EDITOR" (and shows it for 5 s under the watch "editor.saved"), or
    /// "PATH` FOR WRITING (REASON)" when the file cannot be written; the caller tells the user,
    /// so no error box comes up. True when saved; else `reason`, when given, says why.
    static bool SaveLevel(const Level& level, std::string* reason = nullptr);
    /// The file's text, exactly as SaveLevel writes it: positions, directions and the medal
    /// times in the shortest form that reads back as the same number.
    static void WriteLevel(const Level& level, std::ostream& out);

    /// Parses the tile ids of a tilemap's text: up to `count` blank-separated tokens, each read
    /// like strtol ("12abc" is 12, "abc" is 0); missing ids are 0, extra ones ignored.
    static std::vector<int32_t> ParseTileIds(const char* text, size_t count);
    /// Reads a tilemap's text for a grid `width` cells wide as ParseTileIds does, except that a
    /// token that is not a plain integer, or an id the catalogue does not have, becomes floor
    /// (0). Such tokens are named in one warning on "LEVEL" (the first few distinct ones, with
    /// the first cell that held one), so a typing error in a level shows in the log instead of
    /// as a black hole in the floor.
    static std::vector<int32_t> ReadTileIds(const char* text, size_t count, int width, const TileManager& tiles,
                                            const std::string& path);

private:
    static bool ReadTilemap(const TiXmlElement& root, const std::string& path, Level& level);
    static bool ReadMedals(const TiXmlElement& root, const std::string& path, Level& level);
    static bool ReadEntities(const TiXmlElement& root, const std::string& path, Level& level);
    static void ReadTriggers(const TiXmlElement& root, const std::string& path, Level& level);
    static void WriteSpawns(const Level& level, std::ostream& out);
    static bool WriteFileSafely(const Level& level, const std::string& path, std::string& reason);
};

} // namespace Velmora::Logic
