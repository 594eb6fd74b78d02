#include "core/LogRecord.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace Velmora {
namespace {

TEST(LogRecord, EmptyTextWritesNothingAndNoChannelMeansNoPrefix) {
    Tests::LogCapture log;
    { LogRecord record("CORE", "f", 1, 1, true); }
    EXPECT_TRUE(log.mLines.empty());
    EXPECT_TRUE(log.mCritical.empty());
    {
        LogRecord record(nullptr, "f", 1, 1, false);
        record.Stream() << "bare " << 42 << ' ' << 1.5;
        record.Flush();
        record.Flush(); // the second flush finds an empty text
    }
    EXPECT_EQ(log.mLines, (std::vector<std::string>{"bare 42 1.5"}));
}

TEST(LogRecord, LevelFiltersTheConsoleButNotTheCriticalBox) {
    Tests::LogCapture log;
    LogRecord::sLogLevel = 1;
    { LogRecord("LOGIC", "f", 1, 1, false).Stream() << "kept"; }
    { LogRecord("LOGIC", "f", 1, 2, true).Stream() << "boxed"; }
    EXPECT_EQ(log.mLines, (std::vector<std::string>{"[LOGIC:1] kept"}));
    EXPECT_EQ(log.mCritical, (std::vector<std::string>{"[LOGIC:2] boxed"}));
    LogRecord::sLogLevel = 9;
    { LogRecord("LOGIC", "f", 1, 9, false).Stream() << "verbose"; }
    EXPECT_TRUE(log.Contains("[LOGIC:9] verbose"));
}

TEST(LogRecord, FatalRecordShowsTheBoxThenRunsTheFatalHandler) {
    Tests::LogCapture log;
    EXPECT_THROW({ VELMORA_FATAL << "Failed to load default font"; }, Tests::FatalError);
    EXPECT_EQ(log.mCritical, (std::vector<std::string>{"[ASSERT:1] Fatal Error: Failed to load default font"}));
}

TEST(LogRecord, CarriesARelativeSourcePath) {
    EXPECT_STREQ(RelativeSourcePath("/home/x/velmora/src/core/Game.cpp"), "core/Game.cpp");
    EXPECT_STREQ(RelativeSourcePath("plain.cpp"), "plain.cpp");
}

} // namespace
} // namespace Velmora
