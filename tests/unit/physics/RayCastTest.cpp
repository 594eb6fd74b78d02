// Ray casting through the current level's cells: the hit record, the start cell that is never
// tested, corner ties, axis-aligned rays, the map border, masks and what is clear.
#include "unit/logic/GameFixtures.h"

#include "debug/PerformanceManager.h"
#include "physics/PhysicsManager.h"
#include "world/Tile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace Velmora {
namespace {

using Physics::RayHit;

class RayCastTest : public ::testing::Test {
protected:
    void TearDown() override { Tests::ResetWorld(); }

    static bool Cast(uint32_t mask, double ax, double ay, double bx, double by, RayHit& hit) {
        return Physics::PhysicsManager::GetInstance().RayCast(mask, ax, ay, bx, by, hit);
    }
    static int Collisions() {
        const Debug::PerfCounter* counter = Debug::PerformanceManager::GetInstance().FindCounter("Ray Collisions");
        return counter ? counter->mCount : 0;
    }
    // A hit record the cast must leave alone when it reports a clear way.
    static RayHit Untouched() {
        RayHit hit;
        hit.mPointX = hit.mPointY = hit.mNormalX = hit.mNormalY = hit.mFraction = 99.0;
        hit.mCellX = hit.mCellY = 99;
        hit.mCellFlags = 99;
        return hit;
    }
    static void ExpectUntouched(const RayHit& hit) {
        EXPECT_EQ(hit.mPointX, 99.0);
        EXPECT_EQ(hit.mFraction, 99.0);
        EXPECT_EQ(hit.mCellX, 99);
        EXPECT_EQ(hit.mCellFlags, 99u);
    }
};

TEST_F(RayCastTest, HitRecordOfTheFirstBlockingCell) {
    Tests::UseLevel({"0 1 0 0"});
    const int before = Collisions();
    RayHit hit;
    ASSERT_TRUE(Cast(kTileBlocksSound, 16, 16, 80, 16, hit));
    EXPECT_DOUBLE_EQ(hit.mPointX, 32.0);
    EXPECT_DOUBLE_EQ(hit.mPointY, 16.0);
    EXPECT_DOUBLE_EQ(hit.mFraction, 0.25);
    EXPECT_EQ(hit.mNormalX, -1.0);
    EXPECT_EQ(hit.mNormalY, 0.0);
    EXPECT_EQ(hit.mCellX, 1);
    EXPECT_EQ(hit.mCellY, 0);
    EXPECT_EQ(hit.mCellFlags, 0x0Fu); // stone blocks everything
    EXPECT_EQ(Collisions(), before + 1);
    EXPECT_NE(Debug::PerformanceManager::GetInstance().FindTimer("Ray Collision"), nullptr);

    // The other way the normal points the other way; B's own cell counts.
    ASSERT_TRUE(Cast(kTileBlocksSound, 112, 16, 16, 16, hit));
    EXPECT_DOUBLE_EQ(hit.mPointX, 64.0);
    EXPECT_DOUBLE_EQ(hit.mFraction, 0.5);
    EXPECT_EQ(hit.mNormalX, 1.0);
    ASSERT_TRUE(Cast(kTileBlocksSound, 16, 16, 40, 16, hit));
    EXPECT_EQ(hit.mCellX, 1);
}

TEST_F(RayCastTest, TheStartCellIsNeverTested) {
    // Bottom row: wall, floor, wall; top row: wall, floor, floor.
    Tests::UseLevel({"1 0 0", "1 0 1"});
    RayHit hit = Untouched();
    EXPECT_FALSE(Cast(0xFF, 2, 2, 30, 30, hit));   // within one wall cell
    EXPECT_FALSE(Cast(0xFF, 40, 2, 60, 30, hit));  // within one floor cell
    EXPECT_FALSE(Cast(0xFF, 16, 16, 48, 16, hit)); // out of a wall into the floor
    ExpectUntouched(hit);
    ASSERT_TRUE(Cast(0xFF, 16, 16, 80, 16, hit)); // ... and on into the next wall
    EXPECT_EQ(hit.mCellX, 2);
    EXPECT_DOUBLE_EQ(hit.mPointX, 64.0);
}

TEST_F(RayCastTest, OnlyFlagsInTheMaskBlock) {
    // Glass (2) blocks players, guards and sound but not sight.
    Tests::UseLevel({"0 2 0"});
    RayHit hit;
    EXPECT_FALSE(Cast(kTileBlocksVision, 16, 16, 80, 16, hit));
    ASSERT_TRUE(Cast(kTileBlocksSound, 16, 16, 80, 16, hit));
    EXPECT_EQ(hit.mCellFlags, 0x17u);
    EXPECT_FALSE(Cast(0, 16, 16, 80, 16, hit));
}

TEST_F(RayCastTest, ACornerTieStepsInYFirst) {
    // The diagonal from (16, 16) to (48, 48) passes exactly through the corner (32, 32).
    Tests::UseLevel({"0 0", "0 1"}); // only (1, 0) blocks: the ray never enters it
    RayHit hit = Untouched();
    EXPECT_FALSE(Cast(0xFF, 16, 16, 48, 48, hit));
    ExpectUntouched(hit);

    Tests::UseLevel({"1 0", "0 0"}); // only (0, 1) blocks: entered by the step in y
    ASSERT_TRUE(Cast(0xFF, 16, 16, 48, 48, hit));
    EXPECT_EQ(hit.mCellX, 0);
    EXPECT_EQ(hit.mCellY, 1);
    EXPECT_EQ(hit.mNormalX, 0.0);
    EXPECT_EQ(hit.mNormalY, -1.0);
    EXPECT_DOUBLE_EQ(hit.mFraction, 0.5);
    EXPECT_DOUBLE_EQ(hit.mPointX, 32.0);
    EXPECT_DOUBLE_EQ(hit.mPointY, 32.0);
}

TEST_F(RayCastTest, AxisAlignedRaysNeverStepAcross) {
    // Walls everywhere but the middle row and the middle column.
    Tests::UseLevel({
        "1 0 1",
        "0 0 0",
        "1 0 1",
    });
    RayHit hit = Untouched();
    EXPECT_FALSE(Cast(0xFF, 4, 48, 92, 48, hit)); // horizontal, through the middle row
    EXPECT_FALSE(Cast(0xFF, 4, 32, 92, 32, hit)); // horizontal along a boundary: stays in row 1
    EXPECT_FALSE(Cast(0xFF, 48, 4, 48, 92, hit)); // vertical, through the middle column
    EXPECT_FALSE(Cast(0xFF, 32, 92, 32, 4, hit)); // vertical along a boundary: stays in column 1
    ExpectUntouched(hit);
    ASSERT_TRUE(Cast(0xFF, 4, 16, 92, 16, hit)); // the bottom row is walled
    EXPECT_EQ(hit.mCellX, 2);
    EXPECT_EQ(hit.mNormalY, 0.0);
}

TEST_F(RayCastTest, OutsideTheMapIsClear) {
    Tests::UseLevel({"0 1 0"});
    RayHit hit = Untouched();
    EXPECT_FALSE(Cast(0xFF, -0.5, 16, 80, 16, hit)); // x = −0.5 lies in cell −1
    EXPECT_FALSE(Cast(0xFF, 16, -0.5, 80, 16, hit));
    EXPECT_FALSE(Cast(0xFF, 16, 16, 16, -500, hit)); // leaves through the bottom border
    EXPECT_FALSE(Cast(0xFF, 80, 16, 80, 1e12, hit)); // far-away ends do not overflow
    EXPECT_FALSE(Cast(0xFF, 1e300, 16, 16, 16, hit));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(Cast(0xFF, 16, 16, nan, 16, hit));
    EXPECT_FALSE(Cast(0xFF, 16, 16, inf, 16, hit));
    ExpectUntouched(hit);
}

TEST_F(RayCastTest, ALeavingRayIsClearEvenWithWallsBeyondTheBorder) {
    // Leaving through the right border of row 0: the next cell in memory is the wall at (0, 1),
    // which a walk that did not stop at the border would report.
    Tests::UseLevel({"1 0", "0 0"});
    RayHit hit = Untouched();
    EXPECT_FALSE(Cast(0xFF, 16, 16, 200, 16, hit));
    EXPECT_FALSE(Cast(0xFF, 16, 16, 200, 30, hit));
    ExpectUntouched(hit);
}

TEST_F(RayCastTest, NoLevelIsClear) {
    Logic::LogicManager::GetInstance().SetLevel(nullptr);
    RayHit hit = Untouched();
    EXPECT_FALSE(Cast(0xFF, 16, 16, 80, 16, hit));
    ExpectUntouched(hit);
}

TEST_F(RayCastTest, LongDiagonalVisitsTheCellsOfTheExactTraversal) {
    // Against a brute-force walk of small steps: the first blocking cell and its entry point.
    Logic::Level& level = Tests::UseLevel({
        "0 0 0 0 0 0 0 0",
        "0 0 0 0 0 1 0 0",
        "0 0 0 0 0 0 0 0",
        "0 0 0 1 0 0 0 0",
        "0 0 0 0 0 0 0 0",
        "0 0 0 0 0 0 0 0",
    });
    const double ax = 5.0, ay = 7.0, bx = 250.0, by = 185.0;
    double firstT = -1.0;
    int cellX = -1, cellY = -1;
    for (int i = 1; i <= 200000 && firstT < 0.0; ++i) {
        const double t = i / 200000.0;
        const int cx = static_cast<int>(std::floor((ax + (bx - ax) * t) / 32.0));
        const int cy = static_cast<int>(std::floor((ay + (by - ay) * t) / 32.0));
        if (level.GetCellFlags(cx, cy) != 0) {
            firstT = t;
            cellX = cx;
            cellY = cy;
        }
    }
    ASSERT_GT(firstT, 0.0);
    RayHit hit;
    ASSERT_TRUE(Cast(0xFF, ax, ay, bx, by, hit));
    EXPECT_EQ(hit.mCellX, cellX);
    EXPECT_EQ(hit.mCellY, cellY);
    EXPECT_NEAR(hit.mFraction, firstT, 1e-5);
}

} // namespace
} // namespace Velmora
