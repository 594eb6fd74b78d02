#include "video/TheoraFrameQueue.h"

namespace Velmora::Video {

TheoraFrameQueue::TheoraFrameQueue(TheoraVideoClip* owner, const FrameShape& shape, int count)
    : mClip(owner), mShape(shape) {
    setNumPrecachedFrames(count);
}

void TheoraFrameQueue::setNumPrecachedFrames(int count) {
    TheoraScopedLock lock(mMutex);
    mQueue.clear();
    for (int i = 0; i < count; ++i) {
        mQueue.push_back(std::make_unique<TheoraVideoFrame>(mClip, mShape.mWidth, mShape.mHeight, mShape.mStride,
                                                            mShape.mBytesPerPixel));
    }
}

int TheoraFrameQueue::getSize() {
    TheoraScopedLock lock(mMutex);
    return static_cast<int>(mQueue.size());
}

int TheoraFrameQueue::getReadyCount() {
    TheoraScopedLock lock(mMutex);
    int count = 0;
    for (const auto& frame : mQueue) count += frame->mReady ? 1 : 0;
    return count;
}

TheoraVideoFrame* TheoraFrameQueue::firstReadyLocked() {
    for (const auto& frame : mQueue) {
        if (frame->mReady) return frame.get();
    }
    return nullptr;
}

TheoraVideoFrame* TheoraFrameQueue::getFirstAvailableFrame() {
    TheoraScopedLock lock(mMutex);
    return firstReadyLocked();
}

TheoraVideoFrame* TheoraFrameQueue::requestEmptyFrame() {
    TheoraScopedLock lock(mMutex);
    for (const auto& frame : mQueue) {
        if (frame->mInUse) continue;
        frame->mInUse = true;
        frame->mReady = false;
        return frame.get();
    }
    return nullptr;
}

void TheoraFrameQueue::publishFrame(TheoraVideoFrame* frame, float time, long number, int iteration) {
    TheoraScopedLock lock(mMutex);
    frame->mTimeToDisplay = time;
    frame->mFrameNumber = number;
    frame->mIteration = iteration;
    frame->mReady = true;
}

void TheoraFrameQueue::releaseFrame(TheoraVideoFrame* frame) {
    TheoraScopedLock lock(mMutex);
    frame->mInUse = false;
    frame->mReady = false;
}

void TheoraFrameQueue::pop() {
    TheoraScopedLock lock(mMutex);
    // Only a shown frame leaves: the front one is being decoded when none is ready.
    if (mQueue.empty() || !mQueue.front()->mReady) return;
    mQueue.front()->mReady = false;
    mQueue.front()->mInUse = false;
    mQueue.splice(mQueue.end(), mQueue, mQueue.begin());
}

void TheoraFrameQueue::retimeFrame(TheoraVideoFrame* frame, float time, int iteration) {
    TheoraScopedLock lock(mMutex);
    frame->mTimeToDisplay = time;
    frame->mIteration = iteration;
}

} // namespace Velmora::Video
