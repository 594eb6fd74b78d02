#include "ai/ComponentGhost.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"
#include "support/TestSupport.h"
#include "world/LevelMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Velmora::Ai {
namespace {

using Strings = std::vector<std::string>;

class PingMessage : public Message {
    VELMORA_MESSAGE(PingMessage)
};

// A behaviour that reads one double and records what happens to it.
class TestBehavior : public Behavior {
public:
    TestBehavior(Strings& journal, std::string name, uint32_t entity)
        : Behavior(entity), mJournal(journal), mName(std::move(name)) {}
    void Deserialize(ValueCursor& cursor) override { cursor >> mParameter; }
    bool Update(double dt) override {
        mJournal.push_back(mName + ".update " + std::to_string(dt));
        return false;
    }
    void HandleMessage(Message& message) override { mJournal.push_back(mName + "." + message.GetName()); }

    Strings& mJournal;
    std::string mName;
    double mParameter = 0.0;
};

class ComponentGhostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComponentGhost::SetBehaviorFactory(
            [this](const std::string& name, uint32_t entity) -> std::unique_ptr<Behavior> {
                if (name != "BehaviorPatrol" && name != "BehaviorListen") return nullptr;
                return std::make_unique<TestBehavior>(mJournal, name, entity);
            });
    }
    void TearDown() override { ComponentGhost::SetBehaviorFactory(nullptr); }

    // A spawned entity whose ghost read the data; the cursor is left where the ghost stopped.
    ComponentGhost* Spawn(const ValueList& data, const ValueList* instance = nullptr) {
        mEntity = new Entity(mNextId++, &mEntities);
        auto* ghost = new ComponentGhost(mEntity);
        ValueCursor cursor(data);
        ghost->Load(cursor);
        mStoppedAt = cursor.GetIndex();
        mEntity->AddComponent(ghost);
        mEntity->AddComponent(new Graphics::ComponentTransform(mEntity));
        mEntity->Spawn(instance);
        return ghost;
    }

    // Ghost data with the usual settings (catches the player, speeds 1, a sprite name), then the
    // behaviour list as given.
    static ValueList WithSettings(std::initializer_list<Value> behaviors) {
        ValueList data{1, 1.0, 1.0, "x"};
        data.insert(data.end(), behaviors);
        return data;
    }

    TestBehavior& BehaviorAt(const ComponentGhost& ghost, int index) {
        Action* action = ghost.mActions.GetHead();
        for (int i = 0; i < index && action; ++i) action = action->GetNext();
        return *static_cast<TestBehavior*>(action);
    }

    Tests::LogCapture mLog;
    Strings mJournal;
    EntityManager mEntities;
    Entity* mEntity = nullptr;
    int mNextId = 7;
    std::size_t mStoppedAt = 0;
};

TEST_F(ComponentGhostTest, ReadsItsSettingsThenBuildsBehavioursInDataOrderFromTheSameStream) {
    const ValueList data{0, 96, 3.5, "x", "BehaviorPatrol", 4.5, "BehaviorListen", 9.0, "EndBehaviors", "Next"};
    ComponentGhost* ghost = Spawn(data);
    EXPECT_FALSE(ghost->mCatchesPlayer);
    EXPECT_DOUBLE_EQ(ghost->mMoveSpeed, 96.0); // an integer is read as a double
    EXPECT_DOUBLE_EQ(ghost->mTurnSpeed, 3.5);
    ASSERT_EQ(ghost->mActions.GetCount(), 2u);
    EXPECT_EQ(BehaviorAt(*ghost, 0).mName, "BehaviorPatrol");
    EXPECT_DOUBLE_EQ(BehaviorAt(*ghost, 0).mParameter, 4.5);
    EXPECT_EQ(BehaviorAt(*ghost, 1).mName, "BehaviorListen");
    EXPECT_DOUBLE_EQ(BehaviorAt(*ghost, 1).mParameter, 9.0);
    EXPECT_EQ(mStoppedAt, 9u); // on the next component's name
    EXPECT_TRUE(mLog.mLines.empty());
}

TEST_F(ComponentGhostTest, AnUnknownBehaviourIsLoggedAndEndsTheListButNotTheArchetype) {
    const ValueList data = WithSettings(
        {"BehaviorPatrol", 1.0, "BehaviorDance", 3, "fast", "BehaviorListen", 2.0, "EndBehaviors", "ComponentNext"});
    ComponentGhost* ghost = Spawn(data);
    EXPECT_TRUE(mLog.Contains(
        "[CORE:1] Unknown behavior `BehaviorDance` in ghost data; the rest of the behavior list is ignored"));
    ASSERT_EQ(ghost->mActions.GetCount(), 1u);
    EXPECT_EQ(BehaviorAt(*ghost, 0).mName, "BehaviorPatrol");
    EXPECT_EQ(mStoppedAt, 12u); // past "EndBehaviors": the next component still loads

    // Without an end marker the reading stops at the end of the data.
    const ValueList truncated = WithSettings({"BehaviorPatrol", 1.0});
    EXPECT_EQ(Spawn(truncated)->mActions.GetCount(), 1u);
    EXPECT_TRUE(mLog.Contains("Ghost data ends without `EndBehaviors`"));
}

TEST_F(ComponentGhostTest, TheRealNameTableMakesTheSixDataBehavioursAndReadsTheirParameters) {
    EXPECT_EQ(ComponentGhost::CreateBehavior("behaviorpatrol", 1), nullptr); // names are exact
    EXPECT_EQ(ComponentGhost::CreateBehavior("BehaviorMove", 1), nullptr);   // not one for data
    ComponentGhost::SetBehaviorFactory(nullptr);
    // Each behaviour reads its own parameters, so the next name is found after them.
    const ValueList data =
        WithSettings({"BehaviorChase", 0.5, 2.0, "BehaviorAlarm", 3, 1.5, "", "BehaviorPan", 90, 1.0, "BehaviorListen",
                      0.5, "BehaviorPatrol", 60, 1.0, "BehaviorGuard", 2.0, "EndBehaviors"});
    EXPECT_EQ(Spawn(data)->mActions.GetCount(), 6u);
    EXPECT_EQ(mStoppedAt, data.size());
}

TEST_F(ComponentGhostTest, SpawnDataBecomesWaypointNames) {
    const ValueList data = WithSettings({"EndBehaviors"});
    const ValueList instance{"wp1", "wp2", 3, "wp3"};
    ComponentGhost* ghost = Spawn(data, &instance);
    EXPECT_TRUE(ghost->mCatchesPlayer);
    EXPECT_TRUE(ghost->mActions.IsEmpty());
    EXPECT_EQ(ghost->mWaypointNames, (Strings{"wp1", "wp2", "", "wp3"}));
}

TEST_F(ComponentGhostTest, RoutesMessagesToTheList) {
    const ValueList data = WithSettings({"BehaviorPatrol", 0.0, "EndBehaviors"});
    ComponentGhost* ghost = Spawn(data);
    MessageUpdateLogic tick(0.5);
    PingMessage ping;
    Logic::MessageSpawned spawned;
    mEntity->HandleMessage(tick);
    mEntity->HandleMessage(ping);
    mEntity->HandleMessage(spawned);
    EXPECT_EQ(mJournal, (Strings{"BehaviorPatrol.update 0.500000", "BehaviorPatrol.PingMessage"}));

    Logic::MessageEndLevel end;
    ghost->HandleMessage(end);
    EXPECT_TRUE(mEntity->IsDestroyed());
    EXPECT_EQ(mJournal.size(), 2u); // not forwarded
    ghost->Deinitialize();
    EXPECT_TRUE(ghost->mActions.IsEmpty());
}

} // namespace
} // namespace Velmora::Ai
