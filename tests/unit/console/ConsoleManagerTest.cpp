// The console: the history's pieces and limit, the keys it takes and leaves, and a typed line
// run as Lua.
#include "console/ConsoleManager.h"
#include "core/LogRecord.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace Velmora {
namespace {

using Debug::ConsoleManager;

SDL_KeyboardEvent Key(SDLKey sym, Uint16 unicode = 0, int mod = KMOD_NONE) {
    SDL_KeyboardEvent key{};
    key.type = SDL_KEYDOWN;
    key.keysym.sym = sym;
    key.keysym.unicode = unicode;
    key.keysym.mod = static_cast<SDLMod>(mod);
    return key;
}

void Type(ConsoleManager& console, const std::string& text) {
    for (const char c : text) console.HandleKey(Key(SDLK_a, static_cast<Uint16>(c)));
}

TEST(ConsoleManagerTest, LongLinesArePiecedAndTheOldestLinesGo) {
    ConsoleManager console;
    console.AddLine(std::string(80, 'a') + std::string(80, 'b') + std::string(40, 'c'));
    ASSERT_EQ(console.mHistory.size(), 3u);
    EXPECT_EQ(console.mHistory[1], std::string(80, 'b'));
    EXPECT_EQ(console.mHistory[2], std::string(40, 'c'));
    for (int i = 0; i < 498; ++i) console.AddLine("line " + std::to_string(i));
    EXPECT_EQ(console.mHistory.size(), 500u);
    EXPECT_EQ(console.mHistory.front(), std::string(80, 'b'));
    console.AddLine(std::string(80 * 1000, 'z'));
    EXPECT_EQ(console.mHistory.size(), 500u);
    EXPECT_EQ(console.mHistory.front(), std::string(80, 'z'));
}

TEST(ConsoleManagerTest, BackQuoteOpensAndClosesAndCtrlOrAltKeysAreNeverTaken) {
    ConsoleManager console;
    EXPECT_FALSE(console.HandleKey(Key(SDLK_a, 'a')));
    EXPECT_FALSE(console.HandleKey(Key(SDLK_BACKQUOTE, '`', KMOD_LCTRL)));
    EXPECT_TRUE(console.HandleKey(Key(SDLK_BACKQUOTE, '`', KMOD_NUM)));
    EXPECT_TRUE(console.IsVisible());
    for (const int mod : {int(KMOD_RCTRL), KMOD_RALT | KMOD_SHIFT}) {
        EXPECT_FALSE(console.HandleKey(Key(SDLK_a, 'a', mod))) << mod;
        EXPECT_FALSE(console.HandleKey(Key(SDLK_RETURN, '\r', mod))) << mod;
    }
    EXPECT_TRUE(console.HandleKey(Key(SDLK_a, 'A', KMOD_LSHIFT | KMOD_CAPS)));
    EXPECT_TRUE(console.HandleKey(Key(SDLK_b, 'b')));
    EXPECT_TRUE(console.HandleKey(Key(SDLK_BACKSPACE, '\b')));
    EXPECT_EQ(console.mInput, "A");
    EXPECT_FALSE(console.HandleKey(Key(SDLK_ESCAPE, 27)));
    EXPECT_TRUE(console.HandleKey(Key(SDLK_BACKQUOTE, '`')));
    EXPECT_FALSE(console.IsVisible());
    EXPECT_EQ(console.mInput, "A");
}

TEST(ConsoleManagerTest, ReturnRunsTheLineAsLuaAndItsErrorsJoinTheHistory) {
    // A line that prints is run on the real program by the console script (tests/e2e).
    ConsoleManager console;
    console.Initialize();
    console.SetVisible(true);
    console.HandleKey(Key(SDLK_RETURN, '\r'));
    EXPECT_TRUE(console.mHistory.empty()); // nothing typed, nothing run
    Type(console, "print(");
    console.HandleKey(Key(SDLK_RETURN, '\r'));
    console.Deinitialize();
    ASSERT_EQ(console.mHistory.size(), 2u);
    EXPECT_EQ(console.mHistory[0], "> print(");
    EXPECT_EQ(console.mHistory[1].rfind("[LUA:1] Parse error: ", 0), 0u);
    EXPECT_TRUE(console.mInput.empty());
}

} // namespace
} // namespace Velmora
