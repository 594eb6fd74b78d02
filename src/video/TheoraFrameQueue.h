#pragma once

#include "video/TheoraMutex.h"
#include "video/TheoraVideoFrame.h"

#include <list>
#include <memory>

namespace Velmora::Video {

/// A clip's ring of preallocated frames, in display order: ready frames at the front, then the
/// one being decoded, then the empty ones. Popped frames go to the back and are reused, so
/// playback allocates nothing per frame. Every operation takes the queue's lock.
class TheoraFrameQueue {
public:
    /// Shape of the frames the queue makes.
    struct FrameShape {
        int mWidth = 0;
        int mHeight = 0;
        int mStride = 0;
        int mBytesPerPixel = 3;
    };

    /// A queue of count frames of the given shape for owner.
    TheoraFrameQueue(TheoraVideoClip* owner, const FrameShape& shape, int count);

    /// Deletes every frame and makes count new, empty ones. No frame may be in use or held by
    /// the caller (a clip calls it only before its workers see it).
    void setNumPrecachedFrames(int count);
    /// Number of frames in the queue.
    int getSize();
    /// Number of decoded frames waiting to be shown.
    int getReadyCount();
    /// The first ready frame, or null. It stays in the queue until pop().
    TheoraVideoFrame* getFirstAvailableFrame();
    /// The first frame not in use, now marked in use and not ready; null when all are taken.
    TheoraVideoFrame* requestEmptyFrame();
    /// Marks a frame taken by requestEmptyFrame as ready with its time, number and iteration.
    void publishFrame(TheoraVideoFrame* frame, float time, long number, int iteration);
    /// Gives back a frame taken by requestEmptyFrame without a picture.
    void releaseFrame(TheoraVideoFrame* frame);
    /// Clears the first frame (not ready, not in use) and moves it to the back; does nothing
    /// unless the first frame is ready. The caller must not use a frame it got from
    /// getFirstAvailableFrame afterwards.
    void pop();
    /// Gives a ready frame a new display time and iteration.
    void retimeFrame(TheoraVideoFrame* frame, float time, int iteration);

private:
    TheoraVideoFrame* firstReadyLocked();

    TheoraVideoClip* mClip;
    FrameShape mShape;
    TheoraMutex mMutex;
    std::list<std::unique_ptr<TheoraVideoFrame>> mQueue;
};

} // namespace Velmora::Video
