#include "core/Config.h"
#include "core/Path.h"
#include "core/Settings.h"
#include "core/UserFiles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace Velmora {
namespace {

std::string Read(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

TEST(UserFiles, XdgFoldersFollowTheVariableThenTheHome) {
    EXPECT_EQ(XdgFolder("/x/config", "/home/p", ".config"), "/x/config/velmora");
    EXPECT_EQ(XdgFolder(nullptr, "/home/p", ".local/share"), "/home/p/.local/share/velmora");
    // A relative value is ignored, as the base-directory rules ask.
    EXPECT_EQ(XdgFolder("rel/dir", "/home/p", ".config"), "/home/p/.config/velmora");
    EXPECT_EQ(XdgFolder(nullptr, nullptr, ".config"), "");
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

TEST(Settings, PlayerKeysOverrideShippedOnesKeyByKey) {
    const std::string dir = Tests::MakeTempDir();
    Tests::WriteFile(dir + "/user.xml", "<config><MusicVolume>0.8</MusicVolume></config>");
    Settings settings;
    std::string why;
    ASSERT_TRUE(settings.SetShipped("<config><MusicVolume>0.2</MusicVolume><Fullscreen>0</Fullscreen></config>", why));
    settings.LoadUser(dir + "/user.xml");
    EXPECT_EQ(settings.GetDouble(Settings::kMusicVolume, -1, 0, 1), 0.8);
    EXPECT_EQ(settings.GetInt(Settings::kFullscreen, -1, 0, 1), 0);
    EXPECT_EQ(settings.GetInt("Missing", 7, 0, 10), 7);
}

TEST(Settings, ValuesOfTheWrongTypeOrRangeReadAsTheFallback) {
    const char* values[] = {"abc", "12abc", "", "nan", "inf", "1e999", "-0.5", "1.5", "0x1", "\xff\xfe"};
    for (const char* value : values) {
        Settings settings;
        settings.Set("Volume", value);
        EXPECT_EQ(settings.GetDouble("Volume", 0.25, 0.0, 1.0), 0.25) << value;
    }
    Settings settings;
    settings.Set("Width", "1024.5");
    EXPECT_EQ(settings.GetInt("Width", 800, 0, 4096), 800);
}

TEST(Settings, SavedKeysReadBackAtTheNextStart) {
    const std::string path = Tests::MakeTempDir() + "/velmora/config.xml";
    Settings first;
    first.LoadUser(path);
    first.SetDouble(Settings::kEffectsVolume, 0.55);
    first.SetInt(Settings::kScreenWidth, 1024);
    first.Set("Odd", "<&\"'>");
    ASSERT_TRUE(first.Save());
    Settings second;
    second.LoadUser(path);
    EXPECT_EQ(second.GetUserKeys(), first.GetUserKeys());
    EXPECT_EQ(second.GetDouble(Settings::kEffectsVolume, 0, 0, 1), 0.55);
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
    EXPECT_EQ(std::count_if(
                  log.mLines.begin(), log.mLines.end(),
                  [](const std::string& line) { return line.find("Cannot save the settings") != std::string::npos; }),
              1);
}

} // namespace
} // namespace Velmora
