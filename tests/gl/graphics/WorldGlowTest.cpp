// The glow stage on the game's real shaders, in a real window (under Xvfb in the test run): a
// single bright dot on black is drawn through the world pass and the pixels are read back.
// (The file's name sorts after RenderingTest.cpp: that suite must be the one to open the window.)
#include "graphics/GraphicsManager.h"
#include "support/GraphicsFixtures.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace Velmora::Graphics {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
const Bloom::Values kDefaultLook{1.5f, -1.0f, 0.5f, 0.5f, 1.2f};

class WorldGlow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Tests::OpenGameWindow(kWidth, kHeight)) << SDL_GetError();
        // Built again here: a suite before may have changed modes over a data root without shaders.
        GetBloom().Setup(kWidth, kHeight);
        for (int frame = 0; frame < 40; ++frame) GetBloom().Update(kDefaultLook);
    }
    void TearDown() override { GetBloom().Setup(kWidth, kHeight); }

    static Bloom& GetBloom() { return GraphicsManager::GetInstance().GetBloom(); }

    // A white 4 × 4 pixel dot at the window's centre, drawn as the world pass draws: into the
    // capture, then composed. The frame's red channel, row by row from the bottom.
    static std::vector<int> DrawDot(int width, int height) {
        GraphicsManager& graphics = GraphicsManager::GetInstance();
        graphics.ResetState();
        GetBloom().BeginCapture();
        const double x = width / 2, y = height / 2;
        graphics.GetRenderer().GetBatch(kPrimitiveQuads, nullptr, 0, 4, kBlendAlpha).AddRect(x - 2, x + 2, y - 2, y + 2, 0xFFFFFFFFu);
        graphics.GetRenderer().Flush();
        GetBloom().EndAndCompose();
        std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        std::vector<int> red;
        for (size_t i = 0; i < rgba.size(); i += 4) red.push_back(rgba[i]);
        return red;
    }

    // The mean red level on the ring of pixels at the given distance from the dot's centre.
    static double RingLevel(const std::vector<int>& red, double distance) {
        double sum = 0.0;
        int count = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const double d = std::hypot(x + 0.5 - kWidth / 2, y + 0.5 - kHeight / 2);
                if (std::fabs(d - distance) >= 0.5) continue;
                sum += red[static_cast<size_t>(y) * kWidth + x];
                ++count;
            }
        }
        return sum / count;
    }
};

TEST_F(WorldGlow, ABrightDotSpreadsIntoAGlowThatFallsWithDistance) {
    ASSERT_TRUE(GetBloom().IsEnabled());
    const std::vector<int> glow = DrawDot(kWidth, kHeight);
    EXPECT_GT(RingLevel(glow, 0.7), 100.0);
    double previous = 255.0;
    for (double distance : {5.0, 8.0, 12.0, 16.0}) {
        const double level = RingLevel(glow, distance);
        EXPECT_GT(level, 0.0) << distance;
        EXPECT_LT(level, previous) << distance;
        previous = level;
    }
    EXPECT_LT(RingLevel(glow, 60.0), 1.0);
    // The eased values are what the compose uses: at zero the world is black.
    GetBloom().ResetCurrent();
    const std::vector<int> faded = DrawDot(kWidth, kHeight);
    EXPECT_EQ(RingLevel(faded, 0.7), 0.0);
}

TEST_F(WorldGlow, WithTheStageDisabledTheFrameIsThePlainImage) {
    GetBloom().Release();
    const std::vector<int> frame = DrawDot(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool dot = std::abs(2 * x + 1 - kWidth) < 4 && std::abs(2 * y + 1 - kHeight) < 4;
            ASSERT_EQ(frame[static_cast<size_t>(y) * kWidth + x], dot ? 255 : 0) << x << "," << y;
        }
    }
}

TEST_F(WorldGlow, TinyAndOddWindowsKeepEveryLevelAtLeastOnePixel) {
    GraphicsManager& graphics = GraphicsManager::GetInstance();
    for (const VideoMode& mode : {VideoMode{5, 3, false}, VideoMode{801, 601, false}}) {
        graphics.SetVideoMode(mode);
        ASSERT_TRUE(GetBloom().IsEnabled()) << mode.mWidth;
        for (int k = 0; k < Bloom::kLevels; ++k) {
            EXPECT_EQ(GetBloom().GetTarget(k).GetWidth(), Bloom::LevelSize(mode.mWidth, k));
            EXPECT_EQ(GetBloom().GetTarget(k).GetHeight(), Bloom::LevelSize(mode.mHeight, k));
        }
        for (int frame = 0; frame < 40; ++frame) GetBloom().Update(kDefaultLook);
        const std::vector<int> frame = DrawDot(mode.mWidth, mode.mHeight);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_GT(frame[static_cast<size_t>(mode.mHeight / 2) * mode.mWidth + mode.mWidth / 2], 100);
    }
    graphics.SetVideoMode({kWidth, kHeight, false});
}

} // namespace
} // namespace Velmora::Graphics
