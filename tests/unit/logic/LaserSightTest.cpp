// The laser sight: its length from the charge, the reflected path (with a stand-in ray and with
// the real ray casts through a level) and the dots it draws.
#include "graphics/Batch.h"
#include "graphics/Vertex.h"
#include "screens/LaserSight.h"
#include "unit/logic/GameFixtures.h"

#include <cmath>

namespace Velmora::Logic {
namespace {

// Two stand-in walls across the x axis: x = 100 (met going right) and x = −50 (going left).
bool TwoWalls(const Vector2& from, const Vector2& to, Vector2& point, Vector2& normal) {
    for (const double wall : {100.0, -50.0}) {
        const bool crosses = wall > 0.0 ? (from.x < wall && to.x >= wall) : (from.x > wall && to.x <= wall);
        if (!crosses) continue;
        const double t = (wall - from.x) / (to.x - from.x);
        point = from + (to - from) * t;
        normal = {wall > 0.0 ? -1.0 : 1.0, 0.0};
        return true;
    }
    return false;
}

TEST(LaserSight, LengthIsLifetimeTimesTheShotsStrengthLessThirty) {
    EXPECT_DOUBLE_EQ(LaserSight::Distance(kSoundGun, 0.0, 80.0), 130.0);
    EXPECT_DOUBLE_EQ(LaserSight::Distance(kShockGun, 0.0, 80.0), 0.0) << "80 / 3 − 30 is below zero";
    EXPECT_DOUBLE_EQ(LaserSight::Distance(kWhiteGun, 1.0, 80.0), 0.0);
}

TEST(LaserSight, PathReflectsAtEachWallUntilTheLengthIsSpentKeepingItsSidewaysMotion) {
    const std::vector<Vector2> path = LaserSight::TracePath({0.0, 0.0}, {2.0, 0.0}, 300.0, 16, TwoWalls);
    ASSERT_EQ(path.size(), 4u);
    EXPECT_EQ(path[1], Vector2(100.0, 0.0));
    EXPECT_EQ(path[2], Vector2(-50.0, 0.0));
    EXPECT_NEAR(path[3].x, 0.0, 1e-9) << "100 + 150 + 50 units";

    const std::vector<Vector2> two = LaserSight::TracePath({0.0, 0.0}, {1.0, 0.0}, 300.0, 2, TwoWalls);
    ASSERT_EQ(two.size(), 3u) << "at most two segments";
    EXPECT_EQ(two[2], Vector2(-50.0, 0.0));

    // A glancing path keeps its sideways motion.
    const std::vector<Vector2> glancing =
        LaserSight::TracePath({0.0, 0.0}, {1.0, 1.0}, 100.0 * std::sqrt(2.0) + 20.0, 4, TwoWalls);
    ASSERT_EQ(glancing.size(), 3u);
    const Vector2 after = (glancing[2] - glancing[1]).Normalized();
    EXPECT_NEAR(after.x, -std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(after.y, std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(Distance(glancing[1], glancing[2]), 20.0, 1e-9);
}

TEST(LaserSight, NoPathWithoutDirectionLengthOrLines) {
    EXPECT_TRUE(LaserSight::TracePath({0.0, 0.0}, {0.0, 0.0}, 100.0, 4, TwoWalls).empty());
    EXPECT_TRUE(LaserSight::TracePath({0.0, 0.0}, {1.0, 0.0}, 0.0, 4, TwoWalls).empty());
    EXPECT_TRUE(LaserSight::TracePath({0.0, 0.0}, {1.0, 0.0}, 100.0, 0, TwoWalls).empty());
    EXPECT_TRUE(LaserSight::TracePath({0.0, 0.0}, {1.0, 0.0}, std::nan(""), 4, TwoWalls).empty());
}

TEST(LaserSight, RealRayCastsBounceBetweenTheSoundBlockingWallsOfTheLevel) {
    // Walls at columns 0 and 7; glass (sound-blocking too) at column 4 of the top row only.
    Tests::UseLevel({"1 1 1 1 1 1 1 1", "1 0 0 0 2 0 0 1", "1 0 0 0 0 0 0 1", "1 1 1 1 1 1 1 1"});
    const std::vector<Vector2> path = LaserSight::TracePath({48.0, 48.0}, {1.0, 0.0}, 1000.0, 3);
    ASSERT_EQ(path.size(), 4u);
    EXPECT_NEAR(path[1].x, 224.0, 1e-9) << "the right wall's face";
    EXPECT_NEAR(path[2].x, 32.0, 1e-9) << "and back to the left wall's";
    EXPECT_NEAR(path[3].x, 224.0, 1e-9);
    for (const Vector2& point : path) EXPECT_NEAR(point.y, 48.0, 1e-9);
    Tests::ResetWorld();
}

TEST(LaserSight, DotsFitTheBatchAndFadeAlongThePath) {
    const std::string savedRoot = Game::GetInstance().GetRootPath();
    Game::GetInstance().SetRootPath(Tests::SourceDir());
    Graphics::Renderer renderer{[](const Graphics::Batch&) {}};
    LaserSight sight;
    const std::vector<Vector2> path = {{0.0, 0.0}, {300.0, 0.0}, {300.0, 600.0}};
    sight.Draw(renderer, path, 2, kSoundGun, 0.0);
    ASSERT_EQ(renderer.GetBatches().size(), 1u);
    const Graphics::Batch& dots = *renderer.GetBatches().begin()->second;
    // 900 units with 14 stream dots: spaced further apart than usual, plus one dot at the bounce.
    EXPECT_EQ(LaserSight::DotCount(900.0, 2), 14);
    EXPECT_EQ(dots.mCount, (14u + 1u) * 4u);
    EXPECT_GT(dots.GetVertices()[0].mAlpha, dots.GetVertices()[13 * 4].mAlpha) << "the far end is fainter";
    EXPECT_EQ(LaserSight::DotCount(30.0, 16), 6) << "short paths keep the usual spacing";
    Game::GetInstance().SetRootPath(savedRoot);
}

} // namespace
} // namespace Velmora::Logic
