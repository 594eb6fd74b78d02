#pragma once

#include <cstdint>

namespace Velmora {

/// World units per tile side. Cell (x, y) covers [32x, 32x + 32) × [32y, 32y + 32); row 0 is
/// the bottom row.
constexpr double kTileSize = 32.0;

/// The collision and behaviour bits of a tile (a 32-bit set), shared by the tile catalogue, the
/// collision map, ray casts and path searches. Note the order: sound is 0x04 and vision 0x08.
using TileFlags = uint32_t;
constexpr TileFlags kTileBlocksPlayer = 0x01; ///< the player's body cannot pass
constexpr TileFlags kTileBlocksEnemy = 0x02;  ///< every other body (guards) cannot pass
constexpr TileFlags kTileBlocksSound = 0x04;  ///< sound waves reflect here
constexpr TileFlags kTileBlocksVision = 0x08; ///< sight is blocked
constexpr TileFlags kTileShatters = 0x10;     ///< breakable glass

} // namespace Velmora
