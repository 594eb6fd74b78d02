#include "graphics/FrameTexture.h"

#include "graphics/GlContext.h"

#include <GL/glew.h>

#include <cstring>
#include <utility>

namespace Velmora::Graphics {

namespace {
constexpr int kBytesPerPixel = 3;
}

FrameTexture::FrameTexture(std::string name) : Texture(std::move(name), "", "", nullptr) {}

bool FrameTexture::SetSize(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) return false;
    SetImageSize(width, height);
    mImage.mWidth = width;
    mImage.mHeight = height;
    mImage.mPaddedWidth = mPaddedWidth;
    mImage.mPaddedHeight = mPaddedHeight;
    mImage.mHasAlpha = false;
    mImage.mPixels.assign(static_cast<size_t>(mPaddedWidth) * mPaddedHeight * kBytesPerPixel, 0);
    mPictureCount = 0;
    Upload(mImage);
    return true;
}

void FrameTexture::SetPixels(const uint8_t* rgb, int stride) {
    if (mImage.mPixels.empty() || rgb == nullptr || stride < mImage.mWidth) return;
    const size_t rowBytes = static_cast<size_t>(mImage.mWidth) * kBytesPerPixel;
    const size_t sourceStride = static_cast<size_t>(stride) * kBytesPerPixel;
    const size_t targetStride = static_cast<size_t>(mImage.mPaddedWidth) * kBytesPerPixel;
    for (int row = 0; row < mImage.mHeight; ++row) {
        std::memcpy(&mImage.mPixels[row * targetStride], rgb + row * sourceStride, rowBytes);
    }
    ++mPictureCount;
    if (mGlId == 0 || !HasGlContext()) return;
    // Only the picture's corner changes; the padding stays as the first upload left it.
    glBindTexture(GL_TEXTURE_2D, mGlId);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, mImage.mPaddedWidth);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, mImage.mWidth, mImage.mHeight, GL_RGB, GL_UNSIGNED_BYTE,
                    mImage.mPixels.data());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool FrameTexture::Load() {
    if (mImage.mPixels.empty()) return false;
    Upload(mImage);
    return true;
}

void FrameTexture::Clear() {
    Release();
    mImage = ImageData();
    mPictureCount = 0;
}

} // namespace Velmora::Graphics
