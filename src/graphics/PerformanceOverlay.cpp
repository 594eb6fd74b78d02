#include "graphics/PerformanceOverlay.h"

#include "debug/PerformanceManager.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/Renderer.h"

#include <algorithm>

namespace Velmora::Graphics {

namespace {

// Overlay geometry, in window pixels.
constexpr double kMargin = 4.0;
constexpr double kBarWidth = 120.0;
constexpr double kTextGap = 6.0;
constexpr int kFillLayer = 5000;
constexpr int kOutlineLayer = 5001;
constexpr int kTextLayer = 5002;
constexpr uint32_t kTimerFill = PackColor(255, 160, 0, 200);
constexpr uint32_t kCounterFill = PackColor(0, 0, 255, 255);
constexpr uint32_t kOutline = PackColor(255, 255, 255, 160);
constexpr uint32_t kTextColor = PackColor(255, 255, 255, 255);

void DrawOverlayLine(Renderer& renderer, const Font* font, double bottom, double height, double share, uint32_t fill,
                     const std::string& text) {
    const double left = kMargin;
    const double top = bottom + std::max(height - 2.0, 1.0);
    const double filled = left + kBarWidth * std::clamp(share, 0.0, 1.0);
    Batch& fills = renderer.GetBatch(kPrimitiveQuads, nullptr, kFillLayer, 1024, kBlendAlpha);
    if (filled > left) fills.AddRect(left, filled, bottom, top, fill);
    Batch& outlines = renderer.GetBatch(kPrimitiveLines, nullptr, kOutlineLayer, 2048, kBlendAlpha);
    const double right = left + kBarWidth;
    outlines.AddLine(left, bottom, right, bottom, kOutline);
    outlines.AddLine(right, bottom, right, top, kOutline);
    outlines.AddLine(right, top, left, top, kOutline);
    outlines.AddLine(left, top, left, bottom, kOutline);
    FontManager::GetInstance().DrawText(renderer, font, text, right + kTextGap, bottom, kAlignLeft, kTextLayer,
                                        kTextColor);
}

} // namespace

void PerformanceOverlay::Draw(Renderer& renderer, const Debug::PerformanceManager& perf) {
    const Font* font = FontManager::GetInstance().GetFont("console");
    Draw(renderer, perf, font, GraphicsManager::GetInstance().GetHeight() - kMargin);
}

void PerformanceOverlay::Draw(Renderer& renderer, const Debug::PerformanceManager& perf, const Font* font, double top) {
    const double lineHeight = font && font->mLineHeight > 0 ? font->mLineHeight : 12.0;
    double bottom = top - lineHeight;
    for (const Debug::PerfTimer& timer : perf.GetTimers()) {
        DrawOverlayLine(renderer, font, bottom, lineHeight, timer.mFraction, kTimerFill,
                        Debug::PerformanceManager::FormatTimer(timer));
        bottom -= lineHeight;
    }
    // Counters have no natural scale: their bars compare them with the busiest one.
    int busiest = 1;
    for (const Debug::PerfCounter& counter : perf.GetCounters()) busiest = std::max(busiest, counter.mLast);
    for (const Debug::PerfCounter& counter : perf.GetCounters()) {
        const double share = static_cast<double>(counter.mLast) / busiest;
        DrawOverlayLine(renderer, font, bottom, lineHeight, share, kCounterFill,
                        Debug::PerformanceManager::FormatCounter(counter));
        bottom -= lineHeight;
    }
}

} // namespace Velmora::Graphics
