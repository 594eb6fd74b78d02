// The collision map's edges (which survive between which cells), the segment test's direction
// rules, the closest-point and circle helpers, and the map's debug drawing switches.
#include "unit/logic/WorldFixtures.h"

#include "graphics/DebugDrawManager.h"
#include "physics/CollisionMap.h"
#include "physics/PhysicsManager.h"
#include "physics/SegmentGeometry.h"

#include <gtest/gtest.h>

namespace Velmora {
namespace {

using Physics::CollisionEdge;
using Physics::CollisionMap;

// The flags of the four edges of a cell, bottom, right, top, left.
std::vector<uint32_t> EdgeFlags(const CollisionMap& map, int x, int y) {
    std::vector<uint32_t> flags;
    for (int k = 0; k < 4; ++k) flags.push_back(map.GetEdge(x, y, k).mFlags);
    return flags;
}

int LiveEdges(const CollisionMap& map) {
    int count = 0;
    for (const CollisionEdge& edge : map.GetEdges()) count += edge.mFlags != 0;
    return count;
}

TEST(CollisionMapTest, ASingleWallKeepsItsFourEdgesWoundOutward) {
    CollisionMap map;
    map.Build(3, 3, std::vector<uint32_t>{0, 0, 0, 0, 15, 0, 0, 0, 0});
    ASSERT_EQ(map.GetEdges().size(), 36u);
    EXPECT_EQ(EdgeFlags(map, 1, 1), (std::vector<uint32_t>{15, 15, 15, 15}));
    EXPECT_EQ(LiveEdges(map), 4);
    // Bottom, right, top, left: counter-clockwise round the cell (32, 32)-(64, 64).
    const Vector2 corners[] = {{32, 32}, {64, 32}, {64, 64}, {32, 64}};
    for (int k = 0; k < 4; ++k) {
        const CollisionEdge& edge = map.GetEdges()[4 * (1 * 3 + 1) + k];
        EXPECT_EQ(Vector2(edge.mStartX, edge.mStartY), corners[k]) << k;
        EXPECT_EQ(Vector2(edge.mEndX, edge.mEndY), corners[(k + 1) % 4]) << k;
    }
}

TEST(CollisionMapTest, SharedEdgesGoOnlyBetweenEqualFlags) {
    CollisionMap map;
    map.Build(2, 1, std::vector<uint32_t>{15, 15}); // two stone walls side by side
    EXPECT_EQ(EdgeFlags(map, 0, 0), (std::vector<uint32_t>{15, 0, 15, 15}));
    EXPECT_EQ(EdgeFlags(map, 1, 0), (std::vector<uint32_t>{15, 15, 15, 0}));
    map.Build(2, 1, std::vector<uint32_t>{0x17, 15}); // glass beside stone: both facing edges stay
    EXPECT_EQ(map.GetEdge(0, 0, CollisionMap::kRight).mFlags, 0x17u);
    EXPECT_EQ(map.GetEdge(1, 0, CollisionMap::kLeft).mFlags, 15u);
    map.Build(1, 2, std::vector<uint32_t>{15, 15}); // stacked: the vertical pair goes
    EXPECT_EQ(map.GetEdge(0, 0, CollisionMap::kTop).mFlags, 0u);
    EXPECT_EQ(map.GetEdge(0, 1, CollisionMap::kBottom).mFlags, 0u);
}

TEST(CollisionMapTest, UniformMapsKeepOnlyTheirBorder) {
    CollisionMap map;
    map.Build(4, 3, std::vector<uint32_t>(12, 15));
    EXPECT_EQ(LiveEdges(map), 2 * 4 + 2 * 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(map.GetEdge(x, y, CollisionMap::kLeft).mFlags != 0, x == 0);
            EXPECT_EQ(map.GetEdge(x, y, CollisionMap::kTop).mFlags != 0, y == 2);
        }
    }
    map.Build(4, 3, std::vector<uint32_t>(12, 0));
    EXPECT_EQ(LiveEdges(map), 0);
    map.Build(0, 3, {});
    EXPECT_TRUE(map.GetEdges().empty());
    EXPECT_FALSE(map.IsInside(0, 0));
}

TEST(SegmentGeometryTest, OnlySegmentsEnteringThroughAnEdgeHit) {
    // The top edge of cell (1, 1), wound right to left: its outside is above.
    const Vector2 b0(64, 64), b1(32, 64);
    Physics::SegmentHit hit;
    EXPECT_FALSE(Physics::IntersectSegmentEdge({48, 50}, {48, 80}, b0, b1, hit)); // leaving the cell
    ASSERT_TRUE(Physics::IntersectSegmentEdge({48, 80}, {48, 50}, b0, b1, hit));  // entering it
    EXPECT_EQ(hit.mPoint, Vector2(48, 64));
    EXPECT_DOUBLE_EQ(hit.mFraction, 16.0 / 30.0);
    EXPECT_DOUBLE_EQ(hit.mDistanceSquared, 256.0);
    EXPECT_EQ(hit.mNormal, Vector2(0, 32));
    ASSERT_TRUE(Physics::IntersectSegmentEdge({48, 80}, {48, 64}, b0, b1, hit)); // ends on the edge
    EXPECT_EQ(hit.mFraction, 1.0);
    EXPECT_TRUE(Physics::IntersectSegmentEdge({32, 80}, {32, 60}, b0, b1, hit));    // through the end point
    EXPECT_FALSE(Physics::IntersectSegmentEdge({20, 64}, {90, 64}, b0, b1, hit));   // along it
    EXPECT_FALSE(Physics::IntersectSegmentEdge({20, 70}, {90, 70}, b0, b1, hit));   // parallel
    EXPECT_FALSE(Physics::IntersectSegmentEdge({48, 80}, {48, 64.5}, b0, b1, hit)); // stops short
    EXPECT_FALSE(Physics::IntersectSegmentEdge({70, 80}, {70, 50}, b0, b1, hit));   // beside it
}

TEST(SegmentGeometryTest, ClosestPointsAndTouchingCircles) {
    const Vector2 s0(0, 0), s1(10, 0);
    EXPECT_EQ(Physics::ClosestPointOnSegment({-5, 3}, s0, s1).mPoint, s0);
    EXPECT_EQ(Physics::ClosestPointOnSegment({15, 3}, s0, s1).mPoint, s1);
    const Physics::ClosestPoint middle = Physics::ClosestPointOnSegment({4, 3}, s0, s1);
    EXPECT_EQ(middle.mPoint, Vector2(4, 0));
    EXPECT_EQ(middle.mOffset, Vector2(0, 3));
    EXPECT_EQ(middle.mDistanceSquared, 9.0);
    EXPECT_EQ(Physics::ClosestPointOnSegment({4, 3}, s0, s0).mPoint, s0);
    Physics::ClosestPoint result;
    EXPECT_TRUE(Physics::ClosestPointOnSegment({4, 3}, s0, s1, 3.5, result));
    EXPECT_FALSE(Physics::ClosestPointOnSegment({4, 3}, s0, s1, 3.0, result)); // strictly closer only
    EXPECT_TRUE(Physics::CirclesTouch({0, 0}, 3, {5, 0}, 2));
    EXPECT_FALSE(Physics::CirclesTouch({0, 0}, 3, {5.001, 0}, 2));
}

TEST(PhysicsDebugDrawTest, SwitchesChooseTheEdgesDrawn) {
    // A player-only fence (9), a guard-only barrier (10) and glass (2) in open floor.
    const auto level = Tests::MakeLevel({"9 0 10 0 2"});
    Physics::PhysicsManager& physics = Physics::PhysicsManager::GetInstance();
    const Graphics::Batch& lines = Graphics::DebugDrawManager::GetInstance().GetLines();
    const unsigned before = lines.mCount;
    physics.DrawDebugMap();
    EXPECT_EQ(lines.mCount, before); // all switches off: nothing
    physics.mDrawPlayerMap = true;   // player map: fence and glass, four lines each
    physics.DrawDebugMap();
    physics.mDrawPlayerMap = false;
    EXPECT_EQ(lines.mCount, before + 2 * 8);
    physics.mDrawSightMap = true; // sight map: glass does not block sight
    physics.DrawDebugMap();
    physics.mDrawSightMap = false;
    EXPECT_EQ(lines.mCount, before + 2 * 8);
}

} // namespace
} // namespace Velmora
