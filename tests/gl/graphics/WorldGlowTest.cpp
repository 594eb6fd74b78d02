// The glow stage on the game's real shaders, in a real window (under Xvfb in the test run): a
// single bright dot on black, or a rendered scene, is drawn through the world pass and the
// pixels are read back.
// (The file's name sorts after RenderingTest.cpp: that suite must be the one to open the window.)
#include "graphics/GraphicsManager.h"
#include "graphics/TextureManager.h"
#include "support/GraphicsFixtures.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
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

    // Draws as the world pass draws: into the capture, then composed. The frame read back as
    // RGBA, row by row from the bottom.
    template <class DrawWorld>
    static std::vector<uint8_t> WorldFrame(int width, int height, DrawWorld drawWorld) {
        GraphicsManager& graphics = GraphicsManager::GetInstance();
        graphics.ResetState();
        GetBloom().BeginCapture();
        drawWorld(graphics.GetRenderer());
        graphics.GetRenderer().Flush();
        GetBloom().EndAndCompose();
        std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    // A white 4 × 4 pixel dot at the window's centre; the frame's red channel.
    static std::vector<int> DrawDot(int width, int height) {
        const std::vector<uint8_t> rgba = WorldFrame(width, height, [&](Renderer& renderer) {
            const double x = width / 2, y = height / 2;
            renderer.GetBatch(kPrimitiveQuads, nullptr, 0, 4, kBlendAlpha)
                .AddRect(x - 2, x + 2, y - 2, y + 2, 0xFFFFFFFFu);
        });
        std::vector<int> red;
        for (size_t i = 0; i < rgba.size(); i += 4) red.push_back(rgba[i]);
        return red;
    }

    // The menu background, a rendered level (dark rooms, neon rings, lit cones), over the window.
    static std::vector<uint8_t> DrawScene() {
        Texture* scene = TextureManager::GetInstance().GetTexture("roomrender.png");
        return WorldFrame(kWidth, kHeight, [scene](Renderer& renderer) {
            renderer.GetBatch(kPrimitiveQuads, scene, 0, 4, kBlendAlpha)
                .AddTexturedRect(0, kWidth, 0, kHeight, 0, 0, scene->mMaxU, scene->mMaxV, 0xFFFFFFFFu);
        });
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

TEST_F(WorldGlow, OnARealSceneTheDefaultLookAddsAGlowWithoutWashingItOut) {
    const std::vector<uint8_t> glow = DrawScene();
    GetBloom().Release();
    const std::vector<uint8_t> plain = DrawScene();
    double glowSum = 0.0, plainSum = 0.0;
    size_t clipped = 0, close = 0;
    for (size_t i = 0; i < glow.size(); i += 4) {
        glowSum += glow[i] + glow[i + 1] + glow[i + 2];
        plainSum += plain[i] + plain[i + 1] + plain[i + 2];
        clipped += glow[i] >= 252 && glow[i + 1] >= 252 && glow[i + 2] >= 252;
        close += std::abs(glow[i + 2] - plain[i + 2]) < 40;
    }
    const double pixels = static_cast<double>(glow.size() / 4);
    EXPECT_GT(glowSum / plainSum, 1.0);  // the glow adds light...
    EXPECT_LT(glowSum / plainSum, 1.45); // ...but the scene is not flooded
    EXPECT_LT(clipped / pixels, 0.01);
    EXPECT_GT(close / pixels, 0.9) << "most pixels keep close to their own level";
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
