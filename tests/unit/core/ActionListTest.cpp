#include "core/ActionList.h"
#include "core/Message.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace Velmora {
namespace {

using Strings = std::vector<std::string>;

class PingMessage : public Message {
    VELMORA_MESSAGE(PingMessage)
};

// Records every call as "name.event" in a shared journal; finishes after a number of updates
// (never when 0) and runs an optional hook inside Update.
class RecordingAction : public Action {
public:
    RecordingAction(Strings& journal, std::string name, uint32_t lanes, bool blocking, int updatesToFinish = 0)
        : Action(lanes, blocking), mJournal(journal), mName(std::move(name)), mUpdatesToFinish(updatesToFinish) {}
    ~RecordingAction() override { Log("deleted"); }

    bool Update(double) override {
        ++mUpdates;
        Log("update");
        if (mOnUpdate) mOnUpdate();
        return mUpdatesToFinish > 0 && mUpdates >= mUpdatesToFinish;
    }
    void HandleMessage(Message& message) override { Log(message.GetName()); }
    void OnResume() override { Log("resume"); }
    void OnPause() override { Log("pause"); }
    void OnStart() override { Log("start"); }

    void Log(const std::string& event) { mJournal.push_back(mName + "." + event); }

    Strings& mJournal;
    std::string mName;
    int mUpdatesToFinish;
    int mUpdates = 0;
    std::function<void()> mOnUpdate;
};

class ActionListTest : public ::testing::Test {
protected:
    RecordingAction* Make(const std::string& name, uint32_t lanes, bool blocking, int updatesToFinish = 0) {
        return new RecordingAction(mJournal, name, lanes, blocking, updatesToFinish);
    }
    // The journal since the last call.
    Strings Take() {
        Strings taken = std::move(mJournal);
        mJournal.clear();
        return taken;
    }
    Strings Names() const {
        Strings names;
        for (Action* a = mList.GetHead(); a; a = a->GetNext()) names.push_back(static_cast<RecordingAction*>(a)->mName);
        return names;
    }

    Strings mJournal; // declared first: outlives the list, whose actions write to it when deleted
    ActionList mList;
};

TEST_F(ActionListTest, BlockerInsertedInFrontPausesTheBehaviourAndItResumesTheStepAfterTheBlockerFinishes) {
    RecordingAction* behaviour = Make("behaviour", kLaneBehavior, false);
    mList.PushBack(behaviour);
    mList.Update(0.1);
    EXPECT_EQ(Take(), (Strings{"behaviour.start", "behaviour.resume", "behaviour.update"}));

    // The behaviour puts a move in front of itself: it waits until the next step.
    behaviour->mOnUpdate = [&] {
        mList.InsertBefore(behaviour, Make("move", kLaneMovement | kLaneBehavior, true, 2));
        behaviour->mOnUpdate = nullptr;
    };
    mList.Update(0.1);
    EXPECT_EQ(Take(), (Strings{"behaviour.update"}));
    EXPECT_EQ(Names(), (Strings{"move", "behaviour"})); // the new action became the head

    mList.Update(0.1);
    EXPECT_EQ(Take(), (Strings{"move.start", "move.resume", "move.update", "behaviour.pause"}));
    // The move finishes in this step and still holds the behaviour up while doing so.
    mList.Update(0.1);
    EXPECT_EQ(Take(), (Strings{"move.update", "move.deleted"}));
    mList.Update(0.1);
    EXPECT_EQ(Take(), (Strings{"behaviour.resume", "behaviour.update"}));
    EXPECT_EQ(behaviour->mUpdates, 3); // steps 1, 2 and 5
}

TEST_F(ActionListTest, OnlySharedLanesOfBlockingActionsHoldOthersUp) {
    mList.PushBack(Make("emote", kLaneBehavior, false));
    mList.PushBack(Make("turn", kLaneFacing, true));
    mList.PushBack(Make("behaviour", kLaneBehavior, false));
    mList.PushBack(Make("look", kLaneFacing, false));
    mList.Update(0.5);
    mList.Update(0.5);
    const Strings journal = Take();
    // A non-blocking action on a shared lane never pauses anyone; a blocker only its own lanes.
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "behaviour.update"), 2);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "emote.update"), 2);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "look.start"), 0); // held up by the turn from the start
}

TEST_F(ActionListTest, RemovingLanesFromInsideAnUpdateIsSafeAndSkipsTheRemovedActions) {
    RecordingAction* chase = Make("chase", kLaneBehavior, false);
    mList.PushBack(Make("move", kLaneMovement, true));
    mList.PushBack(chase);
    mList.PushBack(Make("turn", kLaneFacing | kLaneBehavior, true));
    mList.PushBack(Make("listen", kLaneBehavior, false));
    // The chase throws out every movement and behaviour action, itself and the ones behind it
    // included, and appends its replacements. The move ran in this step, so it still holds up
    // the new movement lane user; the new behaviour runs at once.
    chase->mOnUpdate = [&] {
        mList.RemoveLanes(kLaneBehavior | kLaneMovement);
        mList.PushBack(Make("alarm", kLaneAlarm, true));
        mList.PushBack(Make("guard", kLaneBehavior, false));
        chase->mOnUpdate = nullptr;
    };
    mList.Update(0.1);
    EXPECT_EQ(Take(),
              (Strings{"move.start", "move.resume", "move.update", "chase.start", "chase.resume", "chase.update",
                       "guard.start", "guard.resume", "guard.update", "move.deleted", "chase.deleted", "turn.deleted",
                       "listen.deleted"}));
    EXPECT_EQ(Names(), (Strings{"alarm", "guard"}));
    mList.Update(0.1);
    EXPECT_EQ(Take(), (Strings{"alarm.start", "alarm.resume", "alarm.update", "guard.pause"}));
    EXPECT_FALSE(mList.IsWalking());
}

TEST_F(ActionListTest, RemoveReturnsTheNextActionAndAClearFromInsideAMessageTakesEverything) {
    RecordingAction* a = Make("a", 1, false);
    RecordingAction* b = Make("b", 0, false); // no lanes: only Clear and Remove reach it
    mList.PushBack(a);
    mList.PushBack(b);
    mList.RemoveLanes(0xFFFFFFFFu);
    EXPECT_EQ(Names(), (Strings{"b"}));
    mList.InsertBefore(b, Make("front", 1, false));
    EXPECT_EQ(mList.Remove(mList.GetHead()), b);
    Take();
    struct Clearing : RecordingAction {
        using RecordingAction::RecordingAction;
        void HandleMessage(Message&) override { mList->Clear(); }
        ActionList* mList = nullptr;
    };
    auto* clearing = new Clearing(mJournal, "clearing", 1, false);
    clearing->mList = &mList;
    mList.InsertBefore(b, clearing);
    mList.PushBack(Make("d", 1, false));
    PingMessage ping;
    mList.HandleMessage(ping);
    // Everything leaves play at once and is deleted afterwards.
    EXPECT_EQ(Take(), (Strings{"clearing.start", "clearing.deleted", "b.deleted", "d.deleted"}));
    EXPECT_TRUE(mList.IsEmpty());
}

TEST_F(ActionListTest, AnActionThatRemovesItselfStillBlocksForTheRestOfTheStep) {
    RecordingAction* blocker = Make("blocker", kLaneBehavior, true);
    blocker->mOnUpdate = [&] { mList.Remove(blocker); };
    mList.PushBack(blocker);
    mList.PushBack(Make("behaviour", kLaneBehavior, false));
    mList.Update(0.1);
    EXPECT_EQ(Take(), (Strings{"blocker.start", "blocker.resume", "blocker.update", "blocker.deleted"}));
    mList.Update(0.1);
    EXPECT_EQ(Take(), (Strings{"behaviour.start", "behaviour.resume", "behaviour.update"}));
}

} // namespace
} // namespace Velmora
