#include "debug/PerformanceManager.h"

#include <gtest/gtest.h>

namespace Velmora::Debug {
namespace {

TEST(PerformanceManager, StageTimedFiveMsInEachOfHundredFramesOverOnePointTwoSeconds) {
    PerformanceManager perf;
    uint32_t now = 0;
    perf.SetTickSource([&now] { return now; });
    const int timer = perf.RegisterTimer("Game Logic");
    const int counter = perf.RegisterCounter("Logical Ticks", false);
    for (int frame = 0; frame < 100; ++frame) {
        perf.StartTimer(timer);
        now += 5;
        perf.StopTimer(timer);
        perf.Count(counter);
        perf.Count(counter);
        perf.AddFrame(frame == 99 ? 1.2 - 99 * 0.01 : 0.01);
    }
    const PerfTimer& stats = perf.GetTimers()[timer - 1];
    EXPECT_NEAR(stats.mFraction * 100.0, 41.667, 0.001);
    EXPECT_NEAR(stats.mPerFrame * 1000.0, 5.0, 1e-9);
    EXPECT_EQ(stats.mAccumMs, 0);
    const PerfCounter& ticks = perf.GetCounters()[counter - 1];
    EXPECT_DOUBLE_EQ(ticks.mAverage, 2.0);
    EXPECT_EQ(ticks.mLast, 200);
}

TEST(PerformanceManager, NoStatisticsUntilMoreThanASecondHasPassed) {
    PerformanceManager perf;
    const int counter = perf.RegisterCounter("Frames per Second", true);
    perf.Count(counter);
    perf.AddFrame(0.5);
    perf.AddFrame(0.5); // exactly 1.0 is not "more than a second"
    EXPECT_EQ(perf.GetCounters()[0].mLast, 0);
    perf.AddFrame(0.001);
    EXPECT_EQ(perf.GetCounters()[0].mLast, 1);
}

TEST(PerformanceManager, IdsAreOneBasedAndANameIsRegisteredOnce) {
    PerformanceManager perf;
    EXPECT_EQ(perf.RegisterTimer("Rendering Time"), 1);
    EXPECT_EQ(perf.RegisterTimer("Buffer Swap"), 2);
    EXPECT_EQ(perf.RegisterTimer("Rendering Time"), 1);
    EXPECT_EQ(perf.RegisterCounter("Ray Collisions", false), 1);
    perf.StartTimer(0); // unknown ids are ignored
    perf.StopTimer(99);
    perf.Count(-1);
}

} // namespace
} // namespace Velmora::Debug
