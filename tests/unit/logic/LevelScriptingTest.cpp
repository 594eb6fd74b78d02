// What level scripts reach in the game: notifications, doors, videos and the console switch,
// and the trigger zones that turn the player's walk into events (edges and order).
#include "unit/logic/GameFixtures.h"

#include "console/ConsoleManager.h"
#include "core/Value.h"
#include "game/ComponentTriggerZone.h"
#include "game/LevelScriptBindings.h"
#include "script/ScriptManager.h"

#include <utility>

namespace Velmora {
namespace {

using Logic::ComponentTriggerZone;

class LevelScriptingTest : public ::testing::Test {
protected:
    void SetUp() override { Tests::ResetWorld(); }
    void TearDown() override {
        Tests::ResetWorld();
        Logic::LogicManager::GetInstance().ClearNotifications();
    }
    std::string Printed(const std::string& text) {
        mLog.mLines.clear();
        Script::ScriptManager::GetInstance().Execute(text);
        return mLog.mLines.size() == 1 ? mLog.mLines[0] : "?";
    }

    Tests::LogCapture mLog;
};

TEST_F(LevelScriptingTest, NotificationsComeAndGo) {
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    Printed("notify('Hello') notify(string.rep('x', 1000000))");
    ASSERT_EQ(logic.GetNotifications().size(), 2u);
    EXPECT_EQ(logic.GetNotifications()[1].mText.size(), 256u); // cut short
    Printed("clearNotifications()");
    EXPECT_TRUE(logic.GetNotifications().empty());
}

TEST_F(LevelScriptingTest, DoorsAnswerWhyTheyDidNotMove) {
    EXPECT_EQ(Printed("print(openDoor(0, 0))"), "[LUA:1] falseno level loaded");
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    logic.SetLevel(Tests::MakeLevel({"1 11 11 1", "1 0 12 1"}));
    const std::vector<int32_t> before = logic.GetLevel()->GetLiveCells();
    const std::pair<const char*, const char*> cases[] = {
        {"print(openDoor(-1, 0))", "[LUA:1] falseinvalid position"},
        {"print(closeDoor(0, 2))", "[LUA:1] falseinvalid position"},
        {"print(openDoor(1, 0))", "[LUA:1] falsenot a closed door"},
        {"print(closeDoor(1, 1))", "[LUA:1] falsenot an open door"},
    };
    for (const auto& [call, answer] : cases) EXPECT_EQ(Printed(call), answer) << call;
    EXPECT_EQ(logic.GetLevel()->GetLiveCells(), before);
    EXPECT_EQ(Printed("print(openDoor(1, 1))"), "[LUA:1] true");
    EXPECT_EQ(logic.GetLevel()->GetLiveCell(2, 1), Logic::kTileOpenDoor); // the whole run
    EXPECT_EQ(Printed("print(closeDoor(2, 0))"), "[LUA:1] true");
    EXPECT_EQ(logic.GetLevel()->GetLiveCell(1, 1), Logic::kTileClosedDoor);
    EXPECT_EQ(logic.GetLevel()->GetLiveCell(2, 0), Logic::kTileClosedDoor);
}

TEST_F(LevelScriptingTest, PlayVideoGoesThroughItsReplaceableHook) {
    Logic::LevelScriptBindings::SetVideoPlayer(nullptr); // the game connects the video screen here
    EXPECT_NE(Printed("playVideo('movie.ogg')").find("`movie.ogg` not played"), std::string::npos);
    std::string played;
    Logic::LevelScriptBindings::SetVideoPlayer([&played](const std::string& file) { played = file; });
    Printed("playVideo('movie.ogg')");
    Logic::LevelScriptBindings::SetVideoPlayer(nullptr);
    EXPECT_EQ(played, "movie.ogg");
}

TEST_F(LevelScriptingTest, HidingTheConsoleKeepsItMarkedAsShown) {
    Debug::ConsoleManager& console = Debug::ConsoleManager::GetInstance();
    EXPECT_EQ(Printed("print(Engine.Console(true))"), "[LUA:1] true");
    EXPECT_EQ(Printed("print(Engine.Console(false), Engine.Console())"), "[LUA:1] falsefalse");
    EXPECT_FALSE(console.IsVisible());
    EXPECT_TRUE(console.mActive);
}

class TriggerZoneTest : public ::testing::Test {
protected:
    // A zone entity of a manager of its own, spawned with the given data.
    ComponentTriggerZone& MakeZone(int id, ValueList data) {
        auto* entity = new Entity(id, &mManager);
        auto* zone = new ComponentTriggerZone(entity);
        entity->AddComponent(zone);
        entity->Spawn(&data);
        return *zone;
    }
    // Walks the point through the zones and lists the events as "ENTER 2", "EXIT 2".
    std::vector<std::string> Walk(const std::vector<Vector2>& points) {
        std::vector<std::string> events;
        for (const Vector2& point : points) {
            ComponentTriggerZone::UpdateZones(point, [&events](int event, int zoneId) {
                events.push_back((event == Logic::kEventEnterZone ? "ENTER " : "EXIT ") + std::to_string(zoneId));
            });
        }
        return events;
    }

    EntityManager mManager;
};

TEST_F(TriggerZoneTest, CornersAreSortedAndTheMaximumEdgeIsOutside) {
    const ComponentTriggerZone& zone = MakeZone(1, {2, Vector2(64, 0), Vector2(0, 32)});
    EXPECT_EQ(zone.mZoneId, 2);
    const std::pair<Vector2, bool> cases[] = {
        {{0, 0}, true}, {{63.9, 31.9}, true}, {{64, 10}, false}, {{10, 32}, false}, {{-0.1, 10}, false}};
    for (const auto& [point, inside] : cases) EXPECT_EQ(zone.Contains(point), inside) << point.x << "," << point.y;
}

TEST_F(TriggerZoneTest, EnteringAndLeavingFireOncePerCrossing) {
    MakeZone(1, {2, Vector2(0, 0), Vector2(64, 64)});
    MakeZone(2, {7, Vector2(32, 0), Vector2(96, 64)});
    EXPECT_EQ(Walk({{-10, 10}, {10, 10}, {20, 10}, {40, 10}, {64, 10}, {100, 10}}),
              (std::vector<std::string>{"ENTER 2", "ENTER 7", "EXIT 2", "EXIT 7"}));
}

} // namespace
} // namespace Velmora
