#include "core/LogRecord.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace Velmora {
namespace {

TEST(LogRecord, LevelFiltersTheConsoleButNotTheCriticalBox) {
    Tests::LogCapture log;
    LogRecord::sLogLevel = 1;
    { LogRecord("LOGIC", "f", 1, 1, false).Stream() << "kept"; }
    { LogRecord("LOGIC", "f", 1, 2, true).Stream() << "boxed"; }
    { LogRecord(nullptr, "f", 1, 1, false).Stream() << "bare " << 42; }
    { LogRecord("CORE", "f", 1, 1, true); } // no text: nothing at all
    EXPECT_EQ(log.mLines, (std::vector<std::string>{"[LOGIC:1] kept", "bare 42"}));
    EXPECT_EQ(log.mCritical, (std::vector<std::string>{"[LOGIC:2] boxed"}));
}

} // namespace
} // namespace Velmora
