#pragma once

#include "core/ISystem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Velmora::Debug {

/// A named stage timer: milliseconds accumulated between statistics updates.
struct PerfTimer {
    std::string mName;
    double mFraction = 0.0;  ///< share of the elapsed time in the last period
    double mPerFrame = 0.0;  ///< seconds per frame in the last period
    int mAccumMs = 0;
    int mStartMs = 0;
};

/// A named event counter.
struct PerfCounter {
    std::string mName;
    double mAverage = 0.0;  ///< count per frame in the last period
    int mLast = 0;          ///< count in the last period
    int mCount = 0;         ///< running count of this period
    bool mPlainRate = false;
};

/// Named timers and counters that code brackets its work with; once a second (on
/// MessageUpdateLoop) they become per-second figures (shown by the performance overlay).
/// Ids are 1-based; register once (a function-level static) and keep the id.
class PerformanceManager : public ISystem {
public:
    using TickSource = std::function<uint32_t()>;

    static PerformanceManager& GetInstance();
    PerformanceManager();

    /// Registers a timer, or returns the id of the timer already registered under that name.
    int RegisterTimer(const std::string& name);
    /// Registers a counter; plainRate shows "n/s" instead of an average per frame.
    int RegisterCounter(const std::string& name, bool plainRate);

    void StartTimer(int id);
    void StopTimer(int id);
    void Count(int id);

    void HandleMessage(Message& message) override;
    /// One statistics step: a frame of dt seconds.
    void AddFrame(double dt);

    /// "NAME: F% (Tms)", the share and the milliseconds per frame.
    static std::string FormatTimer(const PerfTimer& timer);
    /// "NAME: N/s" for a plain rate, otherwise "NAME: Aavg (N/s)".
    static std::string FormatCounter(const PerfCounter& counter);

    /// Replaces the millisecond clock, for tests. By default the timers read the system's
    /// coarse monotonic clock: a read costs a few nanoseconds where a precise one costs about
    /// thirty, which matters to brackets as short as one ray cast. Its few milliseconds of
    /// resolution cost no accuracy over the overlay's one-second periods: an interval is
    /// counted whole or not at all, with odds that make the sum right on average.
    void SetTickSource(TickSource source) { mTicks = std::move(source); }

    const std::vector<PerfTimer>& GetTimers() const { return mTimers; }
    const std::vector<PerfCounter>& GetCounters() const { return mCounters; }
    const PerfTimer* FindTimer(const std::string& name) const;
    const PerfCounter* FindCounter(const std::string& name) const;

    double mElapsed = 0.0;
    int mFrames = 0;

private:
    std::vector<PerfTimer> mTimers;
    std::vector<PerfCounter> mCounters;
    uint32_t Now() const;

    TickSource mTicks;  // empty: the coarse clock
};

/// Times the enclosing scope with a registered timer.
class ScopedTimer {
public:
    explicit ScopedTimer(int id) : mId(id) { PerformanceManager::GetInstance().StartTimer(id); }
    ~ScopedTimer() { PerformanceManager::GetInstance().StopTimer(mId); }
    ScopedTimer(const ScopedTimer&) = delete;
    ScopedTimer& operator=(const ScopedTimer&) = delete;

private:
    int mId;
};

} // namespace Velmora::Debug
