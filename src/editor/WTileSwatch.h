#pragma once

#include "interface/Widget.h"

#include <cstdint>

namespace Velmora::Logic {
struct Tile;
}

namespace Velmora::Editor {

/// A square sample of a tile: the first auto-tiling variant of its texture (the whole texture
/// for an ungrouped tile) tinted with the tile's colour, or a flat square of the colour when
/// the tile has no texture. Size: kSide × kSide pixels.
class WTileSwatch : public Interface::Widget {
public:
    static constexpr int32_t kSide = 32;

    /// A sample of `tile` (not owned; null draws nothing).
    explicit WTileSwatch(const Logic::Tile* tile) : mTile(tile) {}

    int32_t GetWidth() const override { return kSide; }
    int32_t GetHeight() const override { return kSide; }
    /// The sample on the layer, at the style's opacity.
    void Render(Graphics::Renderer& renderer, int layer) override;

    const Logic::Tile* mTile;
};

} // namespace Velmora::Editor
