#pragma once

#include "graphics/Texture.h"

#include <cstdint>
#include <string>

namespace Velmora::Graphics {

/// A texture whose picture comes from memory and changes while it is shown (the frames of a
/// movie). It keeps a copy of the latest picture, so when the texture manager reloads every
/// texture after a video mode change it comes back showing the same frame. RGB, linear
/// filtering, padded to power-of-two sides like every texture.
class FrameTexture : public Texture {
public:
    /// name: the name it is registered under with the texture manager.
    explicit FrameTexture(std::string name);

    /// Starts a picture of width × height pixels, all black, and uploads it when a GL context
    /// exists. False (and nothing changed) when a side is outside 1 … kMaxImageSide.
    bool SetSize(int width, int height);
    /// Replaces the picture with RGB bytes: mHeight rows, top row first, stride pixels apart
    /// (stride ≥ mWidth), and uploads the change. Ignored before SetSize.
    void SetPixels(const uint8_t* rgb, int stride);
    /// Uploads the kept picture again (after a mode change); false while there is none.
    bool Load() override;
    /// Forgets the picture and deletes the GL texture; SetSize starts again.
    void Clear();

    /// How many pictures SetPixels has taken since SetSize.
    long GetPictureCount() const { return mPictureCount; }
    /// The kept picture, padded (for tests).
    const ImageData& GetImage() const { return mImage; }

private:
    ImageData mImage;
    long mPictureCount = 0;
};

} // namespace Velmora::Graphics
