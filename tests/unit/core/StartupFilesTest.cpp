// The files read and written around start-up: where the content and the player's folders are,
// the shipped configuration and the player's settings.
#include "core/Config.h"
#include "core/Path.h"
#include "core/Settings.h"
#include "core/UserFiles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace Velmora {
namespace {

std::string Read(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

TEST(Path, JoinUsesSlashAndLetsAbsoluteNamesReplace) {
    EXPECT_EQ(JoinPath("/games/velmora", "data"), "/games/velmora/data");
    EXPECT_EQ(JoinPath("/games/velmora/", "data"), "/games/velmora/data");
    EXPECT_EQ(JoinPath("/games/velmora", "/tmp/x.xml"), "/tmp/x.xml");
}

TEST(Path, PlainNamesStayInsideTheirFolder) {
    for (const char* name : {"player", "gun_sound", "level 1", "a.b", ""}) EXPECT_TRUE(IsPlainName(name)) << name;
    for (const char* name : {"..", "../x", "a/b", "/etc/passwd", "a\\b", "x..y"})
        EXPECT_FALSE(IsPlainName(name)) << name;
}

TEST(Path, RootSearchLooksBesideTheProgramThenOneUpThenInstalledThenGoesUpBlindly) {
    std::set<std::string> dirs{"/opt/game/data", "/usr/share/velmora/data"};
    auto isDir = [&dirs](const std::string& path) { return dirs.count(path) > 0; };
    EXPECT_EQ(FindRootPath("/opt/game/velmora", isDir), "/opt/game");
    EXPECT_EQ(FindRootPath("/opt/game/build/velmora", isDir), "/opt/game");
    EXPECT_EQ(FindRootPath("/usr/bin/velmora", isDir), "/usr/share/velmora");
    // Two levels up is taken without checking.
    EXPECT_EQ(FindRootPath("/opt/game/build/asan/velmora", isDir), "/opt/game");
    EXPECT_EQ(FindRootPath("/a/b/c/velmora", isDir), "/a");
}

TEST(Config, MissingAndWrongRootAreCriticalFailures) {
    Tests::LogCapture log;
    const std::string dir = Tests::MakeTempDir();
    EXPECT_FALSE(LoadConfigFile(dir + "/config.xml"));
    EXPECT_TRUE(log.CriticalContains("[LOGIC:1] Failed to load configuration file: " + dir + "/config.xml"));
    Tests::WriteFile(dir + "/other.xml", "<settings/>");
    EXPECT_FALSE(LoadConfigFile(dir + "/other.xml"));
    EXPECT_TRUE(log.CriticalContains("Config  file missing root <config> element: " + dir + "/other.xml"));
    Tests::WriteFile(dir + "/config.xml", "<config/>");
    log.mCritical.clear();
    EXPECT_TRUE(LoadConfigFile(dir + "/config.xml")) << "a config root even without children";
    EXPECT_TRUE(log.mCritical.empty());
}

TEST(UserFiles, XdgFoldersFollowTheVariableThenTheHome) {
    EXPECT_EQ(XdgFolder("/x/config", "/home/p", ".config"), "/x/config/velmora");
    EXPECT_EQ(XdgFolder(nullptr, "/home/p", ".local/share"), "/home/p/.local/share/velmora");
    // A relative value is ignored, as the base-directory rules ask.
    EXPECT_EQ(XdgFolder("rel/dir", "/home/p", ".config"), "/home/p/.config/velmora");
    EXPECT_EQ(XdgFolder("", "relative", ".config"), "");
}

TEST(UserFiles, AtomicWriteCreatesTheFolderAndLeavesNoTemporary) {
    const std::string path = Tests::MakeTempDir() + "/a/b/file.xml";
    ASSERT_TRUE(WriteFileAtomically(path, "one"));
    ASSERT_TRUE(WriteFileAtomically(path, "two"));
    EXPECT_EQ(Read(path), "two");
    EXPECT_FALSE(IsRegularFile(path + ".tmp"));
    EXPECT_FALSE(WriteFileAtomically("/dev/null/velmora/file.xml", "x"));
}

TEST(Settings, ValuesOfTheWrongTypeOrRangeReadAsTheFallback) {
    const char* values[] = {"12abc", "", "nan", "1e999", "1.5"};
    for (const char* value : values) {
        Settings settings;
        settings.Set("Volume", value);
        EXPECT_EQ(settings.GetDouble("Volume", 0.25, 0.0, 1.0), 0.25) << value;
    }
    Settings settings;
    settings.Set("Width", "1024.5");
    EXPECT_EQ(settings.GetInt("Width", 800, 0, 4096), 800);
}

TEST(Settings, DamagedPlayerFileIsSetAsideAndTheShippedKeysHold) {
    const std::string dir = Tests::MakeTempDir();
    Tests::WriteFile(dir + "/config.xml", "<config><MusicVolume>0.9</Music");
    Tests::LogCapture log;
    Settings settings;
    std::string why;
    ASSERT_TRUE(settings.SetShipped("<config><MusicVolume>0.1</MusicVolume></config>", why));
    settings.LoadUser(dir + "/config.xml");
    EXPECT_EQ(settings.GetDouble(Settings::kMusicVolume, -1, 0, 1), 0.1);
    EXPECT_TRUE(IsRegularFile(dir + "/config.xml.bad"));
    EXPECT_FALSE(IsRegularFile(dir + "/config.xml"));
    EXPECT_TRUE(log.Contains("[CORE:1] Damaged file " + dir + "/config.xml"));
}

TEST(Settings, UnwritableFolderKeepsTheSettingsInMemoryAndLogsOnce) {
    Tests::LogCapture log;
    Settings settings;
    settings.LoadUser("/dev/null/velmora/config.xml");
    settings.SetInt(Settings::kFullscreen, 0);
    EXPECT_FALSE(settings.Save());
    settings.SetInt(Settings::kFullscreen, 1);
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(settings.GetInt(Settings::kFullscreen, -1, 0, 1), 1);
    ASSERT_EQ(log.mLines.size(), 1u);
    EXPECT_NE(log.mLines[0].find("Cannot save the settings"), std::string::npos);
}

} // namespace
} // namespace Velmora
