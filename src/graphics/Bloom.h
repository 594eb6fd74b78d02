#pragma once

#include "graphics/RenderTarget.h"
#include "graphics/RenderTargetStack.h"
#include "graphics/ShaderProgram.h"

#include <array>
#include <memory>

namespace Velmora::Graphics {

/// The post-processing glow of the world pass. BeginCapture sends the world into an off-screen
/// target; EndAndCompose blurs that image at four sizes (full, half, quarter, eighth: a
/// separable three-tap blur on each) and combines the four blurred images onto the window,
/// weighted by four ratios and scaled by a brightness ("Combine4f.frag" decides how).
///
/// The ratios and the brightness in use ease towards the graphics manager's tweak values by a
/// fixed step per frame, so a change of look fades instead of jumping. Where the machine cannot
/// run the stage (no OpenGL 2.0, no frame buffer objects, a vendor on the deny list, a program
/// that does not build, a target the driver refuses) it stays disabled: BeginCapture and
/// EndAndCompose then do nothing and the world is drawn straight to the window.
class Bloom {
public:
    /// Sample ratios 0–3 and the brightness.
    static constexpr int kValueCount = 5;
    /// Levels of the blur pyramid; level k is the window size shifted right by k bits.
    static constexpr int kLevels = 4;
    /// How far each eased value moves per rendered frame.
    static constexpr float kEaseStep = 0.05f;
    /// Blur tap distance in texels of the level being blurred. Past one texel, the linear
    /// filter of each tap already mixes two texels, so three taps reach over five.
    static constexpr float kBlurOffset = 1.2f;
    /// The ratios 0–3 and the brightness, in that order.
    using Values = std::array<float, kValueCount>;

    Bloom();
    ~Bloom();
    Bloom(const Bloom&) = delete;
    Bloom& operator=(const Bloom&) = delete;

    /// The rule for running the stage: OpenGL 2.0, the "GL_EXT_framebuffer_object" extension and
    /// a vendor string that exists and does not contain "Intel".
    static bool IsSupported(bool openGl20, bool framebufferObjects, const char* vendor);
    /// One side of a pyramid level: size >> level, at least 1 pixel.
    static int LevelSize(int size, int level);
    /// One easing step of a value towards its target (see Update).
    static float EaseTowards(float current, float target);

    /// After every video mode change, with the window's size in pixels: zeroes the eased values,
    /// then decides whether the stage runs and builds its programs and targets. Needs the new
    /// GL context (without one the stage stays off). The first call also starts GLEW.
    void Setup(int width, int height);
    /// Deletes programs and targets and disables the stage; call before the GL context goes.
    void Release();
    /// Once per frame before the world pass: each value moves kEaseStep towards its target, and
    /// becomes the target once it is within a step of it (a change of d takes ceil(d / kEaseStep)
    /// frames).
    void Update(const Values& targets);
    /// Zeroes the eased values (the default look does this so the glow fades in).
    void ResetCurrent() { mCurrent.fill(0.0f); }

    /// Makes level 0 target A the drawing target and clears it to opaque black (when enabled).
    void BeginCapture();
    /// Returns to the window, blurs and downsamples the captured world and combines the levels
    /// onto the window (when enabled). Leaves GL state, matrices and texture units as it found
    /// them. worldDrawn: false when nothing was drawn into the capture (menus, the intro); its
    /// glow is black, so only the return to the already cleared window is made.
    void EndAndCompose(bool worldDrawn = true);

    /// The passes EndAndCompose runs, offered on their own so their cost can be measured. Each
    /// needs the stage enabled and the capture finished.
    /// Blurs level k in place: horizontally from A into B, vertically from B back into A.
    void BlurLevel(int level);
    /// Copies level k−1 target A into level k target A (k from 1), halving it.
    void Downsample(int level);
    /// Draws the four levels' A targets, weighted by the eased values, over the current target.
    void Combine();

    bool IsEnabled() const { return mEnabled; }
    /// The ratios and brightness in use this frame.
    const Values& GetCurrent() const { return mCurrent; }
    /// The blur weights: 5, 6 and 5 divided by their sum.
    const std::array<float, 3>& GetCoefficients() const { return mCoefficients; }
    /// Level k target A (unbuilt while the stage is disabled).
    const RenderTarget& GetTarget(int level) const { return mTargetsA[level]; }
    /// The stack every off-screen pass pushes its target on.
    RenderTargetStack& GetTargetStack() { return mStack; }

private:
    struct CombineUniforms {
        int mSource = -1;
        std::array<int, kLevels> mPasses{-1, -1, -1, -1};
        std::array<int, kLevels> mRatios{-1, -1, -1, -1};
        int mBrightness = -1;
    };
    struct BlurUniforms {
        int mSource = -1;
        int mCoefficients = -1;
        int mOffsetX = -1;
        int mOffsetY = -1;
    };

    bool CheckSupport();
    bool BuildPrograms();
    void LookUpUniforms();
    bool CreateTargets(int width, int height);
    void DrawInto(const RenderTarget& target, unsigned sourceTexture);

    Values mCurrent{};
    std::array<RenderTarget, kLevels> mTargetsA;
    std::array<RenderTarget, kLevels> mTargetsB;
    std::unique_ptr<ShaderProgram> mBlit;
    std::unique_ptr<ShaderProgram> mCombine;
    std::unique_ptr<ShaderProgram> mBlur;
    CombineUniforms mCombineUniforms;
    BlurUniforms mBlurUniforms;
    int mBlitSource = -1;
    std::array<float, 3> mCoefficients{5.0f / 16.0f, 6.0f / 16.0f, 5.0f / 16.0f};
    RenderTargetStack mStack;
    bool mEnabled = false;
    bool mGlewStarted = false;
    bool mHasOpenGl20 = false;
    int mTimer = -1;  ///< "Bloom" performance timer
};

} // namespace Velmora::Graphics
