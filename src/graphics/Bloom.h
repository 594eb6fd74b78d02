#pragma once

#include <array>

namespace Velmora::Graphics {

/// The post-processing glow stage. The world pass is bracketed by BeginCapture and
/// EndAndCompose; while the stage is disabled both do nothing and the world is drawn straight
/// to the window, which is the case until the off-screen buffers and programs are built here.
class Bloom {
public:
    /// Sample ratios 0–3 and the brightness.
    static constexpr int kValueCount = 5;

    /// After every video mode change: the eased values start again from zero.
    void Setup(int width, int height);
    /// Before the GL context goes away.
    void Release();
    /// Zeroes the eased values (the default preset does this so the glow fades in).
    void ResetCurrent() { mCurrent.fill(0.0f); }
    /// Makes the off-screen buffer the drawing target for the world pass (when enabled).
    void BeginCapture();
    /// Blurs the captured world and composes it onto the window (when enabled).
    void EndAndCompose();

    bool IsEnabled() const { return mEnabled; }

    std::array<float, kValueCount> mCurrent{};  ///< values in use this frame
    bool mEnabled = false;
    int mWidth = 0;
    int mHeight = 0;
};

} // namespace Velmora::Graphics
