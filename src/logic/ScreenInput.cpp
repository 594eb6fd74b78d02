#include "logic/ScreenInput.h"

#include "core/InputManager.h"

#include <SDL.h>

namespace Velmora::Logic {

namespace {

ScreenInput::PadButtonReader& Reader() {
    static ScreenInput::PadButtonReader reader;
    return reader;
}

} // namespace

bool ScreenInput::SkipInput(const InputManager& input, uint16_t padButton) {
    for (const int key : {SDLK_ESCAPE, SDLK_RETURN, SDLK_SPACE}) {
        if (input.IsKeyPressed(key)) return true;
    }
    if (input.IsButtonPressed(SDL_BUTTON_LEFT) || input.IsButtonPressed(SDL_BUTTON_RIGHT)) return true;
    return IsPadButtonDown(padButton);
}

bool ScreenInput::IsPadButtonDown(uint16_t buttons) {
    const PadButtonReader& reader = Reader();
    return buttons != 0 && reader && reader(buttons);
}

void ScreenInput::SetPadButtonReader(PadButtonReader reader) { Reader() = std::move(reader); }

} // namespace Velmora::Logic
