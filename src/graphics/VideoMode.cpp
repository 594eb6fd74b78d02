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

} // namespace Velmora::Graphics
