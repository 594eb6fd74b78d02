#include "video/TheoraWorkerThread.h"

#include "video/TheoraVideoClip.h"
#include "video/TheoraVideoManager.h"
#include "video/TheoraWorkSignal.h"

namespace Velmora::Video {

namespace {

// Only a safety net: every change that can make new work wakes the workers at once.
constexpr std::chrono::milliseconds kIdleWait{250};

} // namespace

TheoraWorkerThread::TheoraWorkerThread(TheoraVideoManager& manager) : mManager(manager) {}

TheoraWorkerThread::~TheoraWorkerThread() {
    requestStop();
    mManager.getWorkSignal().notify();
    join();
}

void TheoraWorkerThread::executeThread() {
    TheoraWorkSignal& signal = mManager.getWorkSignal();
    while (isRunning()) {
        // Taken before looking, so a wake-up that comes while we look is not missed.
        const std::uint64_t seen = signal.generation();
        TheoraVideoClip* clip = mManager.requestWork(this);
        bool decoded = false;
        if (clip) {
            mClip.store(clip);
            decoded = clip->decodeNextFrame();
            mClip.store(nullptr);
            // The last touch of the clip: from here on it may be destroyed.
            clip->setAssignedWorker(nullptr);
        }
        if (!decoded) signal.waitFor(seen, kIdleWait);
    }
}

} // namespace Velmora::Video
