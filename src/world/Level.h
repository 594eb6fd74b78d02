#pragma once

#include "audio/AudioManager.h"
#include "world/NavigationMap.h"
#include "world/SpawnInfo.h"
#include "world/Tile.h"
#include "world/Trigger.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Logic {

class LevelListener;
class TileManager;

/// A level: a rectangular grid of tile ids, its spawn list and the sounds of breaking glass.
/// Two grids are kept: the stored cells (as loaded or edited; what is saved and what a reset
/// restores) and the live cells (the grid during play, changed by shattering glass and opening
/// doors). The physics manager's collision map and the level's own navigation graph are derived
/// from the live cells and rebuilt once after every change made through this class.
///
/// Reading and writing level files is LevelFile's job; the logic manager owns the current level.
/// Cell (x, y) covers world x in [32x, 32x + 32) and y in [32y, 32y + 32); index y·width + x.
class Level {
public:
    /// Largest side, in cells, a level may have.
    static constexpr int kMaxSide = 4096;
    /// Largest number of cells a level may have (1024 × 1024).
    static constexpr long long kMaxCells = 1024LL * 1024LL;
    /// Quads per tile batch when drawing.
    static constexpr unsigned kBatchQuads = 1024;
    /// Draw layer of the tiles (below everything else).
    static constexpr int kLayer = 0;

    /// Texture rectangle of one cell: left, top, right, bottom in texture coordinates.
    struct TileFrame {
        double mLeft = 0.0;
        double mTop = 0.0;
        double mRight = 1.0;
        double mBottom = 1.0;
        bool operator==(const TileFrame&) const = default;
    };

    /// A 1 × 1 level of floor with no spawns that reads its tiles from `tiles` (which must
    /// outlive it; default the game's catalogue). Requests the three shatter sounds from the
    /// audio manager (handles that stay silent without a device). Rebuilds nothing.
    explicit Level(const TileManager* tiles = nullptr);
    /// Stops the physics manager's ray casts from walking this level's cells.
    ~Level();
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

    /// Who hears of broken glass, opened doors and rebuilt maps in every level (null: nobody).
    /// Not owned; the game's logic manager registers itself.
    static void SetListener(LevelListener* listener);

    /// True when a grid of that many cells may be allocated: both sides in 1 … kMaxSide and at
    /// most kMaxCells cells.
    static bool IsValidSize(long long width, long long height);

    /// The tile catalogue the level reads its tiles from.
    const TileManager& GetTiles() const { return mTiles; }
    /// The folder under data/level the level was loaded from (the campaign id).
    const std::string& GetFolder() const { return mFolder; }
    /// The folder the level lives in under data/level (the campaign id).
    void SetFolder(const std::string& folder) { mFolder = folder; }
    /// The level's name, from <name>; also its file stem.
    const std::string& GetName() const { return mName; }
    /// The level's name; saving uses it as the file stem.
    void SetName(const std::string& name) { mName = name; }
    /// Size in cells, both at least 1.
    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }

    /// Replaces both grids with `cells` (row-major, row 0 first; missing cells become 0, extra
    /// ones are ignored) and runs ResetCells(). False, and nothing changed, when the size is
    /// not valid (IsValidSize).
    bool SetCells(int width, int height, const std::vector<int32_t>& cells);
    /// Live cells := stored cells; every frame recomputed; the maps rebuilt once.
    void ResetCells();
    /// New grids of the new size: cells inside the old size keep their stored ids, new cells
    /// get 0; then ResetCells(). False, and nothing changed, for an invalid size.
    bool ResizeLevel(int width, int height);

    /// True when (x, y) lies in the grid.
    bool IsInside(int x, int y) const { return x >= 0 && y >= 0 && x < mWidth && y < mHeight; }
    /// The live tile id of a cell; 0 outside the grid.
    int GetLiveCell(int x, int y) const { return IsInside(x, y) ? mLiveCells[Index(x, y)] : kTileFloor; }
    /// The stored tile id of a cell; 0 outside the grid.
    int GetStoredCell(int x, int y) const { return IsInside(x, y) ? mStoredCells[Index(x, y)] : kTileFloor; }
    /// Changes a stored cell (the editor's brush); the live grid follows at the next ResetCells().
    /// Ignored outside the grid.
    void SetStoredCell(int x, int y, int id);
    /// Sets both the stored and the live cell (the editor shows exactly what it will save) and
    /// recomputes the frames of the cell and its four neighbours. The maps are not rebuilt: the
    /// editor rebuilds them once when play resumes. Ignored outside the grid.
    void PaintCell(int x, int y, int id);
    /// The live grid, row-major.
    const std::vector<int32_t>& GetLiveCells() const { return mLiveCells; }
    /// The stored grid, row-major.
    const std::vector<int32_t>& GetStoredCells() const { return mStoredCells; }
    /// The TileFlags of a live cell; 0 outside the grid or for an id outside the catalogue.
    /// Cheap (an array read): ray casts and path searches may call it per cell.
    TileFlags GetCellFlags(int x, int y) const { return IsInside(x, y) ? mCellFlags[Index(x, y)] : 0; }
    /// The TileFlags of every live cell, row-major (what the collision map is built from).
    const std::vector<TileFlags>& GetCellFlagsGrid() const { return mCellFlags; }
    /// The catalogue record of a live cell; null outside the grid or for an unknown id.
    const Tile* GetCellTile(int x, int y) const;

    /// The cell of a world position: each coordinate divided by 32 and truncated toward zero,
    /// so (−5, 10) is cell (0, 0). False (cell untouched) when the result is not in the grid.
    bool WorldToCell(double x, double y, int& cellX, int& cellY) const;
    /// The live tile id at a world position; 0 outside the grid.
    int GetTileIdAt(double x, double y) const;
    /// The catalogue record of the live tile at a world position (id 0 outside the grid); null
    /// when the id is not in the catalogue.
    const Tile* GetTileAt(double x, double y) const;

    /// The auto-tiled texture rectangle of a cell (the whole texture outside the grid).
    const TileFrame& GetTileFrame(int x, int y) const;
    /// Recomputes a cell's frame from its live tile's group and its same-group neighbours.
    void UpdateTileFrame(int x, int y);

    /// The entities to spawn, in file order.
    const std::vector<std::unique_ptr<SpawnInfo>>& GetSpawnList() const { return mSpawnList; }
    /// Appends an entry (the level takes ownership) and returns it.
    SpawnInfo* AddSpawn(std::unique_ptr<SpawnInfo> spawn);
    /// Inserts an entry before position `index` (appended when past the end; the level takes
    /// ownership) and returns it.
    SpawnInfo* InsertSpawn(size_t index, std::unique_ptr<SpawnInfo> spawn);
    /// Removes and destroys an entry; false when it is not in this level's list.
    bool RemoveSpawn(const SpawnInfo* spawn);
    /// The position of an entry in the spawn list; the list's size when it is not in it.
    size_t FindSpawn(const SpawnInfo* spawn) const;

    /// Breaks the connected pane of glass (kTileShatters cells) that contains live cell (x, y):
    /// every such cell becomes tile 4, plays one of the shatter sounds and is reported to the
    /// listener (which makes its wave and its burst of glass). True when anything broke; the
    /// maps are then rebuilt once and the listener hears once that the pane broke. False outside the grid
    /// or when the cell does not shatter.
    bool ShatterTile(int x, int y);
    /// Opens the connected run of closed doors (tile 11) containing live cell (x, y): each
    /// becomes tile 12 and is reported to the listener with its corner (32x, 32y). True when a door
    /// opened; the maps are then rebuilt once. False outside the grid or when the cell is not a
    /// closed door.
    bool OpenDoor(int x, int y);

    /// Closes the connected run of open doors (tile 12) containing live cell (x, y): each
    /// becomes tile 11 again. True when a door closed; the maps are then rebuilt once. False
    /// outside the grid or when the cell is not an open door.
    bool CloseDoor(int x, int y);

    /// The level's triggers, in file order; released with the level.
    TriggerList& GetTriggers() { return mTriggers; }
    const TriggerList& GetTriggers() const { return mTriggers; }

    /// Rebuilds everything derived from the live cells: the physics manager's collision map and
    /// the navigation graph, then tells the listener. Every change through this class calls it once.
    void RebuildMaps();
    /// The guards' graph of walkable cells, as of the last RebuildMaps (empty before it).
    const NavigationMap& GetNavigationMap() const { return mNavigation; }

    /// Adds the cells visible in the world rectangle to the renderer: one quad batch per tile
    /// texture (layer 0, kBatchQuads quads), each cell a 32 × 32 quad with its frame and its
    /// tile's tint. Timed as "Level Rendering". When a batch is full the renderer is flushed,
    /// so a zoomed-out view loses no cells.
    void Render(Graphics::Renderer& renderer, double left, double bottom, double right, double top) const;

    /// The medal times of the level file, in seconds.
    struct MedalTimes {
        double mBronze = 0.0;
        double mSilver = 0.0;
        double mGold = 0.0;
    };
    const MedalTimes& GetMedalTimes() const { return mMedalTimes; }
    void SetMedalTimes(const MedalTimes& times) { mMedalTimes = times; }

    /// The three shatter sounds ("SFX/Level/ShatterGlass0.ogg" … "2.ogg").
    const std::array<Audio::SoundHandle, 3>& GetShatterSounds() const { return mShatterSounds; }

private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(mWidth) + static_cast<size_t>(x);
    }
    void SetLiveCell(int x, int y, int id);
    void UpdateFramesAround(int x, int y);
    void ShatterCell(int x, int y);
    void OpenDoorCell(int x, int y);
    void FinishPaneShattered();

    const TileManager& mTiles;
    int mWidth = 1;
    int mHeight = 1;
    std::string mFolder;
    std::string mName;
    std::vector<TileFrame> mTileFrames;
    std::vector<std::unique_ptr<SpawnInfo>> mSpawnList;
    std::vector<int32_t> mLiveCells;
    std::vector<int32_t> mStoredCells;
    std::vector<TileFlags> mCellFlags; // flags of the live cells, kept in step with them
    std::array<Audio::SoundHandle, 3> mShatterSounds{};
    MedalTimes mMedalTimes;
    NavigationMap mNavigation;
    TriggerList mTriggers;
};

} // namespace Velmora::Logic
