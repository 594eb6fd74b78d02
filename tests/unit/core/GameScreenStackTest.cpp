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
    void Initialize() override { mJournal.mEntries.push_back(mName + ".init"); }
    void HandleMessage(Message& message) override { mJournal.mEntries.push_back(mName + "." + message.GetName()); }

    std::string mName;
    Journal& mJournal;
};

TEST(GameScreenStack, TwoPushesInOneFramePauseInOrderAndLeaveOnlyTheLastActive) {
    Journal journal;
    Game game;
    auto* a = new RecordingScreen("a", journal);
    game.PushScreen(a);
    game.ProcessScreenChanges();
    journal.mEntries.clear();

    auto* b = new RecordingScreen("b", journal);
    auto* c = new RecordingScreen("c", journal);
    game.PushScreen(b);
    game.PushScreen(c);
    EXPECT_EQ(game.GetScreens().size(), 1u) << "pushes wait for the end of the frame";
    game.ProcessScreenChanges();

    EXPECT_EQ(journal.mEntries, (std::vector<std::string>{"a.pause", "b.init", "b.pause", "c.init"}));
    EXPECT_EQ(game.GetTopScreen(), c);
    EXPECT_EQ(c->mBelow, b);
    EXPECT_EQ(b->mBelow, a);
    EXPECT_EQ(a->mBelow, nullptr);
    EXPECT_TRUE(a->mPaused);
    EXPECT_TRUE(b->mPaused);
    EXPECT_FALSE(c->mPaused);
    game.RemoveAllScreens();
    game.ProcessScreenChanges();
}

TEST(GameScreenStack, RemovingTheTopResumesTheNewTopAndDeletesOnce) {
    Journal journal;
    Game game;
    auto* a = new RecordingScreen("a", journal);
    auto* b = new RecordingScreen("b", journal);
    game.PushScreen(a);
    game.PushScreen(b);
    game.ProcessScreenChanges();
    journal.mEntries.clear();

    game.RemoveScreen(b);
    game.RemoveScreen(b); // queued once only
    game.ProcessScreenChanges();
    EXPECT_EQ(journal.mEntries, (std::vector<std::string>{"b.deinit", "a.resume"}));
    EXPECT_EQ(journal.mDeleted, (std::vector<std::string>{"b"}));
    EXPECT_EQ(game.GetTopScreen(), a);
    EXPECT_EQ(a->mBelow, nullptr);
    game.RemoveAllScreens();
    game.ProcessScreenChanges();
    EXPECT_EQ(journal.mDeleted, (std::vector<std::string>{"b", "a"}));
}

TEST(GameScreenStack, ReplacingTheWholeStackInOneFrame) {
    Journal journal;
    Game game;
    game.PushScreen(new RecordingScreen("menu", journal));
    game.PushScreen(new RecordingScreen("credits", journal));
    game.ProcessScreenChanges();
    journal.mEntries.clear();

    game.RemoveAllScreens();
    auto* play = new RecordingScreen("play", journal);
    game.PushScreen(play);
    game.ProcessScreenChanges();
    // Removals run from the back of the queue, then the push; nothing is left paused.
    EXPECT_EQ(journal.mEntries, (std::vector<std::string>{"credits.deinit", "menu.deinit", "play.init"}));
    ASSERT_EQ(game.GetScreens().size(), 1u);
    EXPECT_FALSE(play->mPaused);
    game.RemoveAllScreens();
    game.ProcessScreenChanges();
}

TEST(GameScreenStack, ScreenRemovedInTheFrameOfItsPushIsDroppedWithoutUse) {
    Journal journal;
    Game game;
    auto* a = new RecordingScreen("a", journal);
    game.PushScreen(a);
    game.RemoveScreen(a);
    game.ProcessScreenChanges();
    EXPECT_TRUE(game.GetScreens().empty());
    EXPECT_EQ(journal.mDeleted, (std::vector<std::string>{"a"}));
    EXPECT_TRUE(journal.mEntries.empty()) << "never initialised, so never deinitialised";
}

TEST(GameScreenStack, ScreensQueuedDuringInitializeWaitForTheNextFrame) {
    Journal journal;
    Game game;
    struct Pusher : RecordingScreen {
        Pusher(Game& g, Journal& j) : RecordingScreen("pusher", j), mGame(g) {}
        void Initialize() override {
            RecordingScreen::Initialize();
            mGame.PushScreen(new RecordingScreen("late", mJournal));
        }
        Game& mGame;
    };
    game.PushScreen(new Pusher(game, journal));
    game.ProcessScreenChanges();
    EXPECT_EQ(game.GetScreens().size(), 1u);
    game.ProcessScreenChanges();
    EXPECT_EQ(game.GetScreens().size(), 2u);
    game.RemoveAllScreens();
    game.ProcessScreenChanges();
}

TEST(GameBroadcast, SystemsInOrderThenOnlyTheTopScreen) {
    Journal journal;
    Game game;
    RecordingSystem first("first", journal);
    RecordingSystem second("second", journal);
    game.AddSystem(&first);
    game.AddSystem(&second);
    game.PushScreen(new RecordingScreen("below", journal));
    game.PushScreen(new RecordingScreen("top", journal));
    game.ProcessScreenChanges();
    journal.mEntries.clear();

    MessageUpdateLoop update(0.0);
    game.SendMessage(update);
    EXPECT_EQ(
        journal.mEntries,
        (std::vector<std::string>{"first.MessageUpdateLoop", "second.MessageUpdateLoop", "top.MessageUpdateLoop"}));
    game.RemoveAllScreens();
    game.ProcessScreenChanges();
}

TEST(GameBroadcast, EmptyStackReachesSystemsOnly) {
    Journal journal;
    Game game;
    RecordingSystem system("system", journal);
    game.AddSystem(&system);
    MessageEndFrame end;
    game.SendMessage(end);
    EXPECT_EQ(journal.mEntries, (std::vector<std::string>{"system.MessageEndFrame"}));
}

TEST(GameBroadcast, NestedSendIsDeliveredCompletelyBeforeTheOuterOneContinues) {
    Journal journal;
    Game game;
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
    Relay relay(game, journal);
    RecordingSystem after("after", journal);
    game.AddSystem(&relay);
    game.AddSystem(&after);
    MessageBeginFrame outer;
    game.SendMessage(outer);
    EXPECT_EQ(journal.mEntries,
              (std::vector<std::string>{"relay.MessageBeginFrame", "relay.MessageEndFrame", "after.MessageEndFrame",
                                        "after.MessageBeginFrame"}));
}

TEST(GameSystems, SystemAddedAfterInitializationIsInitializedAtOnce) {
    Journal journal;
    Game game;
    RecordingSystem early("early", journal);
    game.AddSystem(&early);
    EXPECT_TRUE(journal.mEntries.empty());
    game.mInitialized = true;
    RecordingSystem late("late", journal);
    game.AddSystem(&late);
    EXPECT_EQ(journal.mEntries, (std::vector<std::string>{"late.init"}));
}

TEST(Messages, TypeTagsIdentifyClassesAndNamesMatch) {
    MessageUpdateLoop update(0.25);
    Message& message = update;
    EXPECT_TRUE(message.Is<MessageUpdateLoop>());
    EXPECT_FALSE(message.Is<MessageUpdateLogic>());
    EXPECT_EQ(MessageCast<MessageUpdateLogic>(message), nullptr);
    ASSERT_NE(MessageCast<MessageUpdateLoop>(message), nullptr);
    EXPECT_DOUBLE_EQ(MessageCast<MessageUpdateLoop>(message)->mDt, 0.25);
    EXPECT_EQ(MessageWindowInactive().GetName(), "MessageWindowInactive");
    EXPECT_EQ(&MessageEndFrame::StaticName(), &MessageEndFrame().GetName());
}

} // namespace
} // namespace Velmora
