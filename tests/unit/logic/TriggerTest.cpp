// Level triggers: reading with every refusal the format names, the writer's round trip (CDATA
// breakers included), levels that keep loading past a broken trigger, and firing: counters,
// rules, file order, errors, and a callback that ends its own level.
#include "unit/logic/GameFixtures.h"

#include "core/XmlFile.h"
#include "game/TriggerSet.h"
#include "support/GraphicsFixtures.h"
#include "world/TriggerFile.h"

#include <tinyxml.h>

namespace Velmora {
namespace {

using Logic::TriggerFile;
using Logic::TriggerList;

// The triggers of the <trigger> elements in a text; false entries are the refused ones.
std::vector<bool> ReadInto(const std::string& text, TriggerList& triggers) {
    TiXmlDocument document;
    EXPECT_TRUE(ParseXmlText("<level>" + text + "</level>", document)) << text;
    std::vector<bool> accepted;
    const TiXmlElement* root = document.RootElement();
    for (const TiXmlElement* e = root ? root->FirstChildElement("trigger") : nullptr; e;
         e = e->NextSiblingElement("trigger")) {
        accepted.push_back(TriggerFile::ReadTrigger(*e, triggers));
    }
    return accepted;
}

std::string Written(const TriggerList& triggers) {
    std::ostringstream out;
    TriggerFile::WriteTriggers(triggers, out);
    return out.str();
}

class TriggerTest : public ::testing::Test {
protected:
    // Fires an event and returns what its callbacks printed, one entry per line.
    std::vector<std::string> Fire(Logic::TriggerEvent event, int zoneId = 0) {
        mLog.mLines.clear();
        mSet.FireEvent(&mTriggers, event, zoneId);
        std::vector<std::string> printed;
        for (const std::string& line : mLog.mLines) printed.push_back(line.substr(line.find("] ") + 2));
        return printed;
    }

    // Writes a one-cell level of the campaign folder "camp" with the given triggers.
    static void WriteLevel(const Tests::ScopedDataRoot& root, const std::string& name, const std::string& triggers) {
        Tests::WriteFile(root.Path() + "/data/level/camp/" + name + ".xml",
                         "<level><name>" + name + "</name><tilemap width='1' height='1'>0</tilemap>" +
                             "<medals gold='1' silver='2' bronze='3'/>" + triggers + "</level>");
    }

    Tests::LogCapture mLog;
    Logic::GameCounters mGame;
    Logic::GameCounters mLevel;
    int mNotifications = 0;
    Logic::TriggerSet mSet{mGame, mLevel, [this] { return mNotifications; }};
    TriggerList mTriggers;
};

TEST_F(TriggerTest, ReadingRefusesEachFaultWithItsMessageAndAppendsNothing) {
    const struct {
        const char* mXml;
        const char* mMessage;
    } cases[] = {
        {"<trigger><callback/></trigger>", "Trigger missing event attribute"},
        {"<trigger event='NONE'><callback/></trigger>", "Trigger has invalid event attribute: NONE"},
        {"<trigger event='TICK'><rule op='EQ'/><callback/></trigger>", "Trigger rule has no type"},
        {"<trigger event='TICK'><rule type='X' op='EQ'/><callback/></trigger>", "Trigger rule has invalid type: X"},
        {"<trigger event='TICK'><rule type='NUMTICKS'/><callback/></trigger>", "Trigger rule has no op"},
        {"<trigger event='TICK'><rule type='NUMTICKS' op='NE'/><callback/></trigger>",
         "Trigger rule has invalid op: NE"},
        {"<trigger event='TICK'></trigger>", "Trigger missing <callback> element"},
        {"<trigger event='TICK'><callback>notify(</callback></trigger>",
         "Trigger callback failed to compile: TICK trigger:1:"},
    };
    for (const auto& c : cases) {
        TriggerList triggers;
        mLog.mLines.clear();
        EXPECT_EQ(ReadInto(c.mXml, triggers), std::vector<bool>{false}) << c.mXml;
        EXPECT_TRUE(triggers.empty());
        EXPECT_TRUE(mLog.Contains(std::string("[LOGIC:1] ") + c.mMessage)) << c.mXml;
    }
}

TEST_F(TriggerTest, WrittenTriggersReadBackUnchanged) {
    ReadInto(
        "<trigger event='STEP'><rule type='NUMSTEPS' op='EQ' param='10'/><rule type='IN_ZONE' op='GTE' param='0'/>"
        "<other/><callback><![CDATA[notify(\"a]]]]><![CDATA[>b\")]]></callback></trigger>"
        "<trigger event='WIN'><callback/></trigger>",
        mTriggers);
    const std::string text = Written(mTriggers);
    TriggerList again;
    EXPECT_EQ(ReadInto(text, again), (std::vector<bool>{true, true})) << text;
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].mSource, "notify(\"a]]>b\")");
    EXPECT_EQ(again[0].mRules, mTriggers[0].mRules);
    EXPECT_EQ(again[1].mEvent, Logic::kEventWin);
    EXPECT_EQ(Written(again), text);
}

TEST_F(TriggerTest, ALevelKeepsLoadingPastABrokenTriggerAndSavesTheRestBack) {
    Tests::ScopedDataRoot root;
    Tests::ContentTiles();
    WriteLevel(root, "t",
               "<trigger event='BEGIN_LEVEL'><callback>notify('one')</callback></trigger>"
               "<trigger event='BOGUS'><callback/></trigger><!--trigger-->"
               "<trigger event='TICK'><callback>notify('two'</callback></trigger>"
               "<trigger event='TICK'><rule type='NUMTICKS' op='EACH' param='-3'/><callback>x = 1</callback></trigger>"
               "<trigger event='WIN'><callback><![CDATA[x = '\xff\xfe\xc3']]></callback></trigger>");
    const auto level = Logic::LevelFile::LoadLevel("camp", "t");
    ASSERT_NE(level, nullptr);
    ASSERT_EQ(level->GetTriggers().size(), 3u);
    EXPECT_TRUE(mLog.Contains("Trigger has invalid event attribute: BOGUS"));
    EXPECT_TRUE(mLog.Contains("Trigger callback failed to compile"));
    EXPECT_EQ(level->GetTriggers()[2].mSource, "x = '\xff\xfe\xc3'"); // not UTF-8: read as its bytes
    ASSERT_TRUE(Logic::LevelFile::SaveLevel(*level));
    const auto saved = Logic::LevelFile::LoadLevel("camp", "t");
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(Written(saved->GetTriggers()), Written(level->GetTriggers()));
}

TEST_F(TriggerTest, RulesOverCountersZonesAndNotifications) {
    ReadInto(
        "<trigger event='TICK'><rule type='NUMTICKS' op='EACH' param='5'/><callback>print('each5')</callback></trigger>"
        "<trigger event='TICK'><rule type='NUMTICKS' op='EACH'/><callback>print('each0')</callback></trigger>"
        "<trigger event='TICK'><rule type='NUMTICKS' op='GT' param='2'/><rule type='NUMTICKS' op='LTE' param='3'/>"
        "<callback>print('third')</callback></trigger>"
        "<trigger event='ENTER_ZONE'><rule type='IN_ZONE' op='EQ' "
        "param='2'/><callback>print('zone2')</callback></trigger>"
        "<trigger event='EXIT_ZONE'><rule type='NOTIFICATIONS' op='LT' "
        "param='1'/><callback>print('quiet')</callback></trigger>",
        mTriggers);
    std::vector<int> each5;
    for (int tick = 1; tick <= 15; ++tick) {
        const std::vector<std::string> printed = Fire(Logic::kEventTick);
        if (std::count(printed.begin(), printed.end(), "each5")) each5.push_back(tick);
        EXPECT_EQ(std::count(printed.begin(), printed.end(), "each0"), 0);
        EXPECT_EQ(std::count(printed.begin(), printed.end(), "third"), tick == 3 ? 1 : 0);
    }
    EXPECT_EQ(each5, (std::vector<int>{5, 10, 15}));
    EXPECT_EQ(mGame.mTicks, 15);
    EXPECT_EQ(mLevel.mTicks, 15);
    EXPECT_TRUE(Fire(Logic::kEventEnterZone, 1).empty());
    EXPECT_EQ(Fire(Logic::kEventEnterZone, 2), std::vector<std::string>{"zone2"});
    EXPECT_EQ(Fire(Logic::kEventExitZone, 2), std::vector<std::string>{"quiet"});
    mNotifications = 1;
    EXPECT_TRUE(Fire(Logic::kEventExitZone, 2).empty());
}

TEST_F(TriggerTest, RulesReadTheLevelsCountersAndEachSurvivesTheLowestCount) {
    Logic::TriggerRule rule;
    rule.mType = Logic::kRuleNumSteps;
    mGame.mSteps = 7;
    rule.mOp = Logic::kOpEq;
    rule.mParam = 7;
    EXPECT_FALSE(mSet.RuleHolds(rule, 0)); // file rules read the level's counters
    rule.mCounterSet = Logic::TriggerRule::kGameCounters;
    EXPECT_TRUE(mSet.RuleHolds(rule, 0));
    rule = {Logic::kRuleNumSteps, 1, Logic::kOpEach, -1};
    mLevel.mSteps = INT32_MIN;
    EXPECT_TRUE(mSet.RuleHolds(rule, 0));
}

TEST_F(TriggerTest, TriggersOfOneEventRunInFileOrderAndErrorsNameTheEvent) {
    ReadInto(
        "<trigger event='BEGIN_LEVEL'><callback>print('first')</callback></trigger>"
        "<trigger event='BEGIN_LEVEL'><callback>error('broken')</callback></trigger>"
        "<trigger event='BEGIN_LEVEL'><callback>while true do end</callback></trigger>"
        "<trigger event='BEGIN_LEVEL'><callback>print('last')</callback></trigger>",
        mTriggers);
    const std::vector<std::string> printed = Fire(Logic::kEventBeginLevel);
    ASSERT_EQ(printed.size(), 4u);
    EXPECT_EQ(printed[0], "first");
    EXPECT_EQ(printed[1], "Runtime error in BEGIN_LEVEL trigger: BEGIN_LEVEL trigger:1: broken");
    EXPECT_NE(printed[2].find("instruction budget"), std::string::npos) << printed[2];
    EXPECT_EQ(printed[3], "last");
}

TEST_F(TriggerTest, ACallbackThatLoadsAnotherLevelEndsTheFiringOfTheOldOne) {
    Tests::ScopedDataRoot root;
    Tests::ContentTiles();
    Tests::ResetWorld();
    WriteLevel(root, "a",
               "<trigger event='WIN'><callback>print(Engine.LoadLevel('camp', 'b'))</callback></trigger>"
               "<trigger event='WIN'><callback>print('a again')</callback></trigger>");
    WriteLevel(root, "b", "<trigger event='WIN'><callback>print('b')</callback></trigger>");
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    ASSERT_TRUE(logic.LoadLevel("camp", "a"));
    mLog.mLines.clear();
    logic.FireTriggerEvent(Logic::kEventWin);
    EXPECT_EQ(mLog.mLines, std::vector<std::string>{"[LUA:1] 1"});
    logic.FireTriggerEvent(Logic::kEventWin);
    EXPECT_TRUE(mLog.Contains("[LUA:1] b"));
    Tests::ResetWorld();
}

} // namespace
} // namespace Velmora
