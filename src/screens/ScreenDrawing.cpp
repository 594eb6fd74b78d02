#include "screens/ScreenDrawing.h"

#include "graphics/Batch.h"
#include "graphics/GraphicsManager.h"
#include "graphics/Renderer.h"
#include "graphics/Texture.h"

#include <algorithm>

namespace Velmora::Logic {

namespace {
// A few whole-window quads a frame: small batches of their own.
constexpr unsigned kScreenBatchCapacity = 64;
} // namespace

WindowSize WindowSize::Get() {
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    return {graphics.GetWidth(), graphics.GetHeight()};
}

void FillRect(Graphics::Renderer& renderer, int layer, double left, double bottom, double right, double top,
              Color color) {
    renderer.GetBatch(Graphics::kPrimitiveQuads, nullptr, layer, kScreenBatchCapacity, Graphics::kBlendAlpha)
        .AddRect(left, right, bottom, top, color.GetPacked());
}

void FillWindow(Graphics::Renderer& renderer, int layer, const WindowSize& window, Color color) {
    FillRect(renderer, layer, 0.0, 0.0, window.mWidth, window.mHeight, color);
}

void DrawPicture(Graphics::Renderer& renderer, int layer, Graphics::Texture& texture, double left, double bottom,
                 double right, double top, Color tint) {
    renderer.GetBatch(Graphics::kPrimitiveQuads, &texture, layer, kScreenBatchCapacity, Graphics::kBlendAlpha)
        .AddTexturedRect(left, right, bottom, top, 0.0, 0.0, texture.mMaxU, texture.mMaxV, tint.GetPacked());
}

void DrawPictureOverWindow(Graphics::Renderer& renderer, int layer, Graphics::Texture& texture,
                           const WindowSize& window) {
    DrawPicture(renderer, layer, texture, 0.0, 0.0, window.mWidth, window.mHeight);
}

void DrawPictureCentered(Graphics::Renderer& renderer, int layer, Graphics::Texture& texture, double centerX,
                         double centerY, double maxWidth, double maxHeight, Color tint) {
    double width = texture.mWidth;
    double height = texture.mHeight;
    if (width <= 0.0 || height <= 0.0) return;
    const double scale = std::min({1.0, maxWidth / width, maxHeight / height});
    if (!(scale > 0.0)) return;
    width *= scale;
    height *= scale;
    // Whole pixels: an unscaled picture then maps texel for texel.
    const double left = static_cast<int>(centerX - width / 2.0);
    const double bottom = static_cast<int>(centerY - height / 2.0);
    DrawPicture(renderer, layer, texture, left, bottom, left + width, bottom + height, tint);
}

} // namespace Velmora::Logic
