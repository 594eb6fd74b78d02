#include "video/TheoraThread.h"

namespace Velmora::Video {

TheoraThread::~TheoraThread() { join(); }

void TheoraThread::start() {
    if (mThread.joinable()) return;
    mRunning.store(true);
    mThread = std::thread([this] { executeThread(); });
}

void TheoraThread::join() {
    requestStop();
    if (mThread.joinable()) mThread.join();
}

} // namespace Velmora::Video
