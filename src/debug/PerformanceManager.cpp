#include "debug/PerformanceManager.h"

#include "core/FrameMessages.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/Renderer.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

namespace Velmora::Debug {

namespace {

// Overlay geometry, in window pixels.
constexpr double kMargin = 4.0;
constexpr double kBarWidth = 120.0;
constexpr double kTextGap = 6.0;
constexpr int kFillLayer = 5000;
constexpr int kOutlineLayer = 5001;
constexpr int kTextLayer = 5002;
constexpr uint32_t kTimerFill = Graphics::PackColor(255, 160, 0, 200);
constexpr uint32_t kCounterFill = Graphics::PackColor(0, 0, 255, 255);
constexpr uint32_t kOutline = Graphics::PackColor(255, 255, 255, 160);
constexpr uint32_t kTextColor = Graphics::PackColor(255, 255, 255, 255);

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
void DrawOverlayLine(Graphics::Renderer& renderer, const Graphics::Font* font, double bottom, double height,
                     double share, uint32_t fill, const std::string& text) {
    const double left = kMargin;
    const double top = bottom + std::max(height - 2.0, 1.0);
    const double filled = left + kBarWidth * std::clamp(share, 0.0, 1.0);
    Graphics::Batch& fills = renderer.GetBatch(Graphics::kPrimitiveQuads, nullptr, kFillLayer, 1024, Graphics::kBlendAlpha);
    if (filled > left) fills.AddRect(left, filled, bottom, top, fill);
    Graphics::Batch& outlines =
        renderer.GetBatch(Graphics::kPrimitiveLines, nullptr, kOutlineLayer, 2048, Graphics::kBlendAlpha);
    const double right = left + kBarWidth;
    outlines.AddLine(left, bottom, right, bottom, kOutline);
    outlines.AddLine(right, bottom, right, top, kOutline);
    outlines.AddLine(right, top, left, top, kOutline);
    outlines.AddLine(left, top, left, bottom, kOutline);
    Graphics::FontManager::GetInstance().DrawText(renderer, font, text, right + kTextGap, bottom, Graphics::kAlignLeft,
                                                  kTextLayer, kTextColor);
}

} // namespace

PerformanceManager& PerformanceManager::GetInstance() {
    static PerformanceManager* instance = new PerformanceManager();
    return *instance;
}

PerformanceManager::PerformanceManager() : mTicks([] { return static_cast<uint32_t>(SDL_GetTicks()); }) {}

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
    if (id >= 1 && id <= static_cast<int>(mTimers.size())) mTimers[id - 1].mStartMs = static_cast<int>(mTicks());
}

void PerformanceManager::StopTimer(int id) {
    if (id < 1 || id > static_cast<int>(mTimers.size())) return;
    PerfTimer& timer = mTimers[id - 1];
    timer.mAccumMs += static_cast<int>(mTicks()) - timer.mStartMs;
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

void PerformanceManager::DrawOverlay(Graphics::Renderer& renderer) const {
    const Graphics::Font* font = Graphics::FontManager::GetInstance().GetFont("console");
    DrawOverlay(renderer, font, Graphics::GraphicsManager::GetInstance().GetHeight() - kMargin);
}

void PerformanceManager::DrawOverlay(Graphics::Renderer& renderer, const Graphics::Font* font, double top) const {
    const double lineHeight = font && font->mLineHeight > 0 ? font->mLineHeight : 12.0;
    double bottom = top - lineHeight;
    for (const PerfTimer& timer : mTimers) {
        DrawOverlayLine(renderer, font, bottom, lineHeight, timer.mFraction, kTimerFill, FormatTimer(timer));
        bottom -= lineHeight;
    }
    // Counters have no natural scale: their bars compare them with the busiest one.
    int busiest = 1;
    for (const PerfCounter& counter : mCounters) busiest = std::max(busiest, counter.mLast);
    for (const PerfCounter& counter : mCounters) {
        const double share = static_cast<double>(counter.mLast) / busiest;
        DrawOverlayLine(renderer, font, bottom, lineHeight, share, kCounterFill, FormatCounter(counter));
        bottom -= lineHeight;
    }
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
