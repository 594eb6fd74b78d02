// The heads-up display drawn into a real window (under Xvfb in the test run) with the real
// images and the real "ChargeMeter" program; the pixels of the meter slot and the briefcase
// socket are read back.
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
    static int Green(uint32_t c) { return (c >> 8) & 0xFF; }
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

    state.mMeterPower = 0.0; // reloaded, no charge: the reload half only
    Draw(state, true);
    EXPECT_LT(Blue(MeanColor(x, y)), Blue(full) - 40) << "the charge half is dark again";
    SlotPoint(0.25, x, y);
    EXPECT_GT(Blue(MeanColor(x, y)), Blue(empty) + 40) << "the reload half is filled";

    state.mGun = kShockGun;
    state.mMeterPower = 1.0;
    Draw(state, true);
    SlotPoint(0.75, x, y);
    const uint32_t shock = MeanColor(x, y);
    EXPECT_GT(Red(shock), Blue(shock) + 40) << "the ShockGun's meter is red";
}

TEST_F(HudRendering, WithoutTheShaderPlainBarsShowReloadThenCharge) {
    HudState state;
    state.mGun = kShockGun;
    state.mReload = 0.5;
    Draw(state, false);
    double x = 0.0, y = 0.0;
    SlotPoint(0.1, x, y);
    EXPECT_GT(Red(MeanColor(x, y)), 150) << "a quarter of the slot: inside the half-full reload bar";
    SlotPoint(0.4, x, y);
    EXPECT_LT(Red(MeanColor(x, y)), 100) << "beyond the reload";

    state.mReload = 1.0;
    state.mCharge = 0.5;
    Draw(state, false);
    SlotPoint(0.4, x, y);
    EXPECT_GT(Red(MeanColor(x, y)), 150);
    SlotPoint(0.6, x, y);
    EXPECT_GT(Red(MeanColor(x, y)), 150) << "the charge bar starts at the middle";
    SlotPoint(0.9, x, y);
    EXPECT_LT(Red(MeanColor(x, y)), 100);
}

TEST_F(HudRendering, TheBriefcaseAppearsInItsSocketOnceTaken) {
    const Hud::Rect socket = Hud::BriefcaseRect(kWidth, kHeight);
    const double x = (socket.mLeft + socket.mRight) * 0.5, y = (socket.mBottom + socket.mTop) * 0.5;
    HudState state;
    Draw(state, false);
    const uint32_t without = MeanColor(x, y, 10);
    state.mBriefcase = true;
    Draw(state, false);
    const uint32_t with = MeanColor(x, y, 10);
    EXPECT_GT(Red(with) + Green(with) + Blue(with), Red(without) + Green(without) + Blue(without) + 60);
}

} // namespace
} // namespace Velmora::Logic
