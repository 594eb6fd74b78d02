#include "graphics/ComponentSprite.h"

#include "core/Entity.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"
#include "graphics/Texture.h"
#include "graphics/TextureManager.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace Velmora::Graphics {

void ComponentSprite::Initialize() { mTransform = mOwner ? mOwner->GetComponent<ComponentTransform>() : nullptr; }

void ComponentSprite::Load(ValueCursor& cursor) {
    std::string image;
    cursor >> image >> mColor;
    mTexture = TextureManager::GetInstance().GetTexture(image);
}

void ComponentSprite::HandleMessage(Message& message) {
    if (const auto* render = MessageCast<MessageRender>(message)) {
        if (render->mRenderer) Draw(*render->mRenderer);
    }
}

void ComponentSprite::Draw(Renderer& renderer) const {
    if (mAlpha == 0.0 || !mTransform || !mTexture) return;
    Batch& batch = renderer.GetBatch(kPrimitiveQuads, mTexture, kLayer, kBatchCapacity, kBlendAlpha);
    // The image's top points along the direction: (0, 1) draws it upright.
    const double angle = std::atan2(mTransform->mDirection.y, mTransform->mDirection.x) - std::numbers::pi / 2.0;
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    const double halfWidth = mTexture->mWidth * 0.5 * kUnitsPerPixel;
    const double halfHeight = mTexture->mHeight * 0.5 * kUnitsPerPixel;
    // An alpha multiplier above 1 would wrap the byte around; it saturates instead.
    const double alpha = std::clamp(mColor.GetAlpha() * mAlpha, 0.0, 255.0);
    const uint32_t color = WithAlpha(mColor.GetPacked(), static_cast<uint8_t>(alpha));
    const auto corner = [&](double x, double y, double u, double v) {
        batch.AddVertex(mTransform->mPosition.x + x * cosine - y * sine,
                        mTransform->mPosition.y + x * sine + y * cosine, u, v, color);
    };
    if (batch.GetRoom() < 4) return;
    corner(-halfWidth, -halfHeight, 0.0, 1.0);
    corner(halfWidth, -halfHeight, 1.0, 1.0);
    corner(halfWidth, halfHeight, 1.0, 0.0);
    corner(-halfWidth, halfHeight, 0.0, 0.0);
}

} // namespace Velmora::Graphics
