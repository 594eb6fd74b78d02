#include "screens/ScreenInput.h"

#include "game/ControllerManager.h"
#include "core/InputManager.h"

#include <SDL.h>

namespace Velmora::Logic {

bool ScreenInput::SkipInput(const InputManager& input, PadButton padButton) {
    return SkipInput(input, ControllerManager::GetInstance().GetState(), padButton);
}

bool ScreenInput::SkipOrBackInput(const InputManager& input, PadButton padButton) {
    return SkipInput(input, padButton) || ControllerManager::GetInstance().IsButtonPressed(kPadB);
}

bool ScreenInput::SkipInput(const InputManager& input, const PadState& pad, PadButton padButton) {
    for (const int key : {SDLK_ESCAPE, SDLK_RETURN, SDLK_SPACE}) {
        if (input.IsKeyPressedAlone(key)) return true;
    }
    if (input.IsButtonPressed(SDL_BUTTON_LEFT) || input.IsButtonPressed(SDL_BUTTON_RIGHT)) return true;
    return pad.IsDown(padButton);
}

} // namespace Velmora::Logic
