#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace Velmora::Video {

/// Wakes idle workers when there may be new work: a frame slot was freed, a clip was added or
/// the workers are asked to stop. A generation counter makes a notification that arrives
/// between a worker's look for work and its wait count, so no wake-up is lost.
class TheoraWorkSignal {
public:
    /// The current generation; read it before looking for work and pass it to waitFor.
    std::uint64_t generation();
    /// Starts a new generation and wakes every waiting worker.
    void notify();
    /// Blocks until the generation differs from seen, or timeout passes (a safety net only).
    void waitFor(std::uint64_t seen, std::chrono::milliseconds timeout);

private:
    std::mutex mMutex;
    std::condition_variable mCondition;
    std::uint64_t mGeneration = 0;
};

} // namespace Velmora::Video
