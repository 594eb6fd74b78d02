#include "screens/VideoLog.h"

#include "core/LogRecord.h"
#include "video/TheoraVideoManager.h"

#include <deque>
#include <mutex>
#include <string>

namespace Velmora::Logic {

namespace {

// A stalled main thread must not let a chatty player grow the queue without end.
constexpr size_t kMaxWaitingLines = 256;

struct WaitingLines {
    std::mutex mMutex;
    std::deque<std::string> mLines;
    size_t mDropped = 0;
};

// Never destroyed: a worker of a movie still open when the program exits may log during exit.
WaitingLines& Waiting() {
    static auto* waiting = new WaitingLines;
    return *waiting;
}

void Enqueue(const std::string& line) {
    WaitingLines& waiting = Waiting();
    std::lock_guard<std::mutex> lock(waiting.mMutex);
    if (waiting.mLines.size() >= kMaxWaitingLines) {
        ++waiting.mDropped;
        return;
    }
    waiting.mLines.push_back(line);
}

} // namespace

void VideoLog::Install() { Video::TheoraVideoManager::setLogFunction(&Enqueue); }

void VideoLog::Flush() {
    std::deque<std::string> lines;
    size_t dropped = 0;
    {
        WaitingLines& waiting = Waiting();
        std::lock_guard<std::mutex> lock(waiting.mMutex);
        lines.swap(waiting.mLines);
        std::swap(dropped, waiting.mDropped);
    }
    for (const std::string& line : lines) VELMORA_LOG("VIDEO") << line;
    if (dropped > 0) VELMORA_LOG("VIDEO") << dropped << " more lines were not logged";
}

void VideoLog::Uninstall() {
    Video::TheoraVideoManager::setLogFunction(nullptr);
    Flush();
}

} // namespace Velmora::Logic
