// The Lua state: errors that leave it usable, entity objects, and the sandbox a shared level
// file runs in (what is missing, what is kept, the instruction budget and the memory ceiling).
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/LogRecord.h"
#include "script/ScriptManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace Velmora {
namespace {

using Script::ScriptManager;

class ScriptManagerTest : public ::testing::Test {
protected:
    // Runs a chunk and returns the log lines it wrote.
    std::vector<std::string> Run(const std::string& text) {
        mLog.mLines.clear();
        ScriptManager::GetInstance().Execute(text);
        return mLog.mLines;
    }
    // The single line a chunk printed, without its "[LUA:1] " prefix.
    std::string Printed(const std::string& text) {
        const std::vector<std::string> lines = Run(text);
        const std::string prefix = "[LUA:1] ";
        return lines.size() == 1 && lines[0].rfind(prefix, 0) == 0 ? lines[0].substr(prefix.size()) : "?";
    }

    Tests::LogCapture mLog;
};

TEST_F(ScriptManagerTest, ErrorsAreLoggedAndTheStateStaysUsable) {
    const struct {
        const char* mText;
        const char* mLine;
    } cases[] = {
        {"x = = 1", "[LUA:1] Parse error: [string \"x = = 1\"]:1:"},
        {"error('boom')", "[LUA:1] Runtime error: [string \"error('boom')\"]:1: boom"},
        {"error({})", "[LUA:1] Runtime error: (error object is a table value)"},
        {"\x1bLuaQ", "[LUA:1] Parse error: precompiled chunks are not accepted"},
        {"Vector2(5)", "bad argument #1 to 'Vector2' (expected a table)"},
        {"notify(nil)", "string expected, got nil"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = Run(c.mText);
        ASSERT_EQ(lines.size(), 1u) << c.mText;
        EXPECT_NE(lines[0].find(c.mLine), std::string::npos) << lines[0];
        EXPECT_EQ(Printed("print('still here')"), "still here");
    }
}

TEST_F(ScriptManagerTest, AnEntityObjectFindsNothingOnceItsEntityIsDestroyed) {
    auto* entity = new Entity(900001);
    entity->Spawn(nullptr);
    EXPECT_EQ(Printed("kept = Entity.GetByID(900001) print(kept:GetID())"), "900001");
    EXPECT_EQ(Printed("print(Entity.GetByID(900001) == kept)"), "true");
    entity->Destroy();
    EXPECT_EQ(Printed("print(Entity.GetByID(900001) == nil, kept:GetID() == nil)"), "truetrue");
    EntityManager::GetInstance().DestroyPending();
    EXPECT_EQ(Printed("kept:Destroy() print(kept:GetID() == nil, Entity.GetByID(900001) == nil)"), "truetrue");
}

TEST_F(ScriptManagerTest, SandboxLeavesOutEverythingThatReachesOutsideTheGame) {
    for (const char* name :
         {"io", "package", "debug", "require", "module", "dofile", "loadfile", "newproxy", "os.execute", "os.remove",
          "os.rename", "os.exit", "os.getenv", "os.tmpname", "os.setlocale", "string.dump"}) {
        EXPECT_EQ(Printed(std::string("print(") + name + " == nil)"), "true") << name;
    }
    for (const char* name : {"os.time", "os.clock", "os.date", "os.difftime", "string.format", "string.rep",
                             "table.concat", "math.floor", "pcall", "loadstring", "load", "coroutine.wrap"}) {
        EXPECT_EQ(Printed(std::string("print(type(") + name + "))"), "function") << name;
    }
    EXPECT_EQ(Printed("print(loadstring('\\27Lua'))"), "nilprecompiled chunks are not accepted");
    EXPECT_EQ(Printed("local parts = {'return ', '6*7'} print(load(function() return table.remove(parts, 1) end)())"),
              "42");
}

TEST_F(ScriptManagerTest, EndlessLoopsEndWithARuntimeErrorEvenUnderPcall) {
    for (const char* loop : {"while true do pcall(function() while true do end end) end",
                             "local co = coroutine.wrap(function() while true do end end) co()",
                             "string.gsub(string.rep('x', 100), '.', function() while true do end end)"}) {
        const std::vector<std::string> lines = Run(loop);
        ASSERT_EQ(lines.size(), 1u) << loop;
        EXPECT_NE(lines[0].find("Runtime error: "), std::string::npos) << lines[0];
        EXPECT_NE(lines[0].find("instruction budget of 10000000 exceeded"), std::string::npos) << lines[0];
        EXPECT_EQ(Printed("local n = 0 for i = 1, 100000 do n = n + 1 end print(n)"), "100000");
    }
}

TEST_F(ScriptManagerTest, MemoryCeilingEndsAChunkAndTheMemoryComesBack) {
    const std::vector<std::string> lines =
        Run("local s = string.rep('x', 2^20) hoard = {} for i = 1, 100 do hoard[i] = s .. i end");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("not enough memory"), std::string::npos) << lines[0];
    Run("hoard = nil collectgarbage()");
    EXPECT_LT(ScriptManager::GetInstance().GetBudget().GetUsedBytes(), 4u << 20);
    EXPECT_NE(Run("string.rep('x', 2^40)")[0].find("resulting string too large"), std::string::npos);
    EXPECT_EQ(Printed("print(#string.rep('', 2^50))"), "0");
}

} // namespace
} // namespace Velmora
