// Physics: the collision map's edges (which survive between which cells) and the segment test's
// direction rules; bodies against the map (stopping at walls, the cell order, masks of player and
// guards, noclip, push-out, contacts); and ray casts through the current level's cells (the hit
// record, the start cell that is never tested, corner ties, the map border, masks, what is clear).
#include "unit/logic/GameFixtures.h"

#include "core/TComponent.h"
#include "core/ValueCursor.h"
#include "debug/PerformanceManager.h"
#include "physics/CollisionMap.h"
#include "physics/PhysicsManager.h"
#include "physics/SegmentGeometry.h"
#include "world/Tile.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace Velmora {
namespace {

using Physics::CollisionEdge;
using Physics::CollisionMap;
using Physics::ComponentBody;
using Physics::RayHit;
using Rows = std::vector<std::string>;

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
    EXPECT_EQ(EdgeFlags(map, 0, 2), (std::vector<uint32_t>{0, 0, 15, 15})); // the top-left corner
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
    EXPECT_FALSE(Physics::IntersectSegmentEdge({20, 70}, {90, 70}, b0, b1, hit));   // parallel
    EXPECT_FALSE(Physics::IntersectSegmentEdge({48, 80}, {48, 64.5}, b0, b1, hit)); // stops short
    EXPECT_FALSE(Physics::IntersectSegmentEdge({70, 80}, {70, 50}, b0, b1, hit));   // beside it
}

// Records the movement and contact messages its entity receives.
class ComponentRecorder : public Component, public TComponent<ComponentRecorder> {
    VELMORA_COMPONENT(ComponentRecorder)
public:
    explicit ComponentRecorder(Entity* owner) : Component(owner) {}
    void HandleMessage(Message& message) override {
        if (const auto* moved = MessageCast<Physics::MessageMoved>(message)) mMoves.push_back(*moved);
        if (const auto* contact = MessageCast<Physics::MessageBodyCollision>(message)) {
            mContacts.push_back({contact->mFirstId, contact->mSecondId});
        }
    }
    std::vector<Physics::MessageMoved> mMoves;
    std::vector<std::pair<int, int>> mContacts;
};

class ComponentBodyTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A room of stone: floor cells x 1..4, y 1..3.
        mLevel = Tests::MakeLevel({"1 1 1 1 1 1", "1 0 0 0 0 1", "1 0 0 0 0 1", "1 0 0 0 0 1", "1 1 1 1 1 1"});
    }
    void TearDown() override {
        Physics::PhysicsManager& physics = Physics::PhysicsManager::GetInstance();
        physics.mNoclip = false;
        physics.mCircleMapCol = true;
        MessageEndFrame end;
        for (Entity* entity = mEntities.GetFirst(); entity; entity = entity->GetNext()) entity->Destroy();
        mEntities.HandleMessage(end);
    }

    struct Made {
        Entity* mEntity;
        ComponentBody* mBody;
        Graphics::ComponentTransform* mTransform;
        ComponentRecorder* mRecorder;
    };

    Made Spawn(Vector2 position, double radius, bool player = false) {
        auto* entity = new Entity(++mNextId, &mEntities);
        auto* transform = new Graphics::ComponentTransform(entity);
        auto* body = new ComponentBody(entity);
        auto* recorder = new ComponentRecorder(entity);
        transform->mPosition = position;
        const ValueList data{radius};
        ValueCursor cursor(data);
        body->Load(cursor);
        entity->AddComponent(transform);
        entity->AddComponent(body);
        entity->AddComponent(recorder);
        if (player) body->SetCollisionMask(kTileBlocksPlayer); // as the player's controller does
        entity->Spawn(nullptr);
        return {entity, body, transform, recorder};
    }

    // One logic tick for one body, as the entity manager would deliver it.
    static void Tick(const Made& made, Vector2 velocity, double dt = 0.5) {
        made.mBody->mVelocityX = velocity.x;
        made.mBody->mVelocityY = velocity.y;
        MessageUpdateLogic update(dt);
        made.mEntity->HandleMessage(update);
    }

    std::unique_ptr<Logic::Level> mLevel;
    EntityManager mEntities;
    int mNextId = 0;
};

TEST_F(ComponentBodyTest, MovingDownOntoAWallStopsOneUnitAboveItButMovingAlongItDoesNot) {
    const Made guard = Spawn({80, 50}, 5);
    Tick(guard, {0, -40}); // to y = 30, through the wall's top at y = 32
    EXPECT_EQ(guard.mTransform->mPosition, Vector2(80, 33));
    EXPECT_TRUE(guard.mRecorder->mMoves.empty());
    EXPECT_EQ(guard.mBody->mVelocityX, 0.0);
    EXPECT_EQ(guard.mBody->mVelocityY, 0.0);
    Tick(guard, {6, 8}); // a free move: displacement and speed reported
    EXPECT_EQ(guard.mTransform->mPosition, Vector2(83, 37));
    ASSERT_EQ(guard.mRecorder->mMoves.size(), 1u);
    EXPECT_EQ(guard.mRecorder->mMoves[0].mDeltaX, 3.0);
    EXPECT_EQ(guard.mRecorder->mMoves[0].mDeltaY, 4.0);
    EXPECT_EQ(guard.mRecorder->mMoves[0].mSpeed, 10.0);
    // Along the wall's top edge nothing stops it.
    const Made along = Spawn({40, 32}, 0);
    Tick(along, {60, 0});
    EXPECT_EQ(along.mTransform->mPosition, Vector2(70, 32));
}

TEST_F(ComponentBodyTest, ACornerHitFollowsTheCellOrderOfTheDirection) {
    // Walls below (1, 0) and to the right (2, 1) of cell (1, 1); a move with slope −1 through
    // their shared corner (64, 32) tests the cell below first and stops on its top edge.
    mLevel = Tests::MakeLevel({"0 0 0", "0 0 1", "0 1 0"});
    const Made guard = Spawn({60, 36}, 1);
    Tick(guard, {16, -16});
    EXPECT_EQ(guard.mTransform->mPosition, Vector2(64, 33));
    // A slope just above −1 tests the cell to the right first.
    guard.mTransform->mPosition = {60, 36};
    Tick(guard, {16, -15.999999});
    EXPECT_NEAR(guard.mTransform->mPosition.x, 63.0, 1e-9);
}

TEST_F(ComponentBodyTest, GuardsAndThePlayerAreBlockedByTheirOwnTiles) {
    // A player-only fence (9) at (2, 1) and a guard-only barrier (10) at (2, 2).
    mLevel = Tests::MakeLevel({"0 0 0 0", "0 0 10 0", "0 0 9 0", "0 0 0 0"});
    const Made guard = Spawn({48, 48}, 1);
    const Made player = Spawn({48, 80}, 1, true);
    Tick(guard, {64, 0}); // through the fence
    EXPECT_EQ(guard.mTransform->mPosition, Vector2(80, 48));
    Tick(player, {64, 0}); // through the barrier
    EXPECT_EQ(player.mTransform->mPosition, Vector2(80, 80));
    Tick(guard, {0, 64}); // into the barrier from below
    EXPECT_EQ(guard.mTransform->mPosition, Vector2(80, 63));
    Tick(player, {0, -64}); // into the fence from above
    EXPECT_EQ(player.mTransform->mPosition, Vector2(80, 65));
}

TEST_F(ComponentBodyTest, NoclipPassesWallsReportsEverythingAndNeverPushes) {
    Physics::PhysicsManager::GetInstance().mNoclip = true;
    const Made guard = Spawn({80, 50}, 5);
    const Made other = Spawn({80, 28}, 3);
    Tick(guard, {0, -40});
    EXPECT_EQ(guard.mTransform->mPosition, Vector2(80, 30)); // inside the wall, left there
    ASSERT_EQ(guard.mRecorder->mMoves.size(), 1u);
    ASSERT_EQ(guard.mRecorder->mContacts.size(), 1u);
    EXPECT_EQ(other.mRecorder->mContacts.size(), 1u);
    Tick(other, {0, 0});
    EXPECT_EQ(other.mTransform->mPosition, Vector2(80, 28));
}

TEST_F(ComponentBodyTest, ContactsAtExactlyTheSumOfRadiiGoToBothEntities) {
    const Made mover = Spawn({47, 80}, 8);
    const Made resting = Spawn({64, 80}, 8);
    const Made far = Spawn({100, 80}, 8);
    Tick(mover, {2, 0}); // to x = 48: 16 from the resting body
    const std::vector<std::pair<int, int>> expected{{mover.mEntity->GetId(), resting.mEntity->GetId()}};
    EXPECT_EQ(mover.mRecorder->mContacts, expected);
    EXPECT_EQ(resting.mRecorder->mContacts, expected);
    EXPECT_TRUE(far.mRecorder->mContacts.empty());
}

TEST_F(ComponentBodyTest, ZeroVelocityOnlyPushesOut) {
    const Made resting = Spawn({80, 35}, 5); // 3 above the bottom wall: overlapping it
    const Made touching = Spawn({84, 35}, 5);
    Tick(resting, {0, 0});
    EXPECT_EQ(resting.mTransform->mPosition, Vector2(80, 37)); // pushed to exactly r from the wall
    EXPECT_TRUE(resting.mRecorder->mMoves.empty());
    EXPECT_TRUE(resting.mRecorder->mContacts.empty());
    EXPECT_TRUE(touching.mRecorder->mContacts.empty());
    // Into the corner of the room: pushed out of both walls.
    resting.mTransform->mPosition = {34, 34};
    Tick(resting, {0, 0});
    EXPECT_NEAR(resting.mTransform->mPosition.x, 37, 1e-9);
    EXPECT_NEAR(resting.mTransform->mPosition.y, 37, 1e-9);
    // A centre exactly on the wall's top edge goes out along the edge's normal.
    resting.mTransform->mPosition = {80, 32};
    Tick(resting, {0, 0});
    EXPECT_EQ(resting.mTransform->mPosition, Vector2(80, 37));
    // With push-out switched off an overlap stays.
    Physics::PhysicsManager::GetInstance().mCircleMapCol = false;
    resting.mTransform->mPosition = {80, 35};
    Tick(resting, {0, 0});
    EXPECT_EQ(resting.mTransform->mPosition, Vector2(80, 35));
}

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
    const struct Case {
        Rows mRows; // none: no level at all
        uint32_t mMask;
        double mAx, mAy, mBx, mBy;
        const char* mWhy;
    } cases[] = {
        {{"1 0 0", "1 0 1"}, 0xFF, 2, 2, 30, 30, "within one wall cell, which is the start cell"},
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
