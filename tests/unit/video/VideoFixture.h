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
    VideoLog() { TheoraVideoManager::setLogFunction(&Record); }
    ~VideoLog() {
        TheoraVideoManager::setLogFunction(nullptr);
        sLines.clear();
    }

    /// True when some line contains the text.
    bool Contains(const std::string& text) const {
        std::lock_guard<std::mutex> lock(sMutex);
        return std::any_of(sLines.begin(), sLines.end(),
                           [&](const auto& l) { return l.find(text) != std::string::npos; });
    }

private:
    static void Record(const std::string& line) {
        std::lock_guard<std::mutex> lock(sMutex);
        sLines.push_back(line);
    }
    static inline std::mutex sMutex;
    static inline std::vector<std::string> sLines;
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
