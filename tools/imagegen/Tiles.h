#pragma once

#include "Draw.h"

#include <memory>
#include <string>
#include <vector>

namespace Velmora::Tools {

/// Side of one auto-tile variant and of a single floor texture, in pixels.
constexpr int kCell = 64;
/// Pixels the game leaves out at each side of an auto-tile variant (1/128 of a 256 sheet).
constexpr int kInset = 2;

/// One entry of the tile catalogue with the texture that draws it.
struct TileEntry {
    std::string mName;
    std::string mTexture; ///< relative to data/image
    int mGroup = 0;
    bool mBlocksPlayer = false;
    bool mBlocksEnemy = false;
    bool mBlocksVision = false;
    bool mBlocksSound = false;
    bool mShatters = false;
    std::unique_ptr<Canvas> mImage;
};

/// Paints every tile texture and returns the catalogue in id order (0, 1, 2, ...).
std::vector<TileEntry> BuildTiles();

/// Writes the textures under IMAGE_DIR and the catalogue as MISC_DIR/tiles.xml.
bool WriteTiles(const std::vector<TileEntry>& tiles, const std::string& imageDir, const std::string& miscDir);

/// Copies the frame the game would use for a tile with the given neighbour mask onto `cr` as a
/// size x size square at (x, y): the whole texture for group 0, else the inset variant.
void DrawTileFrame(cairo_t* cr, const TileEntry& tile, int mask, double x, double y, double size);

} // namespace Velmora::Tools
