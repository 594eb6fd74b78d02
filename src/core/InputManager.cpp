#include "core/InputManager.h"

#include "core/WindowPointer.h"

#include <algorithm>

namespace Velmora {

InputManager& InputManager::GetInstance() {
    static InputManager* instance = new InputManager();
    return *instance;
}

InputManager::InputManager() {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) && SDL_NumJoysticks() > 0) {
        mJoystick = SDL_JoystickOpen(0);
        SDL_JoystickEventState(SDL_ENABLE);
    }
}

InputManager::~InputManager() {
    if (mJoystick) SDL_JoystickClose(mJoystick);
}

bool InputManager::IsKeyDown(int key) const { return key >= 0 && key < kKeyCount && mKeys[key] != 0; }

bool InputManager::IsKeyPressed(int key) const {
    return key >= 0 && key < kKeyCount && mKeys[key] != 0 && mPreviousKeys[key] == 0;
}

bool InputManager::IsShortcutModifierDown() const {
    for (const int key : {SDLK_LALT, SDLK_RALT, SDLK_LCTRL, SDLK_RCTRL}) {
        if (IsKeyDown(key)) return true;
    }
    return false;
}

bool InputManager::IsButtonDown(int button) const {
    return button >= 1 && button <= 32 && (mButtons & (1u << (button - 1)));
}

bool InputManager::IsButtonPressed(int button) const {
    return IsButtonDown(button) && !(mPreviousButtons & (1u << (button - 1)));
}

void InputManager::RecordEvent(const SDL_Event& event) {
    if (event.type == SDL_MOUSEMOTION) {
        mResyncPointer = false;  // SDL knows where the pointer is again
    } else if (event.type == SDL_KEYDOWN && event.key.keysym.sym < kKeyCount) {
        mKeys[event.key.keysym.sym] = 1;
    } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button >= 1 && event.button.button <= 32) {
        mButtons |= 1u << (event.button.button - 1);
    }
}

void InputManager::PollInput() {
    PollKeys();
    PollMouse();
}

void InputManager::PollKeys() {
    mPreviousKeys = mKeys;
    mPreviousButtons = mButtons;
    int count = 0;
    const Uint8* state = SDL_GetKeyState(&count);
    mKeys.fill(0);
    if (state) std::copy_n(state, std::min(count, kKeyCount), mKeys.begin());
    for (int key = 0; key < kKeyCount; ++key) {
        if (!mSwallowed[key]) continue;
        if (mKeys[key]) mKeys[key] = 0;
        else mSwallowed[key] = 0;
    }
    mButtons = SDL_GetMouseState(nullptr, nullptr);
}

void InputManager::PollMouse() {
    mPreviousMouse = mMouse;
    int x = 0;
    int y = 0;
    const PointerQuery query = mPointerQuery ? mPointerQuery : QueryWindowPointer;
    if (!mResyncPointer || !query(x, y)) SDL_GetMouseState(&x, &y);
    const SDL_Surface* screen = SDL_GetVideoSurface();
    const int height = screen ? screen->h : 0;
    mMouse = {static_cast<double>(x), static_cast<double>(height - y)};
    if (mMouse.x != mPreviousMouse.x || mMouse.y != mPreviousMouse.y) SDL_ShowCursor(SDL_ENABLE);
}

void InputManager::ResyncPointer() { mResyncPointer = true; }

void InputManager::SetPointerQuery(PointerQuery query) { mPointerQuery = query; }

void InputManager::SwallowKey(int key) {
    if (key < 0 || key >= kKeyCount) return;
    mSwallowed[key] = 1;
    mKeys[key] = 0;
}

void InputManager::SetKey(int key, bool down) {
    if (key >= 0 && key < kKeyCount) mKeys[key] = down ? 1 : 0;
}

void InputManager::SetButton(int button, bool down) {
    if (button < 1 || button > 32) return;
    if (down) mButtons |= 1u << (button - 1);
    else mButtons &= ~(1u << (button - 1));
}

void InputManager::SetMousePosition(double x, double y) {
    mPreviousMouse = mMouse;
    mMouse = {x, y};
}

void InputManager::Snapshot() {
    mPreviousKeys = mKeys;
    mPreviousButtons = mButtons;
}

} // namespace Velmora
