#pragma once

// Small images and fonts written into temporary data folders, so graphics tests do not depend
// on the game's real content. Images are written as BMP (SDL_image recognises files by their
// contents, so a BMP named "x_0.png" loads as well).

#include "core/Game.h"
#include "graphics/GraphicsManager.h"
#include "support/TestSupport.h"

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace Velmora::Tests {

/// Starts SDL's video subsystem for a rendering test. The X server of the test machines now and
/// then resets a new connection during its handshake, so a failed start is tried again a few
/// times. Returns SDL_InitSubSystem's result.
inline int InitVideoSubsystem() {
    int result = -1;
    for (int attempt = 0; attempt < 5 && result != 0; ++attempt) result = SDL_InitSubSystem(SDL_INIT_VIDEO);
    return result;
}

/// Opens the game's window for a rendering suite over the game's own data, once for the whole
/// test program (later suites find it open), then makes sure a window of width × height is shown.
inline bool OpenGameWindow(int width, int height) {
    Game& game = Game::GetInstance();
    game.SetRootPath(SourceDir());
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    if (!graphics.mScreen) {
        setenv("SDL_VIDEO_CENTERED", "1", 1); // as the game does: windows stay on the screen
        if (InitVideoSubsystem() != 0) return false;
        game.mInitialized = true; // the managers the graphics manager adds initialise at once
        graphics.Initialize();
    }
    const Graphics::VideoMode mode{width, height, false};
    if (graphics.GetCurrentMode() != mode) graphics.SetVideoMode(mode);
    return graphics.mScreen != nullptr;
}

/// Writes a width × height image whose pixel (x, y) (y from the top) has the colour returned by
/// `color` as 0xAABBGGRR; saved as a 24-bit BMP (no alpha).
inline bool WriteImage(const std::string& path, int width, int height, const std::function<uint32_t(int, int)>& color) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0);
    if (!surface) return false;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < width; ++x) row[x] = color(x, y) & 0x00FFFFFFu;
    }
    const bool saved = SDL_SaveBMP(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

/// A one-colour image.
inline bool WriteSolidImage(const std::string& path, int width, int height, uint32_t color) {
    return WriteImage(path, width, height, [color](int, int) { return color; });
}

/// The description of the test font "fixture": line height 12, base 10, a 64×32 page;
/// 'A' and 'V' 8×10 glyphs advancing 9, a blank ' ' advancing 4, the pair "AV" kerned by −2.
inline std::string FixtureFontDescription() {
    return "info face=\"Fixture Sans\" size=12 bold=0 italic=0\n"
           "common lineHeight=12 base=10 scaleW=64 scaleH=32 pages=1 packed=0\n"
           "page id=0 file=\"fixture_0.png\"\n"
           "chars count=3\n"
           "char id=65   x=0    y=0    width=8    height=10   xoffset=1    yoffset=2    xadvance=9    page=0  chnl=15\n"
           "char id=86   x=8    y=0    width=8    height=10   xoffset=0    yoffset=2    xadvance=9    page=0  chnl=15\n"
           "char id=32   x=0    y=0    width=0    height=0    xoffset=0    yoffset=0    xadvance=4    page=0  chnl=15\n"
           "kernings count=1\n"
           "kerning first=65  second=86  amount=-2\n";
}

/// Writes data/fonts/NAME.fnt and NAME_0.png (a white 64×32 page) under a root.
inline void WriteFixtureFont(const std::string& root, const std::string& name) {
    WriteFile(root + "/data/fonts/" + name + ".fnt", FixtureFontDescription());
    WriteSolidImage(root + "/data/fonts/" + name + "_0.png", 64, 32, 0xFFFFFFFFu);
}

} // namespace Velmora::Tests
