#pragma once

#include "core/ISystem.h"

#include <SDL.h>

#include <array>
#include <cstdint>

namespace Velmora {

/// Keyboard and mouse state that screens poll. Registered as a system whose operations do
/// nothing; the main loop drives it with PollKeys, RecordEvent and PollMouse each frame.
class InputManager : public ISystem {
public:
    static constexpr int kKeyCount = 323;  // SDL 1.2 key codes 0 … 322

    static InputManager& GetInstance();
    InputManager();
    ~InputManager() override;

    bool IsKeyDown(int key) const;
    /// Down now and up at the previous snapshot.
    bool IsKeyPressed(int key) const;
    /// Alt or Ctrl (either side) is down: the keys pressed with it form a shortcut (Alt+Return,
    /// Alt+F4), so menus and skip keys must not read them as their own.
    bool IsShortcutModifierDown() const;
    /// IsKeyPressed, unless it is part of a shortcut (IsShortcutModifierDown).
    bool IsKeyPressedAlone(int key) const { return IsKeyPressed(key) && !IsShortcutModifierDown(); }
    /// SDL mouse buttons: 1 left, 2 middle, 3 right.
    bool IsButtonDown(int button) const;
    bool IsButtonPressed(int button) const;

    struct Point {
        double x = 0.0;
        double y = 0.0;
    };
    /// Window pixels, origin at the bottom-left.
    Point GetMousePosition() const { return mMouse; }
    Point GetMouseDelta() const { return {mMouse.x - mPreviousMouse.x, mMouse.y - mPreviousMouse.y}; }

    /// Marks a key or mouse button down for this frame, so a press shorter than a frame is seen.
    void RecordEvent(const SDL_Event& event);
    /// Snapshot of keys and buttons followed by the mouse update.
    void PollInput();
    /// previous := current; current := SDL's key and button state.
    void PollKeys();
    /// previous position := current; current := pointer with y flipped; shows the cursor on motion.
    /// While the pointer is being resynchronised (ResyncPointer) the position comes from the
    /// pointer query instead of SDL.
    void PollMouse();

    /// Reads the pointer in window pixels (origin top-left) straight from the windowing system;
    /// false when it cannot tell.
    using PointerQuery = bool (*)(int& x, int& y);
    /// After a video mode change or a regained focus SDL keeps reporting the pointer where it
    /// was before, until the pointer next moves: until SDL reports a motion, PollMouse asks the
    /// pointer query instead.
    void ResyncPointer();
    /// Replaces the pointer query (null: the X11 window's pointer, see QueryWindowPointer).
    void SetPointerQuery(PointerQuery query);
    /// True while the position comes from the pointer query.
    bool IsResyncingPointer() const { return mResyncPointer; }
    /// A key whose press an input filter took (the console, the tweak panel): it reads as up
    /// from now until it has been released, so the screens never see that press.
    void SwallowKey(int key);

    /// Direct state changes for tests and replays (no SDL needed).
    void SetKey(int key, bool down);
    void SetButton(int button, bool down);
    void SetMousePosition(double x, double y);
    /// Copies current into previous without reading SDL.
    void Snapshot();

private:
    std::array<uint8_t, kKeyCount> mKeys{};
    std::array<uint8_t, kKeyCount> mPreviousKeys{};
    std::array<uint8_t, kKeyCount> mSwallowed{};  // taken by a filter, up until released
    uint32_t mButtons = 0;
    uint32_t mPreviousButtons = 0;
    Point mMouse;
    Point mPreviousMouse;
    SDL_Joystick* mJoystick = nullptr;
    PointerQuery mPointerQuery = nullptr;
    bool mResyncPointer = false;
};

} // namespace Velmora
