// Ray casting through the current level's cells: the hit record, the start cell that is never
// tested, corner ties, axis-aligned rays, the map border, masks and what is clear.
#include "unit/logic/GameFixtures.h"

#include "debug/PerformanceManager.h"
#include "physics/PhysicsManager.h"
#include "world/Tile.h"

#include <gtest/gtest.h>

#include <limits>

namespace Velmora {
namespace {

using Physics::RayHit;
using Rows = std::vector<std::string>;

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
};

TEST_F(RayCastTest, HitsReportTheFirstBlockingCellEnteredAlongTheRay) {
    const Rows kDiagonal = {"0 0 0 0 0 0 0 0", "0 0 0 0 0 1 0 0", "0 0 0 0 0 0 0 0",
                            "0 0 0 1 0 0 0 0", "0 0 0 0 0 0 0 0", "0 0 0 0 0 0 0 0"};
    const struct Case {
        Rows mRows; // the top row first
        uint32_t mMask;
        double mAx, mAy, mBx, mBy;
        int mCellX, mCellY;
        double mPointX, mPointY, mNormalX, mNormalY, mFraction;
        uint32_t mFlags;
        const char* mWhy;
    } cases[] = {
        {{"0 1 0 0"}, kTileBlocksSound, 16, 16, 80, 16, 1, 0, 32, 16, -1, 0, 0.25, 0x0F, "stone blocks everything"},
        {{"0 1 0 0"}, kTileBlocksSound, 112, 16, 16, 16, 1, 0, 64, 16, 1, 0, 0.5, 0x0F, "the other way round"},
        {{"0 1 0 0"}, kTileBlocksSound, 16, 16, 40, 16, 1, 0, 32, 16, -1, 0, 16.0 / 24, 0x0F, "B's own cell counts"},
        {{"1 0 0", "1 0 1"}, 0xFF, 16, 16, 80, 16, 2, 0, 64, 16, -1, 0, 0.75, 0x0F, "out of a wall into the next"},
        {{"0 2 0"}, kTileBlocksSound, 16, 16, 80, 16, 1, 0, 32, 16, -1, 0, 0.25, 0x17, "glass blocks sound"},
        {{"1 0", "0 0"}, 0xFF, 16, 16, 48, 48, 0, 1, 32, 32, 0, -1, 0.5, 0x0F, "a corner tie steps in y first"},
        {{"1 0 1", "0 0 0", "1 0 1"}, 0xFF, 4, 16, 92, 16, 2, 0, 64, 16, -1, 0, 60.0 / 88, 0x0F, "bottom row"},
        {kDiagonal, 0xFF, 5, 7, 250, 185, 3, 2, 96, 7 + 178 * 91.0 / 245, -1, 0, 91.0 / 245, 0x0F, "a long diagonal"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mWhy);
        Tests::UseLevel(c.mRows);
        const int before = Collisions();
        RayHit hit;
        ASSERT_TRUE(Cast(c.mMask, c.mAx, c.mAy, c.mBx, c.mBy, hit));
        EXPECT_EQ(hit.mCellX, c.mCellX);
        EXPECT_EQ(hit.mCellY, c.mCellY);
        EXPECT_NEAR(hit.mPointX, c.mPointX, 1e-9);
        EXPECT_NEAR(hit.mPointY, c.mPointY, 1e-9);
        EXPECT_EQ(hit.mNormalX, c.mNormalX);
        EXPECT_EQ(hit.mNormalY, c.mNormalY);
        EXPECT_NEAR(hit.mFraction, c.mFraction, 1e-9);
        EXPECT_EQ(hit.mCellFlags, c.mFlags);
        EXPECT_EQ(Collisions(), before + 1);
    }
    EXPECT_NE(Debug::PerformanceManager::GetInstance().FindTimer("Ray Collision"), nullptr);
}

TEST_F(RayCastTest, ClearRaysLeaveTheHitRecordAlone) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct Case {
        Rows mRows; // none: no level at all
        uint32_t mMask;
        double mAx, mAy, mBx, mBy;
        const char* mWhy;
    } cases[] = {
        {{"1 0 0", "1 0 1"}, 0xFF, 2, 2, 30, 30, "within one wall cell, which is the start cell"},
        {{"1 0 0", "1 0 1"}, 0xFF, 40, 2, 60, 30, "within one floor cell"},
        {{"1 0 0", "1 0 1"}, 0xFF, 16, 16, 48, 16, "out of a wall into the floor"},
        {{"0 2 0"}, kTileBlocksVision, 16, 16, 80, 16, "glass does not block sight"},
        {{"0 2 0"}, 0, 16, 16, 80, 16, "an empty mask"},
        {{"0 0", "0 1"}, 0xFF, 16, 16, 48, 48, "a corner tie never enters the cell in x"},
        {{"1 0 1", "0 0 0", "1 0 1"}, 0xFF, 4, 32, 92, 32, "along a row boundary: stays in row 1"},
        {{"1 0 1", "0 0 0", "1 0 1"}, 0xFF, 32, 92, 32, 4, "along a column boundary: stays in column 1"},
        {{"0 1 0"}, 0xFF, -0.5, 16, 80, 16, "from cell -1"},
        {{"0 1 0"}, 0xFF, 16, 16, 16, -500, "out through the bottom border"},
        {{"0 1 0"}, 0xFF, 80, 16, 80, 1e12, "a far-away end does not overflow"},
        {{"0 1 0"}, 0xFF, 1e300, 16, 16, 16, "a far-away start"},
        {{"0 1 0"}, 0xFF, 16, 16, nan, 16, "not a point"},
        {{"0 1 0"}, 0xFF, 16, 16, inf, 16, "infinitely far"},
        // The next cell in memory past the right border of row 0 is the wall at (0, 1).
        {{"1 0", "0 0"}, 0xFF, 16, 16, 200, 30, "leaving through the right border"},
        {{}, 0xFF, 16, 16, 80, 16, "no level"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mWhy);
        if (c.mRows.empty()) {
            Logic::LogicManager::GetInstance().SetLevel(nullptr);
        } else {
            Tests::UseLevel(c.mRows);
        }
        RayHit hit;
        hit.mPointX = hit.mFraction = 99.0;
        hit.mCellX = 99;
        hit.mCellFlags = 99;
        EXPECT_FALSE(Cast(c.mMask, c.mAx, c.mAy, c.mBx, c.mBy, hit));
        EXPECT_EQ(hit.mPointX, 99.0);
        EXPECT_EQ(hit.mFraction, 99.0);
        EXPECT_EQ(hit.mCellX, 99);
        EXPECT_EQ(hit.mCellFlags, 99u);
    }
}

} // namespace
} // namespace Velmora
