#include "core/WindowPointer.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace Velmora {

bool QueryWindowPointer(int& x, int& y) {
    if (!SDL_WasInit(SDL_INIT_VIDEO) || !SDL_GetVideoSurface()) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11) return false;
    Display* display = info.info.x11.display;
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    info.info.x11.lock_func();
    const Bool sameScreen =
        XQueryPointer(display, info.info.x11.window, &root, &child, &rootX, &rootY, &windowX, &windowY, &buttons);
    info.info.x11.unlock_func();
    if (!sameScreen) return false;
    x = windowX;
    y = windowY;
    return true;
}

} // namespace Velmora
