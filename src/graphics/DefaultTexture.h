#pragma once

#include "graphics/Texture.h"

#include <vector>

namespace Velmora {
class Random;
}

namespace Velmora::Graphics {

/// The stand-in for every image that fails to load: a generated 16×16 pattern with noisy
/// alpha, visibly wrong so the missing file is noticed.
class DefaultTexture : public Texture {
public:
    static constexpr int kSide = 16;

    DefaultTexture();

    /// Generates the pattern (with fresh noise from the game's generator) and uploads it.
    bool Load() override;

    /// The RGBA bytes of the pattern, row-major: pixel p has red p, green (p mod 3) × 127,
    /// blue (p mod 16) × 16 and a pseudo-random alpha from the generator.
    static std::vector<uint8_t> GeneratePixels(Random& random);
};

} // namespace Velmora::Graphics
