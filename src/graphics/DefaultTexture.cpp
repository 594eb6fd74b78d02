#include "graphics/DefaultTexture.h"

#include "core/Random.h"

namespace Velmora::Graphics {

DefaultTexture::DefaultTexture() : Texture("DEFAULT", "", "", nullptr) {}

std::vector<uint8_t> DefaultTexture::GeneratePixels(Random& random) {
    std::vector<uint8_t> pixels(kSide * kSide * 4);
    for (int p = 0; p < kSide * kSide; ++p) {
        pixels[p * 4 + 0] = static_cast<uint8_t>(p);
        pixels[p * 4 + 1] = static_cast<uint8_t>((p % 3) * 127);
        pixels[p * 4 + 2] = static_cast<uint8_t>((p % 16) * 16);
        pixels[p * 4 + 3] = static_cast<uint8_t>(random.Next() & 0xFF);
    }
    return pixels;
}

bool DefaultTexture::Load() {
    ImageData image;
    // A generator of its own: a texture made while a level runs must not move the logic's.
    Random random;
    image.mPixels = GeneratePixels(random);
    image.mWidth = image.mHeight = image.mPaddedWidth = image.mPaddedHeight = kSide;
    image.mHasAlpha = true;
    SetImageSize(kSide, kSide);
    Upload(image);
    return true;
}

} // namespace Velmora::Graphics
