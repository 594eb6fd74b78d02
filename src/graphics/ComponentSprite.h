#pragma once

#include "core/Color.h"
#include "core/Component.h"
#include "core/TComponent.h"

namespace Velmora::Graphics {

class ComponentTransform;
class Renderer;
class Texture;

/// A textured quad drawn at the entity's transform on every world pass, the top of the image
/// pointing along the transform's direction. Data: the image file name (a string), then a
/// colour (absent: opaque white).
class ComponentSprite : public Component, public TComponent<ComponentSprite> {
    VELMORA_COMPONENT(ComponentSprite)
public:
    /// Layer and batch capacity of sprites.
    static constexpr int kLayer = 800;
    static constexpr unsigned kBatchCapacity = 1024;
    /// World units per texture pixel (a tile of 32 units is about 107 pixels of image).
    static constexpr double kUnitsPerPixel = 0.3;

    explicit ComponentSprite(Entity* owner) : Component(owner) {}

    /// Finds the transform of the same entity.
    void Initialize() override;
    /// Reads the image name (its texture is fetched at once) and the colour.
    void Load(ValueCursor& cursor) override;
    /// Draws on Graphics::MessageRender.
    void HandleMessage(Message& message) override;
    /// Adds the sprite's quad to the renderer (layer 800, alpha blending). Nothing when mAlpha
    /// is 0 or the entity has no transform or the sprite no texture.
    void Draw(Renderer& renderer) const;

    ComponentTransform* mTransform = nullptr; ///< of the same entity; not owned
    Texture* mTexture = nullptr;              ///< owned by the texture manager
    Color mColor;                             ///< opaque white by default
    double mAlpha = 1.0;                      ///< multiplies the colour's alpha (0 … 1)
};

} // namespace Velmora::Graphics
