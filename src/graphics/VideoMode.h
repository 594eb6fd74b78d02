#pragma once

#include <vector>

namespace Velmora::Graphics {

/// A window size and whether it covers the screen.
struct VideoMode {
    int mWidth = 0;
    int mHeight = 0;
    bool mFullscreen = false;

    bool operator==(const VideoMode&) const = default;
};

/// The smallest window the game is designed for; smaller modes are never offered.
constexpr int kMinModeWidth = 800;
constexpr int kMinModeHeight = 600;

/// Full-screen candidates from the sizes the display offers: keeps those of at least 800×600,
/// marks them full-screen and orders them by closeness of their aspect ratio to the desktop's
/// (compared in single precision, as the display reports it), then by width and height, larger
/// first. The first entry is the mode the game starts in.
std::vector<VideoMode> SortFullscreenModes(const std::vector<VideoMode>& offered, int desktopWidth,
                                           int desktopHeight);

/// Windowed candidates: 1440×900, 1280×1024, 1280×960, 1280×800, 1024×768 and 800×600, in this
/// order, without those that do not fit on the desktop.
std::vector<VideoMode> FilterWindowedModes(int desktopWidth, int desktopHeight);

/// The mode Alt+Return switches to: the first of the candidates for the other state, or the
/// desktop size full-screen when there are none.
VideoMode ChooseToggleMode(const std::vector<VideoMode>& candidates, int desktopWidth, int desktopHeight);

/// The mode the game starts in. Without a saved mode: the first full-screen candidate (the
/// desktop size when there are none). A saved full-screen mode is kept when the display offers
/// its size (or any size, when the candidates are empty and it fits the desktop); a saved window
/// when it fits on the desktop and is at least 800×600. Otherwise the first candidate of the
/// saved kind, so a display that lost a size still starts in its best mode.
VideoMode ChooseStartMode(const VideoMode* saved, const std::vector<VideoMode>& fullscreenModes,
                          const std::vector<VideoMode>& windowedModes, int desktopWidth, int desktopHeight);

} // namespace Velmora::Graphics
