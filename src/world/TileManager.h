#pragma once

#include "core/ISystem.h"
#include "world/Tile.h"

#include <functional>
#include <string>
#include <vector>

class TiXmlElement;

namespace Velmora::Logic {

/// The tile catalogue: what each tile id of a level means (name, flags, group, tint, texture).
/// Read once from data/misc/tiles.xml when the system initialises (the logic manager adds it);
/// afterwards it only answers lookups. Every fault in the file is fatal: the game cannot run
/// without its tiles.
class TileManager : public ISystem {
public:
    /// Finds the texture of a tile by its name; may return null.
    using TextureLookup = std::function<Graphics::Texture*(const std::string& name)>;

    /// The game's catalogue, created on first use, never deleted.
    static TileManager& GetInstance();
    /// An empty catalogue, for tests and tools.
    TileManager() = default;

    /// Loads root/data/misc/tiles.xml, textures through the texture manager.
    void Initialize() override;

    /// Replaces the catalogue with the tiles of the file at `path`. Textures are requested from
    /// `lookup` in file order; a null lookup leaves every texture null (no image is read, no GL
    /// is needed). Fatal errors (channel "ASSERT") for a missing or malformed file; when the
    /// fatal handler returns control (tests, fuzzing) the tiles read so far stay.
    void LoadCatalogue(const std::string& path, const TextureLookup& lookup);

    /// The tile with that id, or null when the id is negative or not below the tile count.
    const Tile* GetTile(int id) const;
    /// Number of tiles; ids run 0 … count − 1.
    int GetTileCount() const { return static_cast<int>(mTiles.size()); }
    /// The flags of a tile id; 0 for an id outside the catalogue.
    TileFlags GetFlags(int id) const {
        const Tile* tile = GetTile(id);
        return tile ? tile->mFlags : 0;
    }
    /// The group of a tile id; 0 for an id outside the catalogue.
    int GetGroup(int id) const {
        const Tile* tile = GetTile(id);
        return tile ? tile->mGroup : 0;
    }

private:
    bool ReadTile(const TiXmlElement& element, const std::string& path, const TextureLookup& lookup);

    std::vector<Tile> mTiles;
};

} // namespace Velmora::Logic
