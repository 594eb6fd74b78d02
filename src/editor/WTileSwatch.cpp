#include "editor/WTileSwatch.h"

#include "graphics/Batch.h"
#include "graphics/Renderer.h"
#include "graphics/Texture.h"
#include "interface/Style.h"
#include "interface/WidgetDrawing.h"
#include "world/Tile.h"

namespace Velmora::Editor {

namespace {

constexpr unsigned kBatchQuads = 16;

// The first of the 16 variants of a grouped tile's sheet, inset like the level's frames.
constexpr double kVariantLow = 0.0078125;
constexpr double kVariantHigh = 0.2421875;

} // namespace

void WTileSwatch::Render(Graphics::Renderer& renderer, int layer) {
    if (!mTile) return;
    const Interface::Style style = Interface::GetEffectiveStyle(*this);
    if (!(style.mAlpha > 0.0)) return;
    const double left = GetAbsoluteX();
    const double bottom = GetAbsoluteY();
    const uint32_t color = Interface::WithOpacity(mTile->mColor, style.mAlpha);
    Graphics::Texture* texture = mTile->mTexture;
    Graphics::Batch& batch =
        renderer.GetBatch(Graphics::kPrimitiveQuads, texture, layer, kBatchQuads, Graphics::kBlendAlpha);
    if (!texture) {
        batch.AddRect(left, left + kSide, bottom, bottom + kSide, color);
        return;
    }
    const bool grouped = mTile->mGroup != 0;
    const double u0 = (grouped ? kVariantLow : 0.0) * texture->mMaxU;
    const double u1 = (grouped ? kVariantHigh : 1.0) * texture->mMaxU;
    const double v0 = (grouped ? kVariantLow : 0.0) * texture->mMaxV;
    const double v1 = (grouped ? kVariantHigh : 1.0) * texture->mMaxV;
    batch.AddTexturedRect(left, left + kSide, bottom, bottom + kSide, u0, v0, u1, v1, color);
}

} // namespace Velmora::Editor
