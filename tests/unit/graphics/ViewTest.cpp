#include "graphics/View.h"

#include <gtest/gtest.h>

namespace Velmora::Graphics {
namespace {

TEST(View, ZoomTwentyOnWideWindowShows1024By640AroundTheCentre) {
    View view;
    view.SetWindowSize(1280, 800);
    view.SetZoom(20.0);
    view.SetPosition(500.0, 300.0);
    EXPECT_DOUBLE_EQ(view.mRight - view.mLeft, 1024.0);
    EXPECT_DOUBLE_EQ(view.mTop - view.mBottom, 640.0);
    EXPECT_DOUBLE_EQ(view.mLeft, 500.0 - 512.0);
    EXPECT_DOUBLE_EQ(view.mBottom, 300.0 - 320.0);
}

TEST(View, EitherSetterPlacesTheViewAndANewWindowKeepsTheHeight) {
    View view;
    view.SetWindowSize(800, 600);
    EXPECT_EQ(view.mRight, 0.0) << "the window size alone does not place the view";
    view.SetZoom(10.0);
    EXPECT_DOUBLE_EQ(view.mTop - view.mBottom, 320.0);
    EXPECT_NEAR(view.mRight - view.mLeft, 320.0 * 4.0 / 3.0, 1e-9);
    view.SetWindowSize(1280, 800);
    EXPECT_DOUBLE_EQ(view.mRight - view.mLeft, 512.0);
    EXPECT_DOUBLE_EQ(view.mLeft, -256.0);
}

} // namespace
} // namespace Velmora::Graphics
