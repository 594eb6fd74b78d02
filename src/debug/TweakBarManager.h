#pragma once

#include "debug/TweakBar.h"

#include <SDL.h>

#include <map>
#include <memory>
#include <string>

namespace Velmora::Debug {

/// Owns the tweak panels (the "main" panel, titled "Velmora", exists from the start). Not a
/// system: the main loop offers it input events first while a panel is visible, and the
/// graphics manager creates the panels once a GL context exists and draws them last each frame.
class TweakBarManager {
public:
    static TweakBarManager& GetInstance();
    TweakBarManager();

    /// The panel of that key, created (hidden) on first request.
    TweakBar& GetBar(const std::string& key);
    TweakBar& GetMainBar() { return GetBar("main"); }
    bool AnyVisible() const;
    /// Tab: shows or hides the main panel.
    void ToggleMainBar();

    /// Offers an input event to the visible panels; true when they used it.
    bool HandleEvent(const SDL_Event& event);
    /// Called once a GL context exists; the panels can be drawn from then on.
    void CreateBars();
    /// Draws the visible panels (timed as "TweakBar Render Time").
    void Draw();
    /// Told about every window size change.
    void SetWindowSize(int width, int height);
    void Shutdown();

    /// The variable registered under a key on any panel, or null.
    const TweakBar::Variable* FindVariable(const std::string& key) const;

private:
    std::map<std::string, std::unique_ptr<TweakBar>> mBars;
    int mRenderTimer = 0;
};

} // namespace Velmora::Debug
