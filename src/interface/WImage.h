#pragma once

#include "interface/Widget.h"

#include <string>

namespace Velmora::Graphics {
class Texture;
}

namespace Velmora::Interface {

/// A texture drawn unscaled at the widget's position, at the style's opacity.
/// Size: the given width and height, or the texture's where they are −1.
class WImage : public Widget {
public:
    /// The named image of the texture manager; width, height in pixels (−1: the texture's).
    explicit WImage(const std::string& name, int32_t width = -1, int32_t height = -1);
    /// A given texture (not owned; null draws nothing).
    WImage(Graphics::Texture* texture, int32_t width, int32_t height);

    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    /// The texture at its own size, on the layer.
    void Render(Graphics::Renderer& renderer, int layer) override;

    Graphics::Texture* mTexture;
    int32_t mWidth;
    int32_t mHeight;
};

} // namespace Velmora::Interface
