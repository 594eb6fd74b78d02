#include "debug/PerformanceManager.h"
#include "graphics/Font.h"
#include "graphics/PerformanceOverlay.h"
#include "graphics/Renderer.h"
#include "support/GraphicsFixtures.h"

#include <gtest/gtest.h>

namespace Velmora::Debug {
namespace {

TEST(PerformanceOverlay, TextFormats) {
    PerfTimer timer;
    timer.mName = "Game Logic";
    timer.mFraction = 5.0 / 12.0;
    timer.mPerFrame = 0.005;
    EXPECT_EQ(PerformanceManager::FormatTimer(timer), "Game Logic: 41.667% (5ms)");
    timer.mFraction = 0.0;
    timer.mPerFrame = 0.0123456;
    EXPECT_EQ(PerformanceManager::FormatTimer(timer), "Game Logic: 0% (12.346ms)");

    PerfCounter fps;
    fps.mName = "Frames per Second";
    fps.mPlainRate = true;
    fps.mLast = 60;
    fps.mAverage = 1.0;
    EXPECT_EQ(PerformanceManager::FormatCounter(fps), "Frames per Second: 60/s");
    PerfCounter rays;
    rays.mName = "Ray Collisions";
    rays.mLast = 1234;
    rays.mAverage = 20.5666666;
    EXPECT_EQ(PerformanceManager::FormatCounter(rays), "Ray Collisions: 20.567avg (1234/s)");
    // A name that could be read as a format is printed as it is.
    rays.mName = "%s%n%d";
    EXPECT_EQ(PerformanceManager::FormatCounter(rays), "%s%n%d: 20.567avg (1234/s)");
}

TEST(PerformanceOverlay, OneLinePerStatisticFromTheTopDown) {
    PerformanceManager perf;
    uint32_t now = 0;
    perf.SetTickSource([&now] { return now; });
    const int busy = perf.RegisterTimer("AV");
    perf.RegisterTimer("Idle");
    const int frames = perf.RegisterCounter("Frames per Second", true);
    perf.StartTimer(busy);
    now += 3000; // longer than the period: the bar is clamped to full
    perf.StopTimer(busy);
    perf.Count(frames);
    perf.AddFrame(1.5);

    Graphics::Font font;
    font.Parse(Tests::FixtureFontDescription(), 64, 32);
    Graphics::Renderer renderer([](const Graphics::Batch&) {});
    Graphics::PerformanceOverlay::Draw(renderer, perf, &font, 800.0);

    std::map<int, const Graphics::Batch*> byLayer;
    for (const auto& [key, batch] : renderer.GetBatches()) byLayer[key.mLayer] = batch.get();
    ASSERT_EQ(byLayer.size(), 3u);
    // Fills: the busy timer and the counter; the idle timer has an empty bar.
    const Graphics::Batch& fills = *byLayer.at(5000);
    ASSERT_EQ(fills.mCount, 8u);
    EXPECT_EQ(fills.GetVertices()[1].mX - fills.GetVertices()[0].mX,
              fills.GetVertices()[5].mX - fills.GetVertices()[4].mX);
    EXPECT_EQ(fills.GetVertices()[4].mBlue, 255); // counters: opaque blue
    EXPECT_EQ(fills.GetVertices()[4].mAlpha, 255);
    EXPECT_GT(fills.GetVertices()[0].mY, fills.GetVertices()[4].mY); // timers above counters
    EXPECT_LE(fills.GetVertices()[2].mY, 800.0);
    // Outlines: four lines per statistic.
    EXPECT_EQ(byLayer.at(5001)->mCount, 3u * 8u);
    EXPECT_EQ(byLayer.at(5001)->mPrimitive, Graphics::kPrimitiveLines);
    // Text: the fixture font has glyphs for 'A' and 'V' only, so the busy timer's name is what shows.
    EXPECT_EQ(byLayer.at(5002)->mCount, 8u);
    EXPECT_EQ(byLayer.at(5002)->GetVertices()[0].mY, fills.GetVertices()[0].mY);
}

} // namespace
} // namespace Velmora::Debug
