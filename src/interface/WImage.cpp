#include "interface/WImage.h"

#include "graphics/Batch.h"
#include "graphics/Renderer.h"
#include "graphics/TextureManager.h"
#include "interface/WidgetDrawing.h"

namespace Velmora::Interface {

namespace {
constexpr unsigned kImageBatchCapacity = 256;
}

WImage::WImage(const std::string& name, int32_t width, int32_t height)
    : mTexture(Graphics::TextureManager::GetInstance().GetTexture(name)), mWidth(width), mHeight(height) {}

WImage::WImage(Graphics::Texture* texture, int32_t width, int32_t height)
    : mTexture(texture), mWidth(width), mHeight(height) {}

int32_t WImage::GetWidth() const {
    if (mWidth != -1) return mWidth;
    return mTexture ? mTexture->mWidth : 0;
}

int32_t WImage::GetHeight() const {
    if (mHeight != -1) return mHeight;
    return mTexture ? mTexture->mHeight : 0;
}

void WImage::Render(Graphics::Renderer& renderer, int layer) {
    if (!mTexture) return;
    const Style style = GetEffectiveStyle(*this);
    if (!(style.mAlpha > 0.0)) return;
    const double left = GetAbsoluteX();
    const double bottom = GetAbsoluteY();
    renderer.GetBatch(Graphics::kPrimitiveQuads, mTexture, layer, kImageBatchCapacity, Graphics::kBlendAlpha)
        .AddTexturedRect(left, left + mTexture->mWidth, bottom, bottom + mTexture->mHeight, 0.0, 0.0, mTexture->mMaxU,
                         mTexture->mMaxV, WithOpacity(Style::kWhite, style.mAlpha));
}

} // namespace Velmora::Interface
