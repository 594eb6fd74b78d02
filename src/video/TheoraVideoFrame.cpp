#include "video/TheoraVideoFrame.h"

#include <cstddef>

namespace Velmora::Video {

TheoraVideoFrame::TheoraVideoFrame(TheoraVideoClip* owner, int width, int height, int stride, int bytesPerPixel)
    : mClip(owner), mWidth(width), mHeight(height), mStride(stride),
      mBuffer(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height) * static_cast<std::size_t>(bytesPerPixel), 0xFF) {}

} // namespace Velmora::Video
