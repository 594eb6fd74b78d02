#include "graphics/View.h"

#include <gtest/gtest.h>

namespace Velmora::Graphics {
namespace {

// The zoom counts tile rows of 32 units on the window's height; the width follows its shape.
TEST(View, ZoomSetsTheHeightAroundTheCentreAndANewWindowKeepsIt) {
    View view;
    view.SetWindowSize(800, 600);
    EXPECT_EQ(view.mRight, 0.0) << "the window size alone does not place the view";
    view.SetZoom(10.0); // either setter places it
    EXPECT_DOUBLE_EQ(view.mTop - view.mBottom, 320.0);
    EXPECT_NEAR(view.mRight - view.mLeft, 320.0 * 4.0 / 3.0, 1e-9);
    view.SetPosition(500.0, 300.0);
    EXPECT_DOUBLE_EQ(view.mBottom, 300.0 - 160.0);
    view.SetWindowSize(1280, 800);
    EXPECT_DOUBLE_EQ(view.mRight - view.mLeft, 512.0);
    EXPECT_DOUBLE_EQ(view.mLeft, 500.0 - 256.0);
}

} // namespace
} // namespace Velmora::Graphics
