#pragma once

#include "unit/video/TestClip.h"
#include "video/TheoraMemoryFileDataSource.h"
#include "video/TheoraVideoClip.h"
#include "video/TheoraVideoManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace Velmora::Video::Tests {

/// Collects the player's log lines (from any thread) while alive.
class VideoLog {
public:
    VideoLog() {
        Lines().clear();
        TheoraVideoManager::setLogFunction(&Record);
    }
    ~VideoLog() { TheoraVideoManager::setLogFunction(nullptr); }

    /// True when some line contains the text.
    bool Contains(const std::string& text) const {
        std::lock_guard<std::mutex> lock(Mutex());
        return std::any_of(Lines().begin(), Lines().end(), [&](const auto& l) { return l.find(text) != std::string::npos; });
    }

private:
    static std::vector<std::string>& Lines() {
        static std::vector<std::string> lines;
        return lines;
    }
    static std::mutex& Mutex() {
        static std::mutex mutex;
        return mutex;
    }
    static void Record(const std::string& line) {
        std::lock_guard<std::mutex> lock(Mutex());
        Lines().push_back(line);
    }
};

/// A manager with the given number of workers (0: the test decodes on its own thread) and its log.
class VideoTest : public ::testing::Test {
protected:
    explicit VideoTest(int workers = 0) : mManager(workers) {}

    /// A clip of the given shape held in memory.
    TheoraVideoClip* Open(const ClipSpec& spec, int precached = 0, bool power2 = false) {
        return Open(EncodeClip(spec), "clip.ogg", precached, power2);
    }
    TheoraVideoClip* Open(const std::vector<std::uint8_t>& bytes, const std::string& name, int precached = 0,
                          bool power2 = false) {
        auto source = std::make_unique<TheoraMemoryFileDataSource>(bytes, name);
        return mManager.createVideoClip(std::move(source), TheoraOutputMode::Rgb, precached, power2);
    }
    /// Fills the queue of a clip on this thread; returns the number of frames made ready.
    static int DecodeAhead(TheoraVideoClip& clip, int count) {
        int ready = 0;
        while (ready < count && clip.decodeNextFrame()) ++ready;
        return ready;
    }

    VideoLog mLog;
    TheoraVideoManager mManager;
};

} // namespace Velmora::Video::Tests
