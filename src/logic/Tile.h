#pragma once

#include "core/Color.h"

#include <cstdint>
#include <string>

namespace Velmora::Graphics {
class Texture;
}

namespace Velmora::Logic {

/// World units per tile side. Cell (x, y) covers [32x, 32x + 32) × [32y, 32y + 32); row 0 is
/// the bottom row.
constexpr double kTileSize = 32.0;

/// The collision and behaviour bits of a tile (a 32-bit set). Note the order: sound is 0x04 and
/// vision 0x08.
using TileFlags = uint32_t;
constexpr TileFlags kTileBlocksPlayer = 0x01;  ///< the player's body cannot pass
constexpr TileFlags kTileBlocksEnemy = 0x02;   ///< every other body (guards) cannot pass
constexpr TileFlags kTileBlocksSound = 0x04;   ///< sound waves reflect here
constexpr TileFlags kTileBlocksVision = 0x08;  ///< sight is blocked
constexpr TileFlags kTileShatters = 0x10;      ///< breakable glass

/// Tile ids with a fixed meaning in every catalogue.
constexpr int kTileFloor = 0;           ///< new and out-of-grid cells read as this
constexpr int kTileShatteredGlass = 4;  ///< what glass becomes when it breaks
constexpr int kTileExit = 8;            ///< reaching it wins the level
constexpr int kTileClosedDoor = 11;     ///< what OpenDoor opens
constexpr int kTileOpenDoor = 12;       ///< what an opened door becomes

/// One record of the tile catalogue, held by value by the TileManager; its id is its index.
struct Tile {
    int32_t mId = 0;
    std::string mName;  ///< shown by the editor's tile picker
    TileFlags mFlags = 0;
    int32_t mGroup = 0;  ///< auto-tiling group; 0 draws the whole texture
    Color mColor;        ///< tint, opaque white unless the catalogue says otherwise
    /// The texture named by the catalogue; owned by the texture manager. Null when the
    /// catalogue was loaded without textures (tools, fuzzing): the tile then draws untextured.
    Graphics::Texture* mTexture = nullptr;
    std::string mTextureName;  ///< the name the texture was requested under
};

} // namespace Velmora::Logic
