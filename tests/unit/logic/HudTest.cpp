// The heads-up display's layout and plain quads, drawn without GL; the shader meter's pixels are
// checked with GL (tests/gl, HudRendering).
#include "core/Game.h"
#include "graphics/Batch.h"
#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "graphics/Texture.h"
#include "graphics/Vertex.h"
#include "screens/Hud.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace Velmora::Logic {
namespace {

// One quad found in the renderer's batches.
struct Quad {
    double mLeft, mBottom, mRight, mTop;
    uint32_t mColor;
};

// Reads the game's real images (hud.png, …) and the "digital" font; draws into a renderer whose
// batches the test inspects before anything is flushed.
class HudTest : public testing::Test {
protected:
    void SetUp() override {
        mSavedRoot = Game::GetInstance().GetRootPath();
        Game::GetInstance().SetRootPath(Tests::SourceDir());
        Graphics::FontManager::GetInstance().LoadFont("digital");
        Graphics::FontManager::GetInstance().LoadFont("menu_small");
    }
    void TearDown() override { Game::GetInstance().SetRootPath(mSavedRoot); }

    std::vector<Quad> Quads(const std::string& texture, int layer) const {
        std::vector<Quad> quads;
        for (const auto& [key, batch] : mRenderer.GetBatches()) {
            if (batch->mLayer != layer || batch->mPrimitive != Graphics::kPrimitiveQuads) continue;
            const std::string name = batch->mTexture ? batch->mTexture->mName : "";
            if (name != texture) continue;
            const Graphics::Vertex* v = batch->GetVertices();
            for (unsigned i = 0; i + 3 < batch->mCount; i += 4) {
                quads.push_back({v[i].mX, v[i].mY, v[i + 2].mX, v[i + 2].mY,
                                 Graphics::PackColor(v[i].mRed, v[i].mGreen, v[i].mBlue, v[i].mAlpha)});
            }
        }
        return quads;
    }

    Tests::LogCapture mLog;
    std::string mSavedRoot;
    Graphics::Renderer mRenderer{[](const Graphics::Batch&) {}};
    Hud mHud;
};

TEST(HudLayout, BarSocketSlotAndMenuButtonFollowTheWindowAndTheBarDesign) {
    const Hud::Rect bar = Hud::BarRect(1000, 500);
    EXPECT_DOUBLE_EQ(bar.mLeft, 136.0);
    EXPECT_DOUBLE_EQ(bar.mTop, 8.0 + 47.0);

    // The socket is design x 26 … 96 and y 11 … 81 from the bar's top, of 1024 × 92.
    const Hud::Rect socket = Hud::BriefcaseRect(1000, 500);
    EXPECT_NEAR(socket.mLeft, 136.0 + 26.0 / 1024.0 * 669.0, 1e-9);
    EXPECT_NEAR(socket.mBottom, 55.0 - 81.0 / 92.0 * 47.0, 1e-9);
    EXPECT_GT(Hud::MeterSlotRect(1000, 500).mLeft, socket.mRight) << "the slot lies right of the socket";

    const Hud::Rect menu = Hud::MenuButtonRect(1024, 768);
    EXPECT_DOUBLE_EQ(menu.mBottom, 7.5);
    EXPECT_DOUBLE_EQ(menu.mTop, 75.0);
    EXPECT_TRUE(menu.Contains(10.0, 7.5));
    EXPECT_FALSE(menu.Contains(90.0, 50.0)) << "the right edge is outside";
    EXPECT_FALSE(menu.Contains(50.0, 80.0));
}

TEST(HudLayout, ClockShowsMinutesSecondsAndHundredthsThenHours) {
    const struct {
        double mSeconds;
        const char* mText;
    } cases[] = {
        {0.999, "0:00.99"},     {7.05, "0:07.05"}, {100.0, "1:40.00"},
        {3600.0, "1:00:00.00"}, {-3.0, "0:00.00"}, {1e300, "99:59:59.99"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hud::FormatClock(c.mSeconds) + Hud::FormatHundredths(c.mSeconds), c.mText) << c.mSeconds;
    }
    double clock = 0.0;
    for (int tick = 0; tick < 480; ++tick) clock += 1.0 / 60.0;
    EXPECT_EQ(Hud::FormatClock(clock) + Hud::FormatHundredths(clock), "0:08.00") << "eight seconds of ticks";
}

TEST_F(HudTest, ClockStaysInsideTheWindowRightOfTheBarAtAnyTime) {
    for (const auto& [width, height] : {std::pair{1280, 800}, {640, 480}}) {
        for (const double seconds : {0.0, Hud::kClockLimit}) {
            mRenderer.Clear();
            HudState state;
            state.mLevelTime = seconds;
            mHud.Draw(mRenderer, width, height, state, false);
            const std::vector<Quad> digits = Quads("font/digital", Graphics::FontManager::kTextLayer);
            ASSERT_FALSE(digits.empty());
            double left = digits.front().mLeft, right = digits.front().mRight;
            for (const Quad& quad : digits) {
                left = std::min(left, quad.mLeft);
                right = std::max(right, quad.mRight);
            }
            EXPECT_GE(left, Hud::BarRect(width, height).mRight - 0.5) << width << "x" << height << " at " << seconds;
            EXPECT_LE(right, width - 0.005 * width) << width << "x" << height << " at " << seconds;
            EXPECT_EQ(digits.front().mColor, Hud::kTimerColor);
        }
    }
}

TEST_F(HudTest, TheBarAlwaysTheBriefcaseOnlyOnceTaken) {
    HudState state;
    state.mLevelTime = 83.5;
    mHud.Draw(mRenderer, 1200, 750, state, false);
    const std::vector<Quad> bar = Quads("hud.png", Hud::kBarLayer);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_DOUBLE_EQ(bar[0].mTop, 0.016 * 750 + 0.094 * 750);
    EXPECT_TRUE(Quads("hudbriefcase.png", Hud::kMeterLayer).empty());
    mRenderer.Clear();
    state.mBriefcase = true;
    mHud.Draw(mRenderer, 1200, 750, state, false);
    const std::vector<Quad> icon = Quads("hudbriefcase.png", Hud::kMeterLayer);
    ASSERT_EQ(icon.size(), 1u);
    EXPECT_DOUBLE_EQ(icon[0].mLeft, Hud::BriefcaseRect(1200, 750).mLeft);
}

TEST_F(HudTest, PlainMeterFillsTheReloadHalfAndOnlyThenTheChargeHalf) {
    const Hud::Rect slot = Hud::MeterSlotRect(1200, 750);
    const double middle = (slot.mLeft + slot.mRight) * 0.5;
    HudState state;
    state.mGun = kShockGun;
    state.mReload = 0.5;
    state.mCharge = 0.5; // not shown: the gun has not reloaded
    mHud.Draw(mRenderer, 1200, 750, state, false);
    std::vector<Quad> bars = Quads("chargemeter.png", Hud::kMeterLayer);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_GT(bars[0].mLeft, slot.mLeft);
    EXPECT_NEAR(bars[0].mRight - bars[0].mLeft, (middle - bars[0].mLeft) * 0.5, 1e-9);
    EXPECT_EQ(bars[0].mColor, Hud::GunTint(kShockGun));

    mRenderer.Clear();
    state.mReload = 1.0;
    mHud.Draw(mRenderer, 1200, 750, state, false);
    bars = Quads("chargemeter.png", Hud::kMeterLayer);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_NEAR(bars[0].mRight, middle, 1e-9) << "a full reload fills the left half";
    EXPECT_NEAR(bars[1].mLeft, middle, 1e-9);
    EXPECT_NEAR(bars[1].mRight - bars[1].mLeft, (bars[0].mRight - bars[0].mLeft) * 0.5, 1e-9);
}

TEST_F(HudTest, NothingForAWindowWithoutSize) {
    mHud.Draw(mRenderer, 0, 0, HudState(), false);
    for (const auto& [key, batch] : mRenderer.GetBatches()) EXPECT_EQ(batch->mCount, 0u);
}

} // namespace
} // namespace Velmora::Logic
