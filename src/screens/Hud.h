#pragma once

#include "game/GunType.h"

#include <cstdint>
#include <string>

namespace Velmora::Graphics {
class Renderer;
class Texture;
}

namespace Velmora::Logic {

/// What the heads-up display shows in one frame.
struct HudState {
    double mLevelTime = 0.0;    ///< seconds of the level clock
    bool mBriefcase = false;    ///< the level's briefcase has been taken
    GunType mGun = kGunNone;    ///< tints the meter
    double mMeterPower = -1.0;  ///< the shader meter's fill, −1 … 1 ("uPower")
    double mReload = 0.0;       ///< the plain meter's reload bar, 0 … 1
    double mCharge = 0.0;       ///< the plain meter's charge bar, 0 … 1
    double mPhase = 0.0;        ///< 0 … 1, moves the meter's shimmer ("uTime")
};

/// The play screen's heads-up display, drawn in window pixels (origin bottom-left) for a window
/// of W × H: the HUD bar along the bottom, the briefcase in the bar's socket once taken, the
/// gun's reload and charge meter in the bar's slot (the "ChargeMeter" program on hud.png, or
/// chargemeter.png bars where the program did not build), the level clock at the bottom right
/// (right-aligned, so hours still fit)
/// and the menu button at the bottom left. The bar's inner places follow hud.png's design
/// (1024 × 92 pixels, see data/README.md).
class Hud {
public:
    /// A rectangle in window pixels.
    struct Rect {
        double mLeft = 0.0;
        double mBottom = 0.0;
        double mRight = 0.0;
        double mTop = 0.0;
        /// Inside, counting the left and bottom edges.
        bool Contains(double x, double y) const { return x >= mLeft && x < mRight && y >= mBottom && y < mTop; }
    };

    static constexpr int kBarLayer = 805;     ///< the bar and the menu button
    static constexpr int kMeterLayer = 807;   ///< the meter and the briefcase icon, over the bar
    static constexpr double kDesignWidth = 1024.0;  ///< hud.png's design size in pixels
    static constexpr double kDesignHeight = 92.0;
    static constexpr uint32_t kTimerColor = 0xFF0000FFu;  ///< opaque red

    /// The HUD bar: (0.136·W, 0.016·H), 0.669·W × 0.094·H.
    static Rect BarRect(int width, int height);
    /// The bar's briefcase socket (design x 26 … 96, y 11 … 81 from the top).
    static Rect BriefcaseRect(int width, int height);
    /// The bar's meter slot (design x 128 … 1000, y 30 … 66 from the top): reload in the left
    /// half, charge in the right.
    static Rect MeterSlotRect(int width, int height);
    /// The menu button: (10·W/1024, 10·H/1024) to (90·W/1024, 100·H/1024).
    static Rect MenuButtonRect(int width, int height);
    /// The meter's tint: SoundGun blue (25, 25, 255), WhiteGun grey (127, 127, 127), ShockGun
    /// red (255, 25, 25), no gun black; opaque.
    static uint32_t GunTint(GunType gun);
    /// The longest time the clock shows (99:59:59.99); it stops there.
    static constexpr double kClockLimit = 359999.99;
    /// The clock's two parts: minutes and seconds ("m:ss", from an hour on "h:mm:ss") and
    /// hundredths (".%02i"). Negative times read as 0, times past kClockLimit as the limit.
    static std::string FormatClock(double seconds);
    static std::string FormatHundredths(double seconds);
    /// Where the clock goes: right of the bar, up to 1 % from the window's right edge. The
    /// clock ends at the right edge of this box and shrinks when it would be wider.
    static Rect ClockRect(int width, int height);

    /// Draws the whole display into the renderer's batches. The meter uses the shader program
    /// when it is built and the plain bars otherwise.
    void Draw(Graphics::Renderer& renderer, int width, int height, const HudState& state);
    /// The same with the choice of meter made by the caller.
    void Draw(Graphics::Renderer& renderer, int width, int height, const HudState& state, bool useShader);
    /// True when the "ChargeMeter" program on hud.png is built (a GL context with GLSL).
    bool IsShaderMeterAvailable();

private:
    void LoadTextures();
    void DrawTimer(Graphics::Renderer& renderer, int width, int height, double seconds) const;
    void DrawShaderMeter(Graphics::Renderer& renderer, const Rect& bar, const HudState& state) const;
    void DrawPlainMeter(Graphics::Renderer& renderer, const Rect& slot, const HudState& state) const;
    void DrawMenuButton(Graphics::Renderer& renderer, int width, int height) const;

    Graphics::Texture* mBar = nullptr;        // all owned by the texture manager
    Graphics::Texture* mBriefcase = nullptr;
    Graphics::Texture* mMeter = nullptr;      // hud.png drawn with "ChargeMeter"
    Graphics::Texture* mPlainMeter = nullptr; // chargemeter.png
};

} // namespace Velmora::Logic
