#include "core/Config.h"
#include "core/Path.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace Velmora {
namespace {

TEST(Path, JoinUsesSlashAndLetsAbsoluteNamesReplace) {
    EXPECT_EQ(JoinPath("/games/velmora", "data"), "/games/velmora/data");
    EXPECT_EQ(JoinPath("/games/velmora/", "data"), "/games/velmora/data");
    EXPECT_EQ(JoinPath("/games/velmora", "/tmp/x.xml"), "/tmp/x.xml");
    EXPECT_EQ(JoinPath("/games/velmora", "\\x.xml"), "\\x.xml");
    EXPECT_EQ(JoinPath("data/audio", "SFX/UI/lowblip.ogg"), "data/audio/SFX/UI/lowblip.ogg");
}

TEST(Path, PlainNamesStayInsideTheirFolder) {
    for (const char* name : {"player", "gun_sound", "level 1", "a.b", ""}) EXPECT_TRUE(IsPlainName(name)) << name;
    for (const char* name : {"..", "../x", "a/b", "/etc/passwd", "a\\b", "x..y"})
        EXPECT_FALSE(IsPlainName(name)) << name;
}

TEST(Path, RootSearchFindsTheInstalledContentFromThePrograms) {
    std::set<std::string> dirs{"/usr/share/velmora/data"};
    auto isDir = [&dirs](const std::string& path) { return dirs.count(path) > 0; };
    EXPECT_EQ(FindRootPath("/usr/bin/velmora", isDir), "/usr/share/velmora");
    EXPECT_EQ(InstalledRootPath("/opt/v/bin/velmora"), "/opt/v/share/velmora");
    // A data folder beside the program still comes first.
    dirs.insert("/usr/bin/data");
    EXPECT_EQ(FindRootPath("/usr/bin/velmora", isDir), "/usr/bin");
}

TEST(Path, RootSearchLooksBesideTheProgramThenOneUpThenGoesUpBlindly) {
    std::set<std::string> dirs;
    auto isDir = [&dirs](const std::string& path) { return dirs.count(path) > 0; };

    dirs = {"/opt/game/data"};
    EXPECT_EQ(FindRootPath("/opt/game/velmora", isDir), "/opt/game");
    EXPECT_EQ(FindRootPath("/opt/game/build/velmora", isDir), "/opt/game");
    // Two levels up is taken without checking.
    EXPECT_EQ(FindRootPath("/opt/game/build/asan/velmora", isDir), "/opt/game");
    dirs.clear();
    EXPECT_EQ(FindRootPath("/a/b/c/velmora", isDir), "/a");
}

TEST(Config, AcceptsAConfigRootEvenWithoutChildren) {
    Tests::LogCapture log;
    const std::string dir = Tests::MakeTempDir();
    Tests::WriteFile(dir + "/config.xml", "<config/>");
    EXPECT_TRUE(LoadConfigFile(dir + "/config.xml"));
    EXPECT_TRUE(log.mCritical.empty());
}

TEST(Config, MissingMalformedAndWrongRootAreCriticalFailures) {
    Tests::LogCapture log;
    const std::string dir = Tests::MakeTempDir();
    EXPECT_FALSE(LoadConfigFile(dir + "/config.xml"));
    EXPECT_TRUE(log.CriticalContains("[LOGIC:1] Failed to load configuration file: " + dir + "/config.xml"));

    Tests::WriteFile(dir + "/broken.xml", "<config><unclosed></config>");
    EXPECT_FALSE(LoadConfigFile(dir + "/broken.xml"));
    EXPECT_TRUE(log.CriticalContains("Failed to load configuration file: " + dir + "/broken.xml"));

    Tests::WriteFile(dir + "/other.xml", "<settings/>");
    EXPECT_FALSE(LoadConfigFile(dir + "/other.xml"));
    EXPECT_TRUE(log.CriticalContains("Config  file missing root <config> element: " + dir + "/other.xml"));
}

} // namespace
} // namespace Velmora
