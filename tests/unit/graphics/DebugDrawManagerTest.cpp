#include "graphics/DebugDrawManager.h"
#include "graphics/DebugWatch.h"
#include "graphics/FontManager.h"
#include "support/GraphicsFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace Velmora::Graphics {
namespace {

TEST(DebugDraw, LinesAndCirclesFadeAndLastOneFrame) {
    int drawn = 0;
    unsigned vertices = 0;
    DebugDrawManager debug([&](const Graphics::Batch& batch) {
        ++drawn;
        vertices = batch.mCount;
    });
    debug.DrawLine(0, 0, 10, 10, Graphics::PackColor(255, 0, 0, 200), 0.25);
    debug.DrawCircle(5, 5, 2, Graphics::PackColor(0, 255, 0, 255));
    debug.DrawLine(0, 0, 1, 1, Graphics::PackColor(0, 0, 255, 255), 3.0); // fade beyond 1: invisible
    const Graphics::Batch& lines = debug.GetLines();
    ASSERT_EQ(lines.mCount, 2u + 12u + 2u);
    EXPECT_EQ(lines.GetVertices()[0].mAlpha, 150);
    EXPECT_EQ(lines.GetVertices()[2].mAlpha, 255);
    EXPECT_EQ(lines.GetVertices()[14].mAlpha, 0);
    debug.RenderWorld(0.016);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(vertices, 16u);
    EXPECT_EQ(debug.GetLines().mCount, 0u);
    debug.RenderWorld(0.016);
    EXPECT_EQ(drawn, 1);
}

TEST(DebugDraw, WatchAlphaFollowsTheRemainingShare) {
    // (The curve between is checked through the overlay below.)
    EXPECT_EQ(DebugDrawManager::WatchAlpha({"", 5.0, 2.0}), 255); // never above the lifetime
    EXPECT_EQ(DebugDrawManager::WatchAlpha({"", 0.0, 2.0}), 0);
    EXPECT_EQ(DebugDrawManager::WatchAlpha({"", 0.0, 0.0}), 255); // no lifetime: shown once
}

TEST(DebugDraw, WatchesAreReplacedByKeyAndExpire) {
    Tests::ScopedDataRoot root;
    Tests::WriteFixtureFont(root.Path(), "console");
    ASSERT_TRUE(Graphics::FontManager::GetInstance().LoadFont("console"));
    DebugDrawManager debug([](const Graphics::Batch&) {});
    DebugWatch("player.speed", 1.0) << "AV " << 12;
    debug.SetWatch("player.speed", "A", 1.0);
    debug.SetWatch("other", "V", 0.5);
    ASSERT_EQ(debug.GetWatches().size(), 2u);
    EXPECT_EQ(debug.GetWatches().at("player.speed").mText, "A");

    Graphics::Renderer renderer([](const Graphics::Batch&) {});
    debug.RenderOverlay(0.6, renderer);
    ASSERT_EQ(renderer.GetBatches().size(), 1u);
    const Graphics::Batch& text = *renderer.GetBatches().begin()->second;
    EXPECT_EQ(text.mCount, 8u);
    EXPECT_EQ(text.GetVertices()[0].mAlpha, 255);
    EXPECT_EQ(debug.GetWatches().size(), 1u); // "other" had 0.5 s left
    renderer.Clear();
    debug.RenderOverlay(0.6, renderer);
    EXPECT_EQ(text.GetVertices()[0].mAlpha, static_cast<uint8_t>(255 * std::sin(0.4 * std::numbers::pi / 2)));
    EXPECT_TRUE(debug.GetWatches().empty());

    DebugWatch("player.speed", 2.0) << "speed " << 132.5;
    EXPECT_EQ(DebugDrawManager::GetInstance().GetWatches().at("player.speed").mText, "speed 132.5");
}

} // namespace
} // namespace Velmora::Graphics
