// Bodies against the collision map: stopping at walls, the cell order, masks of player and
// guards, noclip, push-out, contacts and what a zero velocity does and does not do.
#include "unit/logic/WorldFixtures.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/TComponent.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"
#include "physics/BodyMessages.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Velmora {
namespace {

using Physics::ComponentBody;

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
        mLevel = Tests::MakeLevel({
            "1 1 1 1 1 1",
            "1 0 0 0 0 1",
            "1 0 0 0 0 1",
            "1 0 0 0 0 1",
            "1 1 1 1 1 1",
        });
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

} // namespace
} // namespace Velmora
