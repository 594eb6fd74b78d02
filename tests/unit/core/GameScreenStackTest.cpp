#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/GameScreen.h"
#include "core/ISystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Velmora {
namespace {

// Records every call into one shared journal, so tests can check the order across screens.
struct Journal {
    std::vector<std::string> mEntries;
    std::vector<std::string> mDeleted;
};

class RecordingScreen : public GameScreen {
public:
    RecordingScreen(std::string name, Journal& journal) : mName(std::move(name)), mJournal(journal) {}
    ~RecordingScreen() override { mJournal.mDeleted.push_back(mName); }
    void SetPaused(bool paused) override {
        mJournal.mEntries.push_back(mName + (paused ? ".pause" : ".resume"));
        GameScreen::SetPaused(paused);
    }
    void Initialize() override { mJournal.mEntries.push_back(mName + ".init"); }
    void Deinitialize() override { mJournal.mEntries.push_back(mName + ".deinit"); }
    void HandleMessage(Message& message) override { mJournal.mEntries.push_back(mName + "." + message.GetName()); }

    std::string mName;
    Journal& mJournal;
};

class RecordingSystem : public ISystem {
public:
    RecordingSystem(std::string name, Journal& journal) : mName(std::move(name)), mJournal(journal) {}
    void HandleMessage(Message& message) override { mJournal.mEntries.push_back(mName + "." + message.GetName()); }

    std::string mName;
    Journal& mJournal;
};

// A game whose screens record into one journal; every screen left is removed at the end.
class GameScreenStack : public ::testing::Test {
protected:
    void TearDown() override {
        mGame.RemoveAllScreens();
        mGame.ProcessScreenChanges();
    }
    RecordingScreen* Push(const std::string& name) {
        auto* screen = new RecordingScreen(name, mJournal);
        mGame.PushScreen(screen);
        return screen;
    }

    Journal mJournal; // declared first: outlives the game, whose screens write to it when deleted
    Game mGame;
};

using GameBroadcast = GameScreenStack;

TEST_F(GameScreenStack, TwoPushesInOneFramePauseInOrderAndLeaveOnlyTheLastActive) {
    RecordingScreen* a = Push("a");
    mGame.ProcessScreenChanges();
    mJournal.mEntries.clear();

    RecordingScreen* b = Push("b");
    RecordingScreen* c = Push("c");
    EXPECT_EQ(mGame.GetScreens().size(), 1u) << "pushes wait for the end of the frame";
    mGame.ProcessScreenChanges();

    EXPECT_EQ(mJournal.mEntries, (std::vector<std::string>{"a.pause", "b.init", "b.pause", "c.init"}));
    EXPECT_EQ(mGame.GetTopScreen(), c);
    EXPECT_EQ(c->mBelow, b);
    EXPECT_EQ(b->mBelow, a);
    EXPECT_FALSE(c->mPaused);
}

TEST_F(GameScreenStack, RemovingTheTopResumesTheNewTopAndDeletesOnce) {
    RecordingScreen* a = Push("a");
    RecordingScreen* b = Push("b");
    mGame.ProcessScreenChanges();
    mJournal.mEntries.clear();

    mGame.RemoveScreen(b);
    mGame.RemoveScreen(b); // queued once only
    mGame.ProcessScreenChanges();
    EXPECT_EQ(mJournal.mEntries, (std::vector<std::string>{"b.deinit", "a.resume"}));
    EXPECT_EQ(mJournal.mDeleted, (std::vector<std::string>{"b"}));
    EXPECT_EQ(mGame.GetTopScreen(), a);
}

TEST_F(GameScreenStack, ReplacingTheWholeStackInOneFrame) {
    Push("menu");
    Push("credits");
    mGame.ProcessScreenChanges();
    mJournal.mEntries.clear();

    mGame.RemoveAllScreens();
    RecordingScreen* play = Push("play");
    mGame.ProcessScreenChanges();
    // Removals run from the back of the queue, then the push; nothing is left paused.
    EXPECT_EQ(mJournal.mEntries, (std::vector<std::string>{"credits.deinit", "menu.deinit", "play.init"}));
    ASSERT_EQ(mGame.GetScreens().size(), 1u);
    EXPECT_FALSE(play->mPaused);
}

TEST_F(GameScreenStack, ScreenRemovedInTheFrameOfItsPushIsDroppedWithoutUse) {
    mGame.RemoveScreen(Push("a"));
    mGame.ProcessScreenChanges();
    EXPECT_TRUE(mGame.GetScreens().empty());
    EXPECT_EQ(mJournal.mDeleted, (std::vector<std::string>{"a"}));
    EXPECT_TRUE(mJournal.mEntries.empty()) << "never initialised, so never deinitialised";
}

TEST_F(GameBroadcast, SystemsInOrderThenOnlyTheTopScreen) {
    RecordingSystem first("first", mJournal);
    RecordingSystem second("second", mJournal);
    mGame.AddSystem(&first);
    mGame.AddSystem(&second);
    MessageEndFrame end;
    mGame.SendMessage(end); // an empty stack: systems only
    EXPECT_EQ(mJournal.mEntries, (std::vector<std::string>{"first.MessageEndFrame", "second.MessageEndFrame"}));
    Push("below");
    Push("top");
    mGame.ProcessScreenChanges();
    mJournal.mEntries.clear();

    MessageUpdateLoop update(0.0);
    mGame.SendMessage(update);
    EXPECT_EQ(
        mJournal.mEntries,
        (std::vector<std::string>{"first.MessageUpdateLoop", "second.MessageUpdateLoop", "top.MessageUpdateLoop"}));
}

TEST_F(GameBroadcast, NestedSendIsDeliveredCompletelyBeforeTheOuterOneContinues) {
    struct Relay : RecordingSystem {
        Relay(Game& g, Journal& j) : RecordingSystem("relay", j), mGame(g) {}
        void HandleMessage(Message& message) override {
            RecordingSystem::HandleMessage(message);
            if (message.Is<MessageBeginFrame>()) {
                MessageEndFrame inner;
                mGame.SendMessage(inner);
            }
        }
        Game& mGame;
    };
    Relay relay(mGame, mJournal);
    RecordingSystem after("after", mJournal);
    mGame.AddSystem(&relay);
    mGame.AddSystem(&after);
    MessageBeginFrame outer;
    mGame.SendMessage(outer);
    EXPECT_EQ(mJournal.mEntries,
              (std::vector<std::string>{"relay.MessageBeginFrame", "relay.MessageEndFrame", "after.MessageEndFrame",
                                        "after.MessageBeginFrame"}));
}

} // namespace
} // namespace Velmora
