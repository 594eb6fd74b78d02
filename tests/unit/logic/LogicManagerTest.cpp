// The logic manager: campaign files, loading, beginning, reloading and ending levels with their
// messages, spawning, notifications, and the visibility registry.
#include "unit/logic/GameFixtures.h"

#include "core/Value.h"
#include "support/GraphicsFixtures.h"
#include "world/LevelMessages.h"

namespace Velmora {
namespace {

using Logic::LogicManager;

// Writes down the level messages its entity receives, with the entity's position at the time.
class ComponentLevelDiary : public Component, public TComponent<ComponentLevelDiary> {
    VELMORA_COMPONENT(ComponentLevelDiary)
public:
    explicit ComponentLevelDiary(Entity* owner) : Component(owner) {}
    void HandleMessage(Message& message) override {
        if (message.Is<Logic::MessageSpawned>() || message.Is<Logic::MessageBeginLevel>() ||
            message.Is<Logic::MessageEndLevel>()) {
            const auto* transform = mOwner->GetComponent<Graphics::ComponentTransform>();
            sDiary.push_back(mOwner->GetName() + ":" + message.GetName());
            if (transform && message.Is<Logic::MessageSpawned>()) mSpawnedAt = transform->mPosition;
        }
    }
    Vector2 mSpawnedAt{-1.0, -1.0};
    static inline std::vector<std::string> sDiary;
};

// Records the broadcasts that reach it as the top screen.
class DiaryScreen : public GameScreen {
public:
    void HandleMessage(Message& message) override {
        if (message.Is<Logic::MessageBeginLevel>())
            ComponentLevelDiary::sDiary.push_back("screen:" + message.GetName());
    }
};

std::string LevelText(const std::string& name, const std::string& entities) {
    return "<level><name>" + name +
        "</name><tilemap width='3' height='2'>0 0 0 1 2 1</tilemap>"
        "<medals gold='1' silver='2' bronze='3'/>" +
        entities + "</level>";
}

std::string Spawn(const std::string& archetype, const std::string& name, double x, double y) {
    return "<entity><archetype>" + archetype + "</archetype><name>" + name + "</name><position x='" +
        std::to_string(x) + "' y='" + std::to_string(y) + "'/><direction x='0' y='1'/></entity>";
}

class LogicManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Tests::ContentTiles();
        Tests::InstallSoundwaveArchetype();
        ComponentFactory::GetInstance().Register<ComponentLevelDiary>();
        Tests::WriteFile(
            mRoot.Path() + "/data/object/diarist.xml",
            "<archetype><string>ComponentLevelDiary</string><string>ComponentTransform</string></archetype>");
        Factory::GetInstance().LoadArchetype("diarist", mRoot.Path() + "/data/object/diarist.xml", false);
        Logic::ParticleManager::GetInstance().Initialize();
        Tests::ResetWorld();
        ComponentLevelDiary::sDiary.clear();
    }
    void TearDown() override {
        Tests::ResetWorld();
        LogicManager::GetInstance().LoadCampaign("");
        LogicManager::GetInstance().ClearNotifications();
    }

    void WriteCampaign(const std::string& id, const std::string& text) {
        Tests::WriteFile(mRoot.Path() + "/data/level/" + id + "/campaign.xml", text);
    }
    void WriteLevel(const std::string& id, const std::string& name, const std::string& entities) {
        Tests::WriteFile(mRoot.Path() + "/data/level/" + id + "/" + name + ".xml", LevelText(name, entities));
    }

    Tests::ScopedDataRoot mRoot;
    LogicManager& mLogic = LogicManager::GetInstance();
};

TEST_F(LogicManagerTest, ACampaignWithoutLevelsIsRefusedAndLoggedAMissingOneSilently) {
    mLogic.SetLevel(Tests::MakeLevel({"0"}));
    {
        Tests::LogCapture log;
        EXPECT_FALSE(mLogic.LoadCampaign("nowhere"));
        EXPECT_TRUE(log.mLines.empty() && log.mCritical.empty());
        EXPECT_EQ(mLogic.GetLevel(), nullptr); // loading a campaign always ends the level
    }
    WriteCampaign("good", "<campaign><levels><level>one</level></levels></campaign>");
    ASSERT_TRUE(mLogic.LoadCampaign("good"));
    for (const std::string text :
         {"<campaign><levels/></campaign>", "<campaign><level>one</level></campaign>", "not xml <"}) {
        WriteCampaign("bad", text);
        Tests::LogCapture log;
        EXPECT_FALSE(mLogic.LoadCampaign("bad")) << text;
        EXPECT_EQ(log.mLines, std::vector<std::string>{"[LOGIC:1] Campaign has no levels"}) << text;
        EXPECT_EQ(log.mCritical.size(), 1u);
        EXPECT_EQ(mLogic.GetCampaignId(), ""); // the good campaign is gone too
    }
}

TEST_F(LogicManagerTest, BeginLevelSpawnsWhatItCanThenAnnouncesTheLevel) {
    WriteCampaign("camp", "<campaign><levels><level>a</level></levels></campaign>");
    WriteLevel("camp", "a",
               Spawn("diarist", "first", 10, 20) + Spawn("nope", "lost", 0, 0) + Spawn("diarist", "second", 40, 8));
    ASSERT_TRUE(mLogic.LoadCampaign("camp"));
    mLogic.GetLevelCounters().mShatter = 7;
    Logic::ParticleManager::GetInstance().EmitGlassBurst({0.0, 0.0});
    auto* screen = new DiaryScreen();
    Game::GetInstance().PushScreen(screen);
    Game::GetInstance().ProcessScreenChanges();
    Tests::LogCapture log;
    ASSERT_TRUE(mLogic.LoadLevel("a"));
    Game::GetInstance().RemoveAllScreens();
    Game::GetInstance().ProcessScreenChanges();

    EXPECT_TRUE(log.Contains("Cannot find archetype `nope`"));
    ASSERT_NE(mLogic.GetLevel(), nullptr);
    EXPECT_EQ(mLogic.GetLevel()->GetName(), "a");
    EXPECT_EQ(mLogic.GetLevelCounters().mShatter, 0);
    EXPECT_EQ(Logic::ParticleManager::GetInstance().GetCount(), 0);
    // Spawned in list order, each told at once; then every entity (newest first), then the screen.
    EXPECT_EQ(ComponentLevelDiary::sDiary,
              (std::vector<std::string>{"first:MessageSpawned", "second:MessageSpawned", "second:MessageBeginLevel",
                                        "first:MessageBeginLevel", "screen:MessageBeginLevel"}));
    Entity* first = EntityManager::GetInstance().FindByName("first");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetComponent<ComponentLevelDiary>()->mSpawnedAt, Vector2(10.0, 20.0));
    EXPECT_EQ(first->GetComponent<Graphics::ComponentTransform>()->mDirection, Vector2(0.0, 1.0));
}

TEST_F(LogicManagerTest, LoadingAnotherLevelEndsTheOldOne) {
    WriteCampaign("camp", "<campaign><levels><level>a</level><level>b</level></levels></campaign>");
    WriteLevel("camp", "a", Spawn("diarist", "old", 10, 20));
    WriteLevel("camp", "b", Spawn("diarist", "new", 10, 20));
    ASSERT_TRUE(mLogic.LoadCampaign("camp"));
    ASSERT_TRUE(mLogic.LoadLevel("a"));
    mLogic.GetVisibilityRegistry().AddVisible(1, 2);
    ComponentLevelDiary::sDiary.clear();
    ASSERT_TRUE(mLogic.LoadLevel("b"));
    ASSERT_GE(ComponentLevelDiary::sDiary.size(), 1u);
    EXPECT_EQ(ComponentLevelDiary::sDiary[0], "old:MessageEndLevel");
    EXPECT_TRUE(mLogic.GetVisibilityRegistry().GetVisible(1).empty());

    // Reloading ends and begins the same level again.
    ComponentLevelDiary::sDiary.clear();
    ASSERT_TRUE(mLogic.ReloadLevel());
    EXPECT_EQ(mLogic.GetLevel()->GetName(), "b");
    const std::vector<std::string>& diary = ComponentLevelDiary::sDiary;
    EXPECT_NE(std::find(diary.begin(), diary.end(), "new:MessageEndLevel"), diary.end());
    EXPECT_NE(std::find(diary.begin(), diary.end(), "new:MessageSpawned"), diary.end());

    // A level that fails to load leaves none; the old one has still ended.
    ComponentLevelDiary::sDiary.clear();
    Tests::LogCapture log;
    EXPECT_FALSE(mLogic.LoadLevel("missing"));
    EXPECT_EQ(mLogic.GetLevel(), nullptr);
    EXPECT_FALSE(mLogic.ReloadLevel());
    EXPECT_FALSE(ComponentLevelDiary::sDiary.empty());
}

TEST_F(LogicManagerTest, SetLevelEndsTheOldLevelWithoutBeginningTheNew) {
    mLogic.SetLevel(Tests::MakeLevel({"0 0"}));
    Entity* diarist = Factory::GetInstance().Create("diarist", nullptr);
    ASSERT_NE(diarist, nullptr);
    diarist->SetName("d");
    mLogic.SetLevel(Tests::MakeLevel({"0 1"}));
    EXPECT_EQ(ComponentLevelDiary::sDiary, (std::vector<std::string>{"d:MessageEndLevel"}));
    EXPECT_EQ(mLogic.GetLevel()->GetLiveCell(1, 0), 1);
}

TEST_F(LogicManagerTest, NotificationsRunDownAndAreBounded) {
    mLogic.AddNotification("first");
    mLogic.UpdateNotifications(2.0);
    mLogic.AddNotification("second");
    mLogic.UpdateNotifications(3.0); // five seconds each
    ASSERT_EQ(mLogic.GetNotifications().size(), 1u);
    EXPECT_EQ(mLogic.GetNotifications()[0].mText, "second");
    for (int i = 0; i < 100; ++i) mLogic.AddNotification("n" + std::to_string(i));
    ASSERT_EQ(mLogic.GetNotifications().size(), LogicManager::kMaxNotifications);
    EXPECT_EQ(mLogic.GetNotifications().back().mText, "n99");
    EXPECT_EQ(mLogic.GetNotifications().front().mText, "n36"); // the oldest went first
}

TEST(VisibilityRegistryTest, PairsAreReportedOnlyWhenTheyChange) {
    Ai::VisibilityRegistry registry;
    EXPECT_TRUE(registry.AddVisible(4, 5));
    EXPECT_FALSE(registry.AddVisible(4, 5));
    EXPECT_TRUE(registry.AddVisible(4, 2));
    EXPECT_TRUE(registry.AddVisible(7, 5));
    EXPECT_TRUE(registry.RemoveVisible(4, 5));
    EXPECT_FALSE(registry.RemoveVisible(4, 5));
    EXPECT_EQ(registry.GetVisible(4), (std::set<uint32_t>{2}));
    EXPECT_EQ(registry.GetVisible(7), (std::set<uint32_t>{5}));
}

} // namespace
} // namespace Velmora
