#include "video/TheoraWorkSignal.h"

namespace Velmora::Video {

std::uint64_t TheoraWorkSignal::generation() {
    std::lock_guard<std::mutex> lock(mMutex);
    return mGeneration;
}

void TheoraWorkSignal::notify() {
    {
        std::lock_guard<std::mutex> lock(mMutex);
        ++mGeneration;
    }
    mCondition.notify_all();
}

void TheoraWorkSignal::waitFor(std::uint64_t seen, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mMutex);
    mCondition.wait_for(lock, timeout, [&] { return mGeneration != seen; });
}

} // namespace Velmora::Video
