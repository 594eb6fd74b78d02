#pragma once

#include "core/ISystem.h"
#include "debug/TweakVar.h"
#include "graphics/Bloom.h"
#include "graphics/FramePacer.h"
#include "graphics/Renderer.h"
#include "graphics/VideoMode.h"
#include "graphics/View.h"

#include <SDL.h>

#include <vector>

namespace Velmora::Graphics {

/// Owns the window and its OpenGL context, chooses and changes the video mode, keeps the world
/// view and the renderer, and runs each frame's render pass. When it initialises it adds the texture and font managers
/// and registers the sprite and transform components.
class GraphicsManager : public ISystem {
public:
    static GraphicsManager& GetInstance();
    GraphicsManager();

    /// Opens the window in the saved mode, or full-screen in the best one, starts GLEW, adds the
    /// texture and font managers, registers the components and creates the tweak panels. Needs SDL video.
    void Initialize() override;
    /// Shuts the tweak panels down.
    void Deinitialize() override;

    /// The frame's render pass: world pass under the view, overlay pass in pixels, debug
    /// drawing, performance overlay, tweak panels, buffer swap. dt: the frame's seconds.
    void Render(double dt);

    /// Switches the video mode; the GL context is replaced, so textures, programs and the bloom
    /// buffers are rebuilt. The pointer stays where it was over the window (SDL would move it to
    /// the middle of a full-screen one) and the keys held for the switch read as released. A
    /// failure is fatal.
    void SetVideoMode(const VideoMode& mode);
    /// Records the current mode in the settings as the player's choice, the mode of the next
    /// start (see ChooseStartMode), and saves them.
    void RememberMode() const;
    /// Full-screen candidates, best first (see SortFullscreenModes). Empty when SDL accepts any
    /// size; fatal when it offers none.
    void GetFullscreenModes(std::vector<VideoMode>& modes) const;
    /// Windowed candidates that fit on the desktop.
    void GetWindowedModes(std::vector<VideoMode>& modes) const;
    /// Alt+Return: the first candidate of the other kind (or the desktop full-screen), when it
    /// differs from the current mode.
    void ToggleFullscreen();
    /// The window lost input focus: a full-screen window is iconified.
    void HandleFocusLost();
    /// Before a critical-error box: gives up the keyboard and pointer grab, leaving full screen
    /// (which always grabs) for a window of the same size.
    void ReleaseWindowForBox();
    /// After the box: back to full screen and the grab, as before ReleaseWindowForBox.
    void RestoreWindowAfterBox();
    /// The window got focus back: a full-screen window that was iconified gets its mode again.
    void HandleFocusGained();

    /// Fixed GL state, the pixel projection (origin bottom-left) and a cleared screen.
    void ResetState();
    /// Projection and model-view back to window pixels.
    void LoadPixelSpace();

    /// The look the play screen uses while playing: ratios 1.5, −1, 0.5, 0.5, brightness 1.2,
    /// and the glow fades in again from zero.
    void ApplyDefaultBloomPreset();
    /// The subdued look behind the level-end panel: ratios 0.5, 0, 1.5, 1.5, brightness 0.2.
    void ApplyDimBloomPreset();

    Renderer& GetRenderer() { return mRenderer; }
    View& GetView() { return mView; }
    Bloom& GetBloom() { return mBloom; }
    /// The current mode (all zero before the first SetVideoMode).
    VideoMode GetCurrentMode() const;
    int GetWidth() const { return mScreen ? mScreen->w : 0; }
    int GetHeight() const { return mScreen ? mScreen->h : 0; }
    bool IsFullscreen() const { return mScreen && (mScreen->flags & SDL_FULLSCREEN); }

    SDL_Surface* mScreen = nullptr; ///< the video surface; owned by SDL
    Renderer mRenderer;
    Debug::TweakVar<bool> mDrawPerf{"Graphics/DrawPerf", "group=Debug label=Performance", false};
    Debug::TweakVar<double> mScaleFactor{"Graphics/mScaleFactor",
                                         "group=Graphics label='Scale' min=1.0 max=30.0 step=.5", 20.0};
    Debug::TweakVar<double> mBloomRatio0{"Graphics/mBloomRatio0",
                                         "group=Bloom label='Sample 0 Ratio' min=-3.0 max=3.0 step=0.01", 1.5};
    Debug::TweakVar<double> mBloomRatio1{"Graphics/mBloomRatio1",
                                         "group=Bloom label='Sample 1 Ratio' min=-3.0 max=3.0 step=0.01", -1.0};
    Debug::TweakVar<double> mBloomRatio2{"Graphics/mBloomRatio2",
                                         "group=Bloom label='Sample 2 Ratio' min=-3.0 max=3.0 step=0.01", 0.5};
    Debug::TweakVar<double> mBloomRatio3{"Graphics/mBloomRatio3",
                                         "group=Bloom label='Sample 3 Ratio' min=-3.0 max=3.0 step=0.01", 0.5};
    Debug::TweakVar<double> mBloomBrightness{"Graphics/mBloomBrightness",
                                             "group=Bloom label='Brightness' min=-30.0 max=30.0 step=0.01", 1.2};
    int mDesktopWidth = 0;
    int mDesktopHeight = 0;
    int mDesktopBpp = 0;
    View mView;
    Bloom mBloom;

    /// Holds the frame rate at the display's refresh (its "Graphics/FrameRate" uncaps it).
    FramePacer mPacer;

private:
    /// The saved mode when the display can show it, else the best one (ChooseStartMode).
    VideoMode StartMode() const;
    void SetBloomValues(double ratio0, double ratio1, double ratio2, double ratio3, double brightness);
    int FlushBatches();
    void RenderWorldPass(double dt);
    void RenderOverlayPass(double dt);

    bool mIconified = false;         ///< lost focus while full-screen
    bool mBoxLeftFullscreen = false; ///< ReleaseWindowForBox left full screen
    bool mBoxReleasedGrab = false;   ///< ReleaseWindowForBox released a grab
};

} // namespace Velmora::Graphics
