// Keys and buttons recorded from events between two snapshots, as the main loop feeds them.
#include "core/InputManager.h"

#include <gtest/gtest.h>

#include <SDL.h>

namespace Velmora {
namespace {

SDL_Event KeyDown(int key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = static_cast<SDLKey>(key);
    return event;
}

TEST(InputManager, AKeyTappedBetweenTwoSnapshotsIsPressedForOneFrame) {
    InputManager input; // SDL is not started: its key state reads all keys up
    input.PollKeys();
    // The frame's events: space goes down and up again before the next snapshot. Only the
    // down event is recorded; SDL's state already shows the key up.
    input.RecordEvent(KeyDown(SDLK_SPACE));
    EXPECT_TRUE(input.IsKeyPressed(SDLK_SPACE));
    EXPECT_TRUE(input.IsKeyDown(SDLK_SPACE));
    input.PollKeys();
    EXPECT_FALSE(input.IsKeyPressed(SDLK_SPACE));
    EXPECT_FALSE(input.IsKeyDown(SDLK_SPACE));
}

TEST(InputManager, AKeyAnInputFilterTookReadsUpUntilItIsReleased) {
    InputManager input;
    Uint8* held = SDL_GetKeyState(nullptr); // SDL's own array, which its events fill in
    input.PollKeys();
    input.SwallowKey(SDLK_RETURN);
    held[SDLK_RETURN] = 1;
    for (int frame = 0; frame < 2; ++frame) {
        input.PollKeys();
        EXPECT_FALSE(input.IsKeyDown(SDLK_RETURN)) << frame;
    }
    held[SDLK_RETURN] = 0;
    input.PollKeys();
    held[SDLK_RETURN] = 1;
    input.PollKeys();
    EXPECT_TRUE(input.IsKeyPressed(SDLK_RETURN)); // the next press is the screens' again
    held[SDLK_RETURN] = 0;
}

TEST(InputManager, MouseButtonsAreRecordedAndOutOfRangeKeysIgnored) {
    InputManager input;
    input.PollKeys();
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_RIGHT;
    input.RecordEvent(click);
    EXPECT_TRUE(input.IsButtonPressed(SDL_BUTTON_RIGHT));
    EXPECT_FALSE(input.IsButtonDown(SDL_BUTTON_LEFT));
    input.RecordEvent(KeyDown(InputManager::kKeyCount)); // the address sanitiser checks the bounds
    EXPECT_FALSE(input.IsKeyDown(InputManager::kKeyCount));
    input.PollKeys();
    EXPECT_FALSE(input.IsButtonDown(SDL_BUTTON_RIGHT));
}

TEST(InputManager, KeysHeldWithAltOrCtrlAreShortcutsNotPlainPresses) {
    for (const int modifier : {SDLK_LALT, SDLK_RALT, SDLK_LCTRL, SDLK_RCTRL}) {
        InputManager input;
        input.SetKey(modifier, true);
        input.Snapshot();
        input.SetKey(SDLK_RETURN, true);
        EXPECT_TRUE(input.IsKeyPressed(SDLK_RETURN)) << modifier;
        EXPECT_FALSE(input.IsKeyPressedAlone(SDLK_RETURN)) << modifier;
        input.SetKey(modifier, false);
        EXPECT_TRUE(input.IsKeyPressedAlone(SDLK_RETURN)) << modifier;
    }
}

TEST(InputManager, AfterAModeChangeTheKeysOfTheChordReadUpUntilReleasedOrPressedAgain) {
    // SDL never saw the key-ups of the Alt+Return that switched the mode: its state keeps both
    // down (SDL hands out its own array, which stands in for that here).
    Uint8* sdlKeys = SDL_GetKeyState(nullptr);
    sdlKeys[SDLK_LALT] = 1;
    sdlKeys[SDLK_RETURN] = 1;
    InputManager input;
    input.PollKeys();
    ASSERT_TRUE(input.IsShortcutModifierDown());
    input.ReleaseHeldKeys();
    input.PollKeys();
    EXPECT_FALSE(input.IsShortcutModifierDown());
    input.PollKeys(); // a later frame
    input.RecordEvent(KeyDown(SDLK_RETURN));
    EXPECT_TRUE(input.IsKeyPressedAlone(SDLK_RETURN)) << "the first plain Return after Alt+Return";
    input.RecordEvent(KeyDown(SDLK_LALT));
    input.PollKeys();
    EXPECT_TRUE(input.IsKeyDown(SDLK_LALT)) << "pressed again, Alt counts again";
    sdlKeys[SDLK_LALT] = 0;
    sdlKeys[SDLK_RETURN] = 0;
}

bool PointerAt300x200(int& x, int& y) {
    x = 300;
    y = 200;
    return true;
}

TEST(InputManager, AfterAModeChangeThePointerIsAskedForUntilSdlSeesItMove) {
    InputManager input; // no window: SDL reports the pointer at (0, 0), y flips about height 0
    input.SetPointerQuery(PointerAt300x200);
    input.PollMouse();
    EXPECT_EQ(input.GetMousePosition().x, 0.0);
    input.ResyncPointer();
    input.PollMouse();
    EXPECT_EQ(input.GetMousePosition().y, -200.0);
    EXPECT_EQ(input.GetMouseDelta().x, 300.0) << "the aim follows at once";
    input.PollMouse();
    EXPECT_TRUE(input.IsResyncingPointer());
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    input.RecordEvent(motion);
    EXPECT_FALSE(input.IsResyncingPointer());
    input.PollMouse();
    EXPECT_EQ(input.GetMousePosition().x, 0.0) << "SDL's own reading again";
}

} // namespace
} // namespace Velmora
