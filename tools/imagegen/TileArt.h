#pragma once

#include "Draw.h"

#include <cstdint>
#include <memory>

namespace Velmora::Tools {

enum class WallStyle { kStone, kMetal };

/// The dark concrete floor colour at a texel of a pattern repeating every `period` pixels.
std::uint32_t FloorColour(int tx, int ty, int period);

/// Single floor textures (64x64, repeating seamlessly).
std::unique_ptr<Canvas> PaintPlainFloor();
std::unique_ptr<Canvas> PaintCarpet();
std::unique_ptr<Canvas> PaintCeramic();
std::unique_ptr<Canvas> PaintGrate();
std::unique_ptr<Canvas> PaintWood();
std::unique_ptr<Canvas> PaintShatteredGlass();
std::unique_ptr<Canvas> PaintExit();
std::unique_ptr<Canvas> PaintLaserFence();
std::unique_ptr<Canvas> PaintGuardBarrier();
std::unique_ptr<Canvas> PaintClosedDoor();
std::unique_ptr<Canvas> PaintOpenDoor();

/// 256x256 auto-tile sheets: variant (c, r) serves neighbour mask 4r + c (1 right, 2 below,
/// 4 left, 8 above); joined sides run on seamlessly across the game's 2-pixel inset.
std::unique_ptr<Canvas> PaintWallSheet(WallStyle style);
std::unique_ptr<Canvas> PaintGlassSheet();

} // namespace Velmora::Tools
