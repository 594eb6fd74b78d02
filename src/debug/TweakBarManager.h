#pragma once

#include "debug/TweakBar.h"
#include "debug/TweakPanel.h"

#include <SDL.h>

#include <map>
#include <memory>
#include <string>

namespace Velmora::Debug {

/// Owns the tweak panels (the "main" panel, titled "Velmora", exists from the start). Not a
/// system: the main loop offers it input events first while a panel is visible, and the
/// graphics manager creates the panels once a GL context exists and draws them last each frame.
/// The panels are drawn with Dear ImGui (see TweakPanel and TweakBarWindow).
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

    /// Offers an input event to the visible panels; true when they used it: a mouse event over a
    /// panel (or ending a drag begun there), a key while a value is being typed. False before
    /// CreateBars.
    bool HandleEvent(const SDL_Event& event);
    /// Called by the graphics manager once a GL context is current: starts Dear ImGui. The
    /// panels can be drawn from then on. Calling it again does nothing until Shutdown.
    void CreateBars();
    /// Draws the visible panels into the current framebuffer, last in the frame (timed as
    /// "TweakBar Render Time"); GL state is left as it was found. Does nothing before CreateBars
    /// or while every panel is hidden.
    void Draw();
    /// Told the window's size in pixels after every video-mode change.
    void SetWindowSize(int width, int height);
    /// Tears Dear ImGui down (the GL context must still be current); CreateBars may follow.
    void Shutdown();

    /// The ImGui side, for tests and tools (where widgets were drawn).
    const TweakPanel& GetPanel() const { return mPanel; }

    /// The variable registered under a key on any panel, or null.
    const TweakBar::Variable* FindVariable(const std::string& key) const;

private:
    std::map<std::string, std::unique_ptr<TweakBar>> mBars;
    TweakPanel mPanel;
    int mRenderTimer = 0;
    int mWidth = 0;
    int mHeight = 0;
};

} // namespace Velmora::Debug
