#include "graphics/GlContext.h"

#include <SDL.h>

namespace Velmora::Graphics {

bool HasGlContext() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    const SDL_Surface* screen = SDL_GetVideoSurface();
    return screen && (screen->flags & SDL_OPENGL);
}

} // namespace Velmora::Graphics
