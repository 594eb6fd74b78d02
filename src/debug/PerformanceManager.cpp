#include "debug/PerformanceManager.h"

#include "core/FrameMessages.h"

#include <time.h>

#include <algorithm>
#include <cstdio>

namespace Velmora::Debug {

namespace {

template <class... Args>
std::string Format(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<size_t>(length));
    return text;
}

// One overlay line: a bar filled to `share` (0 … 1) beside its text.
} // namespace

PerformanceManager& PerformanceManager::GetInstance() {
    static PerformanceManager* instance = new PerformanceManager();
    return *instance;
}

PerformanceManager::PerformanceManager() = default;

uint32_t PerformanceManager::Now() const {
    if (mTicks) return mTicks();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

int PerformanceManager::RegisterTimer(const std::string& name) {
    for (size_t i = 0; i < mTimers.size(); ++i) {
        if (mTimers[i].mName == name) return static_cast<int>(i) + 1;
    }
    PerfTimer timer;
    timer.mName = name;
    mTimers.push_back(timer);
    return static_cast<int>(mTimers.size());
}

int PerformanceManager::RegisterCounter(const std::string& name, bool plainRate) {
    for (size_t i = 0; i < mCounters.size(); ++i) {
        if (mCounters[i].mName == name) return static_cast<int>(i) + 1;
    }
    PerfCounter counter;
    counter.mName = name;
    counter.mPlainRate = plainRate;
    mCounters.push_back(counter);
    return static_cast<int>(mCounters.size());
}

void PerformanceManager::StartTimer(int id) {
    if (id >= 1 && id <= static_cast<int>(mTimers.size())) mTimers[id - 1].mStartMs = static_cast<int>(Now());
}

void PerformanceManager::StopTimer(int id) {
    if (id < 1 || id > static_cast<int>(mTimers.size())) return;
    PerfTimer& timer = mTimers[id - 1];
    timer.mAccumMs += static_cast<int>(Now()) - timer.mStartMs;
}

void PerformanceManager::Count(int id) {
    if (id >= 1 && id <= static_cast<int>(mCounters.size())) ++mCounters[id - 1].mCount;
}

void PerformanceManager::HandleMessage(Message& message) {
    if (const auto* update = MessageCast<MessageUpdateLoop>(message)) AddFrame(update->mDt);
}

void PerformanceManager::AddFrame(double dt) {
    mElapsed += dt;
    mFrames += 1;
    if (mElapsed <= 1.0) return;
    for (PerfTimer& timer : mTimers) {
        const double seconds = timer.mAccumMs / 1000.0;
        timer.mFraction = seconds / mElapsed;
        timer.mPerFrame = seconds / mFrames;
        timer.mAccumMs = 0;
    }
    for (PerfCounter& counter : mCounters) {
        counter.mAverage = static_cast<double>(counter.mCount) / mFrames;
        counter.mLast = counter.mCount;
        counter.mCount = 0;
    }
    mElapsed = 0.0;
    mFrames = 0;
}

std::string PerformanceManager::FormatTimer(const PerfTimer& timer) {
    return Format("%s: %.5g%% (%.5gms)", timer.mName.c_str(), timer.mFraction * 100.0, timer.mPerFrame * 1000.0);
}

std::string PerformanceManager::FormatCounter(const PerfCounter& counter) {
    if (counter.mPlainRate) return Format("%s: %i/s", counter.mName.c_str(), counter.mLast);
    return Format("%s: %.5gavg (%i/s)", counter.mName.c_str(), counter.mAverage, counter.mLast);
}

const PerfTimer* PerformanceManager::FindTimer(const std::string& name) const {
    for (const PerfTimer& timer : mTimers) {
        if (timer.mName == name) return &timer;
    }
    return nullptr;
}

const PerfCounter* PerformanceManager::FindCounter(const std::string& name) const {
    for (const PerfCounter& counter : mCounters) {
        if (counter.mName == name) return &counter;
    }
    return nullptr;
}

} // namespace Velmora::Debug
