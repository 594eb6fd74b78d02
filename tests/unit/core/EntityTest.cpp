#include "TestComponents.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"

#include <gtest/gtest.h>

namespace Velmora {
namespace {

using Tests::ComponentAlpha;
using Tests::ComponentBeta;
using Tests::ComponentGamma;
using Tests::Journal;
using Strings = std::vector<std::string>;

class EntityTest : public ::testing::Test {
protected:
    void SetUp() override { Journal().clear(); }

    // A spawned entity with the named test components, added in the given order.
    Entity* Spawn(int id, const Strings& components = {}) {
        auto* entity = new Entity(id, &mManager);
        for (const std::string& name : components) {
            if (name == "ComponentAlpha") entity->AddComponent(new ComponentAlpha(entity));
            if (name == "ComponentBeta") entity->AddComponent(new ComponentBeta(entity));
            if (name == "ComponentGamma") entity->AddComponent(new ComponentGamma(entity));
        }
        entity->Spawn(nullptr);
        return entity;
    }

    Strings ListedIds() const {
        Strings ids;
        for (Entity* entity = mManager.GetFirst(); entity; entity = entity->GetNext()) {
            ids.push_back(std::to_string(entity->GetId()));
        }
        return ids;
    }

    static Strings Matching(const std::string& event) {
        Strings found;
        for (const std::string& entry : Journal()) {
            if (entry.ends_with(event)) found.push_back(entry);
        }
        return found;
    }

    void EndFrame() {
        MessageEndFrame end;
        mManager.HandleMessage(end);
    }

    EntityManager mManager;
};

TEST_F(EntityTest, ComponentsGetMessagesInAscendingNameOrderAndEntitiesNewestFirst) {
    Spawn(1, {"ComponentGamma", "ComponentAlpha", "ComponentBeta"});
    Spawn(2, {"ComponentBeta", "ComponentAlpha"});
    EXPECT_EQ(ListedIds(), (Strings{"2", "1"}));
    Journal().clear();

    MessageUpdateLogic tick(1.0 / 60.0);
    mManager.SendToAll(tick);
    EXPECT_EQ(Journal(),
              (Strings{"ComponentAlpha#2.MessageUpdateLogic", "ComponentBeta#2.MessageUpdateLogic",
                       "ComponentAlpha#1.MessageUpdateLogic", "ComponentBeta#1.MessageUpdateLogic",
                       "ComponentGamma#1.MessageUpdateLogic"}));
}

TEST_F(EntityTest, EntityDestroyedDuringATickIsSilentButAliveUntilTheEndOfTheFrame) {
    Entity* oldest = Spawn(1, {"ComponentAlpha"});
    Entity* middle = Spawn(2, {"ComponentAlpha", "ComponentBeta"});
    Entity* newest = Spawn(3, {"ComponentAlpha"});
    // The newest entity destroys the oldest, which has not had its turn yet; the middle one
    // destroys itself from its first component, so its second still hears this message.
    newest->GetComponent<ComponentAlpha>()->mOnMessage = [oldest](Message&) { oldest->Destroy(); };
    middle->GetComponent<ComponentAlpha>()->mOnMessage = [middle](Message&) { middle->Destroy(); };
    Journal().clear();

    MessageUpdateLogic tick(1.0 / 60.0);
    mManager.SendToAll(tick);
    EXPECT_EQ(Journal(),
              (Strings{"ComponentAlpha#3.MessageUpdateLogic", "ComponentAlpha#2.MessageUpdateLogic",
                       "ComponentBeta#2.MessageUpdateLogic"}));
    mManager.SendToAll(tick);
    EXPECT_EQ(Matching(".MessageUpdateLogic").size(), 4u) << "destroyed entities hear nothing more";

    // Until the end of the frame they are still listed, found and their components alive.
    EXPECT_EQ(mManager.FindById(1), oldest);
    EXPECT_EQ(ComponentAlpha::GetInstances().size(), 3u);

    Journal().clear();
    EndFrame();
    // Deleted from the back of the doomed list: the middle one was destroyed last.
    EXPECT_EQ(Journal(),
              (Strings{"ComponentAlpha#2.Deinitialize", "ComponentBeta#2.Deinitialize", "ComponentAlpha#2.deleted",
                       "ComponentBeta#2.deleted", "ComponentAlpha#1.Deinitialize", "ComponentAlpha#1.deleted"}));
    EXPECT_EQ(ListedIds(), (Strings{"3"}));
    EXPECT_EQ(mManager.FindById(1), nullptr);
}

TEST_F(EntityTest, EntitySpawnedDuringADeliveryIsSkippedByIt) {
    Entity* first = Spawn(1, {"ComponentAlpha"});
    Spawn(2, {"ComponentAlpha"});
    first->GetComponent<ComponentAlpha>()->mOnMessage = [this, first](Message&) {
        first->GetComponent<ComponentAlpha>()->mOnMessage = nullptr;
        Spawn(3, {"ComponentAlpha"});
    };
    Journal().clear();

    MessageUpdateLogic tick(0.5);
    mManager.SendToAll(tick);
    EXPECT_EQ(Matching(".MessageUpdateLogic"),
              (Strings{"ComponentAlpha#2.MessageUpdateLogic", "ComponentAlpha#1.MessageUpdateLogic"}));
    EXPECT_EQ(ListedIds(), (Strings{"3", "2", "1"}));
    Journal().clear();
    mManager.SendToAll(tick);
    EXPECT_EQ(Journal().front(), "ComponentAlpha#3.MessageUpdateLogic");
}

TEST_F(EntityTest, ANameFindsItsLatestHolderAndNeverADeletedEntity) {
    for (const bool deleteOlder : {true, false}) {
        Entity* older = Spawn(1);
        older->SetName("guard");
        Entity* newer = Spawn(2);
        newer->SetName("guard");
        EXPECT_EQ(mManager.FindByName("guard"), newer);
        (deleteOlder ? older : newer)->Destroy();
        EXPECT_EQ(mManager.FindByName("guard"), newer) << "only deletion touches the name";
        EndFrame();
        EXPECT_EQ(mManager.FindByName("guard"), nullptr);
        mManager.Deinitialize();
    }
    // Renaming releases the old name, but only if the entity holds it.
    Entity* a = Spawn(1);
    a->SetName("x");
    Entity* b = Spawn(2);
    b->SetName("x");
    a->SetName("y");
    EXPECT_EQ(mManager.FindByName("x"), b);
    b->SetName("z");
    EXPECT_EQ(mManager.FindByName("x"), nullptr);
}

TEST_F(EntityTest, ScriptReferencesAreMadeOnceThroughTheHookAndReleasedOnDeletion) {
    Entity* entity = Spawn(1);
    int made = 0;
    Strings released;
    mManager.SetScriptHooks(
        [&made](Entity& e) {
            ++made;
            return e.GetId() == 3 ? -1 : 40 + e.GetId(); // -1: the script side made no reference
        },
        [&released](int ref) { released.push_back(std::to_string(ref)); });
    EXPECT_EQ(entity->GetScriptRef(), 41);
    EXPECT_EQ(entity->GetScriptRef(), 41);
    EXPECT_EQ(made, 1);
    Spawn(2); // never asked for a reference
    Entity* refused = Spawn(3);
    EXPECT_EQ(refused->GetScriptRef(), -1);

    for (int id = 1; id <= 3; ++id) mManager.FindById(id)->Destroy();
    EndFrame();
    EXPECT_EQ(released, (Strings{"41"}));
}

TEST_F(EntityTest, EndOfFrameInsideADeliveryWaitsForTheNextOne) {
    Entity* victim = Spawn(1, {"ComponentAlpha"});
    Entity* actor = Spawn(2, {"ComponentAlpha"});
    actor->GetComponent<ComponentAlpha>()->mOnMessage = [this, victim](Message&) {
        victim->Destroy();
        EndFrame(); // must not delete the entity the delivery is about to walk to
    };
    MessageUpdateLogic tick(0.1);
    mManager.SendToAll(tick);
    EXPECT_EQ(mManager.GetDoomedCount(), 1u);
    actor->GetComponent<ComponentAlpha>()->mOnMessage = nullptr;
    EndFrame();
    EXPECT_EQ(mManager.GetDoomedCount(), 0u);
    EXPECT_EQ(ListedIds(), (Strings{"2"}));
}

} // namespace
} // namespace Velmora
