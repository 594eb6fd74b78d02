// Level triggers: reading with every refusal the format names, the writer's exact text and a
// round trip (CDATA breakers included), levels that keep loading past a broken trigger, and
// firing: counters, rules, file order, errors, and a callback that ends its own level.
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
        {"<trigger event=''><callback/></trigger>", "Trigger missing event attribute"},
        {"<trigger event='tick'><callback/></trigger>", "Trigger has invalid event attribute: tick"},
        {"<trigger event='NONE'><callback/></trigger>", "Trigger has invalid event attribute: NONE"},
        {"<trigger event='TICK'><rule op='EQ'/><callback/></trigger>", "Trigger rule has no type"},
        {"<trigger event='TICK'><rule type='NONE' op='EQ'/><callback/></trigger>",
         "Trigger rule has invalid type: NONE"},
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

TEST_F(TriggerTest, WriterEmitsTheExactFormatAndItReadsBackUnchanged) {
    ReadInto(
        "<trigger event='STEP'><rule type='NUMSTEPS' op='EQ' param='10'/><rule type='IN_ZONE' op='GTE' param='0'/>"
        "<other/><callback><![CDATA[notify(\"a]]]]><![CDATA[>b\")]]></callback></trigger>"
        "<trigger event='WIN'><callback/></trigger>",
        mTriggers);
    const std::string text = Written(mTriggers);
    EXPECT_EQ(text,
              "\t<trigger event='STEP'>\n"
              "\t\t<rule type='NUMSTEPS' op='EQ' param='10'/>\n"
              "\t\t<rule type='IN_ZONE' op='GTE'/>\n"
              "\t\t<callback><![CDATA[notify(\"a]]]]><![CDATA[>b\")]]></callback>\n"
              "\t</trigger>\n"
              "\t<trigger event='WIN'>\n"
              "\t\t<callback><![CDATA[]]></callback>\n"
              "\t</trigger>\n");
    TriggerList again;
    EXPECT_EQ(ReadInto(text, again), (std::vector<bool>{true, true}));
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].mSource, "notify(\"a]]>b\")");
    EXPECT_EQ(again[0].mRules, mTriggers[0].mRules);
    EXPECT_EQ(again[0].mRules[1].mParam, 0);
    EXPECT_EQ(again[1].mEvent, Logic::kEventWin);
    EXPECT_EQ(Written(again), text);
}

TEST_F(TriggerTest, ALevelKeepsLoadingPastABrokenTriggerAndSavesTheRestBack) {
    Tests::ScopedDataRoot root;
    Tests::ContentTiles();
    Tests::WriteFile(
        root.Path() + "/data/level/camp/t.xml",
        "<level><name>t</name><tilemap width='1' height='1'>0</tilemap><medals gold='1' silver='2' bronze='3'/>"
        "<trigger event='BEGIN_LEVEL'><callback>notify('one')</callback></trigger>"
        "<trigger event='BOGUS'><callback/></trigger><!--trigger-->"
        "<trigger event='TICK'><callback>notify('two'</callback></trigger>"
        "<trigger event='TICK'><rule type='NUMTICKS' op='EACH' param='-3'/><callback>x = 1</callback></trigger>"
        "</level>");
    const auto level = Logic::LevelFile::LoadLevel("camp", "t");
    ASSERT_NE(level, nullptr);
    ASSERT_EQ(level->GetTriggers().size(), 2u);
    EXPECT_TRUE(mLog.Contains("Trigger has invalid event attribute: BOGUS"));
    EXPECT_TRUE(mLog.Contains("Trigger callback failed to compile"));
    ASSERT_TRUE(Logic::LevelFile::SaveLevel(*level));
    const auto saved = Logic::LevelFile::LoadLevel("camp", "t");
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(Written(saved->GetTriggers()), Written(level->GetTriggers()));
}

TEST_F(TriggerTest, HostileTriggerFilesLoadOrFailWithAMessageButNeverCrash) {
    Tests::ScopedDataRoot root;
    Tests::ContentTiles();
    const std::string head =
        "<level><name>h</name><tilemap width='1' height='1'>0</tilemap><medals gold='1' silver='2' bronze='3'/>";
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += "<trigger event='STEP'><rule type='NUMSTEPS' op='EQ' param='" + std::to_string(i) +
            "'/><callback>x = " + std::to_string(i) + "</callback></trigger>";
    std::string deep = "<trigger event='TICK'>";
    for (int i = 0; i < 100000; ++i) deep += "<rule type='NUMTICKS' op='EQ'>";
    const std::string path = root.Path() + "/data/level/camp/h.xml";
    Tests::WriteFile(path, head + many + "</level>");
    const auto crowded = Logic::LevelFile::LoadLevel("camp", "h");
    ASSERT_NE(crowded, nullptr);
    EXPECT_EQ(crowded->GetTriggers().size(), 5000u);
    Tests::WriteFile(path, head + deep + "</level>");
    EXPECT_EQ(Logic::LevelFile::LoadLevel("camp", "h"), nullptr);
    EXPECT_TRUE(mLog.CriticalContains("Failed to load level file: " + path));
    Tests::WriteFile(
        path, head + "<trigger event='WIN'><callback><![CDATA[x = '\xff\xfe\xc3']]></callback></trigger></level>");
    const auto binary = Logic::LevelFile::LoadLevel("camp", "h");
    ASSERT_NE(binary, nullptr);
    ASSERT_EQ(binary->GetTriggers().size(), 1u);
    EXPECT_EQ(binary->GetTriggers()[0].mSource, "x = '\xff\xfe\xc3'");
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

TEST_F(TriggerTest, RuleEdgeCases) {
    Logic::TriggerRule rule;
    rule.mType = Logic::kRuleNumSteps;
    mGame.mSteps = 7;
    rule.mOp = static_cast<Logic::TriggerOp>(9);
    EXPECT_FALSE(mSet.RuleHolds(rule, 0)); // an op outside the table fails
    rule.mOp = Logic::kOpEq;
    rule.mParam = 7;
    EXPECT_FALSE(mSet.RuleHolds(rule, 0)); // file rules read the level's counters
    rule.mCounterSet = Logic::TriggerRule::kGameCounters;
    EXPECT_TRUE(mSet.RuleHolds(rule, 0));
    rule.mType = static_cast<Logic::TriggerRuleType>(77);
    EXPECT_TRUE(mSet.RuleHolds(rule, 0)); // an unknown type holds, and says so
    EXPECT_TRUE(mLog.Contains("Unknown trigger type 77"));
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
    const std::string head =
        "<level><name>N</name><tilemap width='1' height='1'>0</tilemap><medals gold='1' silver='2' bronze='3'/>";
    Tests::WriteFile(root.Path() + "/data/level/camp/a.xml",
                     head +
                         "<trigger event='WIN'><callback>print(Engine.LoadLevel('camp', 'b'))</callback></trigger>"
                         "<trigger event='WIN'><callback>print('a again')</callback></trigger></level>");
    Tests::WriteFile(root.Path() + "/data/level/camp/b.xml",
                     head + "<trigger event='WIN'><callback>print('b')</callback></trigger></level>");
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
