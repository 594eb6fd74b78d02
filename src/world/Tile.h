#pragma once

#include "core/Color.h"
#include "core/TileGrid.h"

#include <cstdint>
#include <string>

namespace Velmora::Graphics {
class Texture;
}

namespace Velmora::Logic {

/// Tile ids with a fixed meaning in every catalogue.
constexpr int kTileFloor = 0;          ///< new and out-of-grid cells read as this
constexpr int kTileShatteredGlass = 4; ///< what glass becomes when it breaks
constexpr int kTileExit = 8;           ///< reaching it wins the level
constexpr int kTileClosedDoor = 11;    ///< what OpenDoor opens
constexpr int kTileOpenDoor = 12;      ///< what an opened door becomes

/// One record of the tile catalogue, held by value by the TileManager; its id is its index.
struct Tile {
    int32_t mId = 0;
    std::string mName; ///< shown by the editor's tile picker
    TileFlags mFlags = 0;
    int32_t mGroup = 0; ///< auto-tiling group; 0 draws the whole texture
    Color mColor;       ///< tint, opaque white unless the catalogue says otherwise
    /// The texture named by the catalogue; owned by the texture manager. Null when the
    /// catalogue was loaded without textures (tools, fuzzing): the tile then draws untextured.
    Graphics::Texture* mTexture = nullptr;
    std::string mTextureName; ///< the name the texture was requested under
};

} // namespace Velmora::Logic
