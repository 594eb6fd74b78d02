#include "graphics/VideoMode.h"

#include <gtest/gtest.h>

namespace Velmora::Graphics {
namespace {

using Modes = std::vector<VideoMode>;

TEST(VideoModes, SmallDesktopOffersOnlyTheWindowsThatFit) {
    EXPECT_EQ(FilterWindowedModes(1280, 800), (Modes{{1280, 800, false}, {1024, 768, false}, {800, 600, false}}));
    EXPECT_EQ(FilterWindowedModes(1920, 1200).front(), (VideoMode{1440, 900, false}));
    // A desktop below the smallest candidate leaves nothing to choose.
    EXPECT_TRUE(FilterWindowedModes(640, 480).empty());
}

TEST(VideoModes, FullScreenModesClosestAspectFirstThenLargest) {
    const Modes offered{{1280, 1024, false}, {1280, 960, false}, {640, 480, false}, {1600, 1200, false},
                        {800, 600, false},   {1280, 800, false}, {1024, 600, false}};
    const Modes sorted = SortFullscreenModes(offered, 1600, 1200);
    // 4:3 first by size, then 5:4, then 16:10, then the wider 1024×600; 640×480 is too small.
    EXPECT_EQ(sorted,
              (Modes{{1600, 1200, true},
                     {1280, 960, true},
                     {800, 600, true},
                     {1280, 1024, true},
                     {1280, 800, true},
                     {1024, 600, true}}));
}

TEST(VideoModes, EqualAspectsOrderByWidthThenHeight) {
    // Under single precision 1280/800 and 1440/900 are the same ratio; 1680/1050 too.
    const Modes sorted = SortFullscreenModes({{1280, 800}, {1680, 1050}, {1440, 900}}, 1280, 800);
    EXPECT_EQ(sorted, (Modes{{1680, 1050, true}, {1440, 900, true}, {1280, 800, true}}));
    // Same width, aspects 1.5 and 0.5 equally far from a square desktop: the taller first.
    const Modes tie = SortFullscreenModes({{1200, 800}, {1000, 1000}, {1200, 2400}}, 1000, 1000);
    EXPECT_EQ(tie, (Modes{{1000, 1000, true}, {1200, 2400, true}, {1200, 800, true}}));
}

TEST(VideoModes, ToggleTakesTheFirstCandidateOrTheDesktop) {
    EXPECT_EQ(ChooseToggleMode({{1024, 768, false}}, 1280, 800), (VideoMode{1024, 768, false}));
    EXPECT_EQ(ChooseToggleMode({}, 1280, 800), (VideoMode{1280, 800, true}));
}

TEST(VideoModes, StartModeKeepsASavedModeTheDisplayCanShowElseTheBest) {
    const Modes fullscreen{{1280, 800, true}, {1024, 768, true}};
    const Modes windowed{{1280, 800, false}, {1024, 768, false}};
    const VideoMode savedFull{1024, 768, true};
    const VideoMode lostFull{1920, 1080, true};
    const VideoMode savedWindow{900, 700, false};
    const VideoMode hugeWindow{4000, 3000, false};
    const VideoMode tinyWindow{320, 200, false};
    struct Case {
        const VideoMode* saved;
        const Modes& fullscreenModes;
        VideoMode expected;
    };
    const Modes none;
    const Case cases[] = {
        {nullptr, fullscreen, {1280, 800, true}}, // first start: the best full-screen mode
        {nullptr, none, {1280, 800, true}},       // any size: the desktop's
        {&savedFull, fullscreen, savedFull},
        {&lostFull, fullscreen, {1280, 800, true}}, // the display lost that size
        {&savedFull, none, savedFull},              // any size that fits
        {&savedWindow, fullscreen, savedWindow},
        {&hugeWindow, fullscreen, {1280, 800, false}}, // larger than the desktop
        {&tinyWindow, fullscreen, {1280, 800, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseStartMode(c.saved, c.fullscreenModes, windowed, 1280, 800), c.expected)
            << (c.saved ? c.saved->mWidth : 0);
    }
}

} // namespace
} // namespace Velmora::Graphics
