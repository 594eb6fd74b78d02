#include "graphics/VideoMode.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Graphics {

namespace {

float AspectRatio(int width, int height) {
    return height > 0 ? static_cast<float>(width) / static_cast<float>(height) : 0.0f;
}

} // namespace

std::vector<VideoMode> SortFullscreenModes(const std::vector<VideoMode>& offered, int desktopWidth,
                                           int desktopHeight) {
    std::vector<VideoMode> modes;
    for (const VideoMode& mode : offered) {
        if (mode.mWidth >= kMinModeWidth && mode.mHeight >= kMinModeHeight) {
            modes.push_back({mode.mWidth, mode.mHeight, true});
        }
    }
    const float desktopAspect = AspectRatio(desktopWidth, desktopHeight);
    std::stable_sort(modes.begin(), modes.end(), [desktopAspect](const VideoMode& a, const VideoMode& b) {
        const float aDistance = std::fabs(AspectRatio(a.mWidth, a.mHeight) - desktopAspect);
        const float bDistance = std::fabs(AspectRatio(b.mWidth, b.mHeight) - desktopAspect);
        if (aDistance != bDistance) return aDistance < bDistance;
        if (a.mWidth != b.mWidth) return a.mWidth > b.mWidth;
        return a.mHeight > b.mHeight;
    });
    return modes;
}

std::vector<VideoMode> FilterWindowedModes(int desktopWidth, int desktopHeight) {
    static constexpr VideoMode kCandidates[] = {
        {1440, 900, false}, {1280, 1024, false}, {1280, 960, false},
        {1280, 800, false}, {1024, 768, false},  {800, 600, false},
    };
    std::vector<VideoMode> modes;
    for (const VideoMode& mode : kCandidates) {
        if (mode.mWidth < kMinModeWidth || mode.mHeight < kMinModeHeight) continue;
        if (mode.mWidth > desktopWidth || mode.mHeight > desktopHeight) continue;
        modes.push_back(mode);
    }
    return modes;
}

VideoMode ChooseToggleMode(const std::vector<VideoMode>& candidates, int desktopWidth, int desktopHeight) {
    if (candidates.empty()) return {desktopWidth, desktopHeight, true};
    return candidates.front();
}

namespace {

bool FitsDesktop(const VideoMode& mode, int desktopWidth, int desktopHeight) {
    return mode.mWidth >= kMinModeWidth && mode.mHeight >= kMinModeHeight && mode.mWidth <= desktopWidth &&
           mode.mHeight <= desktopHeight;
}

bool Offers(const std::vector<VideoMode>& modes, const VideoMode& wanted) {
    for (const VideoMode& mode : modes) {
        if (mode.mWidth == wanted.mWidth && mode.mHeight == wanted.mHeight) return true;
    }
    return false;
}

VideoMode BestOf(const std::vector<VideoMode>& modes, bool fullscreen, int desktopWidth, int desktopHeight) {
    return modes.empty() ? VideoMode{desktopWidth, desktopHeight, fullscreen} : modes.front();
}

} // namespace

VideoMode ChooseStartMode(const VideoMode* saved, const std::vector<VideoMode>& fullscreenModes,
                          const std::vector<VideoMode>& windowedModes, int desktopWidth, int desktopHeight) {
    if (!saved) return BestOf(fullscreenModes, true, desktopWidth, desktopHeight);
    if (saved->mFullscreen) {
        const bool anySize = fullscreenModes.empty() && FitsDesktop(*saved, desktopWidth, desktopHeight);
        if (anySize || Offers(fullscreenModes, *saved)) return *saved;
        return BestOf(fullscreenModes, true, desktopWidth, desktopHeight);
    }
    if (FitsDesktop(*saved, desktopWidth, desktopHeight)) return *saved;
    return BestOf(windowedModes, false, desktopWidth, desktopHeight);
}

} // namespace Velmora::Graphics
