// The heads-up display's meter drawn into a real window (under Xvfb in the test run) with the
// real images and the real "ChargeMeter" program; the pixels of the meter slot are read back.
// (The plain bars and the briefcase are plain quads, checked without GL in the unit tests.)
#include "core/Game.h"
#include "graphics/GraphicsManager.h"
#include "graphics/Vertex.h"
#include "screens/Hud.h"
#include "support/GraphicsFixtures.h"
#include "support/TestSupport.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <vector>

namespace Velmora::Logic {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

class HudRendering : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Tests::OpenGameWindow(kWidth, kHeight)) << SDL_GetError(); }

    void Draw(const HudState& state, bool useShader) {
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        graphics.ResetState();
        mHud.Draw(graphics.GetRenderer(), kWidth, kHeight, state, useShader);
        graphics.GetRenderer().Flush();
    }

    // The mean colour of a small block of window pixels centred on (x, y), origin bottom-left.
    static uint32_t MeanColor(double x, double y, int side = 6) {
        std::vector<uint8_t> rgba(side * side * 4);
        glReadPixels(static_cast<int>(x) - side / 2, static_cast<int>(y) - side / 2, side, side, GL_RGBA,
                     GL_UNSIGNED_BYTE, rgba.data());
        int sum[3] = {};
        for (size_t i = 0; i < rgba.size(); i += 4) {
            for (int c = 0; c < 3; ++c) sum[c] += rgba[i + c];
        }
        const int n = side * side;
        return Graphics::PackColor(static_cast<uint8_t>(sum[0] / n), static_cast<uint8_t>(sum[1] / n),
                                   static_cast<uint8_t>(sum[2] / n));
    }
    static int Red(uint32_t c) { return c & 0xFF; }
    static int Blue(uint32_t c) { return (c >> 16) & 0xFF; }

    // A point of the meter slot at a fraction of its length, halfway up.
    static void SlotPoint(double fraction, double& x, double& y) {
        const Hud::Rect slot = Hud::MeterSlotRect(kWidth, kHeight);
        x = slot.mLeft + (slot.mRight - slot.mLeft) * fraction;
        y = (slot.mBottom + slot.mTop) * 0.5;
    }

    Hud mHud;
};

TEST_F(HudRendering, TheShaderMeterFillsTheSlotInTheGunsColourUpToThePower) {
    ASSERT_TRUE(mHud.IsShaderMeterAvailable()) << "the program builds on this GL";
    HudState state;
    state.mGun = kSoundGun;
    state.mMeterPower = -1.0;
    Draw(state, true);
    double x = 0.0, y = 0.0;
    SlotPoint(0.75, x, y);
    const uint32_t empty = MeanColor(x, y);

    state.mMeterPower = 1.0; // reloaded and fully charged
    Draw(state, true);
    const uint32_t full = MeanColor(x, y);
    EXPECT_GT(Blue(full), Blue(empty) + 60) << "the charge half glows blue";
    EXPECT_GT(Blue(full), Red(full) + 40);

    const uint32_t around = MeanColor(x, y, 20);
    state.mPhase = 0.25;
    Draw(state, true);
    EXPECT_NE(MeanColor(x, y, 20), around) << "the shimmer moves with the phase";
    state.mPhase = 0.0;

    state.mMeterPower = 0.0; // reloaded, no charge: the reload half only
    Draw(state, true);
    EXPECT_LT(Blue(MeanColor(x, y)), Blue(full) - 40) << "the charge half is dark again";
    SlotPoint(0.1, x, y);
    const uint32_t ready = MeanColor(x, y);
    SlotPoint(0.4, x, y);
    EXPECT_GT(Blue(MeanColor(x, y)), Blue(empty) + 40) << "the reload half is filled";

    state.mMeterPower = -0.5; // reloading, a quarter of the way
    Draw(state, true);
    EXPECT_LT(Blue(MeanColor(x, y)), Blue(empty) + 20) << "four tenths not yet reloaded";
    SlotPoint(0.1, x, y);
    const uint32_t reloading = MeanColor(x, y);
    EXPECT_GT(Blue(reloading), Blue(empty) + 40) << "the first tenth is";
    EXPECT_GT(Blue(ready), Blue(reloading)) << "a ready gun's reload half is brighter";

    state.mGun = kShockGun;
    state.mMeterPower = 1.0;
    Draw(state, true);
    SlotPoint(0.75, x, y);
    const uint32_t shock = MeanColor(x, y);
    EXPECT_GT(Red(shock), Blue(shock) + 40) << "the ShockGun's meter is red";
}

} // namespace
} // namespace Velmora::Logic
