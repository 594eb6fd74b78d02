#pragma once

#include <cstdint>
#include <vector>

namespace Velmora::Video {

class TheoraVideoClip;

/// One decoded picture in a clip's frame queue. Frames are made once and recycled. The queue's
/// lock guards the timing and state fields; the pixels are written by the one worker that holds
/// the frame in use and read by the caller only while the frame is ready.
class TheoraVideoFrame {
public:
    /// A frame of stride × height pixels of bytesPerPixel bytes, every byte 0xFF.
    TheoraVideoFrame(TheoraVideoClip* owner, int width, int height, int stride, int bytesPerPixel);

    /// The pixels: getHeight() rows of getStride() × bytes-per-pixel bytes, top row first.
    std::uint8_t* getBuffer() { return mBuffer.data(); }
    /// The pixels, read only.
    const std::uint8_t* getBuffer() const { return mBuffer.data(); }
    /// Picture width in pixels (at most the stride).
    int getWidth() const { return mWidth; }
    /// Picture height in pixels.
    int getHeight() const { return mHeight; }
    /// Pixels per row of the buffer.
    int getStride() const { return mStride; }
    /// Frame number in the stream, counted from 0.
    long getFrameNumber() const { return mFrameNumber; }
    /// The clip the frame belongs to.
    TheoraVideoClip* getClip() const { return mClip; }

    /// Clip time in seconds at which the frame is shown (the end of its slot in the stream).
    float mTimeToDisplay = 0.0f;
    /// Decoded and waiting to be shown.
    bool mReady = false;
    /// Taken by a decoder, or decoded and not yet popped.
    bool mInUse = false;
    /// The pass through the file (0 or 1) the frame belongs to, for auto-restarting clips.
    int mIteration = 0;
    /// See getFrameNumber.
    long mFrameNumber = 0;

private:
    TheoraVideoClip* mClip;
    int mWidth;
    int mHeight;
    int mStride;
    std::vector<std::uint8_t> mBuffer;
};

} // namespace Velmora::Video
