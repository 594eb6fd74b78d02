// Draws through the real window and GL context (under Xvfb in the test run) and reads the
// pixels back. (The full-screen start and the frame's two passes are checked in the real program
// by tests/e2e/graphics.sh and play.sh.)
#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/Game.h"
#include "core/Value.h"
#include "core/ValueCursor.h"
#include "gl/GlPixels.h"
#include "graphics/ComponentSprite.h"
#include "graphics/ComponentTransform.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "support/GraphicsFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

namespace Velmora::Graphics {
namespace {

using Tests::PixelAt;

constexpr uint32_t kRed = PackColor(255, 0, 0);
constexpr uint32_t kGreen = PackColor(0, 255, 0);
constexpr uint32_t kBlue = PackColor(0, 0, 255);
constexpr uint32_t kBlack = PackColor(0, 0, 0);

// The game's window, whichever suite opened it, over a data root of the suite's own: plain
// images, a font and shaders.
class Rendering : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(Tests::OpenGameWindow(640, 480)) << SDL_GetError();
        static const std::string root = MakeRoot();
        Game::GetInstance().SetRootPath(root);
        ASSERT_TRUE(FontManager::GetInstance().LoadFont("fixture"));
    }
    static void TearDownTestSuite() { Game::GetInstance().SetRootPath(Tests::SourceDir()); }

    static std::string MakeRoot() {
        const std::string root = Tests::MakeTempDir();
        const std::string images = root + "/data/image/";
        Tests::WriteSolidImage(images + "red.png", 16, 16, kRed);
        Tests::WriteSolidImage(images + "blue.png", 16, 16, kBlue);
        Tests::WriteSolidImage(images + "white.png", 8, 8, PackColor(255, 255, 255));
        // Sprites: 256 pixels are 76.8 world units, 128 pixels 38.4. The arrow's top half is green,
        // its bottom half red: shows which way up an image is drawn. (Sprites map the whole
        // padded texture, so these are powers of two.)
        Tests::WriteImage(images + "arrow.png", 256, 256, [](int, int y) { return y < 128 ? kGreen : kRed; });
        Tests::WriteSolidImage(images + "square.png", 128, 128, kBlue);
        Tests::WriteFixtureFont(root, "fixture");
        Tests::WriteFile(root + "/data/shader/Passv.vert",
                         "void main() { gl_TexCoord[0] = gl_MultiTexCoord0; gl_FrontColor = gl_Color;"
                         " gl_Position = ftransform(); }\n");
        Tests::WriteFile(root + "/data/shader/Tint.frag",
                         "uniform float uGreen; uniform sampler2D uSource;\n"
                         "void main() { gl_FragColor = vec4(0.0, uGreen, 0.0, 1.0); }\n");
        Tests::WriteFile(root + "/data/shader/Broken.frag", "void main() { this is not glsl }\n");
        return root;
    }

    void SetUp() override {
        GraphicsManager& graphics = GraphicsManager::GetInstance();
        if (graphics.GetCurrentMode() != VideoMode{640, 480, false}) graphics.SetVideoMode({640, 480, false});
        graphics.ResetState();
    }

    static Renderer& GetRenderer() { return GraphicsManager::GetInstance().GetRenderer(); }

    static void AddQuad(Texture* texture, int layer, double left, double bottom, double size) {
        GetRenderer()
            .GetBatch(kPrimitiveQuads, texture, layer, 1024, kBlendAlpha)
            .AddTexturedRect(left, left + size, bottom, bottom + size, 0, 0, 1, 1, 0xFFFFFFFFu);
    }
};

TEST_F(Rendering, HigherLayersCoverLowerOnesAndTexturesKeepTheirColours) {
    Texture* red = TextureManager::GetInstance().GetTexture("red.png");
    Texture* blue = TextureManager::GetInstance().GetTexture("blue.png");
    ASSERT_NE(red->mGlId, 0u);
    AddQuad(red, 801, 100, 100, 50); // added first, drawn last
    AddQuad(blue, 800, 125, 125, 50);
    GetRenderer().Flush();
    EXPECT_EQ(PixelAt(110, 110), kRed);
    EXPECT_EQ(PixelAt(140, 140), kRed); // overlap: the higher layer wins
    EXPECT_EQ(PixelAt(170, 170), kBlue);
    EXPECT_EQ(PixelAt(300, 300), kBlack);
}

TEST_F(Rendering, AdditiveBlendingAddsAndAlphaTestDropsFaintPixels) {
    Renderer& renderer = GetRenderer();
    renderer.GetBatch(kPrimitiveQuads, nullptr, 0, 8, kBlendAlpha).AddRect(0, 100, 0, 100, kRed);
    renderer.GetBatch(kPrimitiveQuads, nullptr, 1, 8, kBlendAdditive).AddRect(50, 150, 0, 100, kGreen);
    renderer.GetBatch(kPrimitiveQuads, nullptr, 2, 8, kBlendAlpha).AddRect(0, 20, 0, 20, PackColor(0, 0, 255, 20));
    renderer.Flush();
    EXPECT_EQ(PixelAt(75, 50), PackColor(255, 255, 0));
    EXPECT_EQ(PixelAt(125, 50), kGreen);
    EXPECT_EQ(PixelAt(10, 10), kRed); // alpha 20/255 is below the 0.1 threshold
}

// Half of 255 comes out as 127 or 128, depending on how the context was made.
void ExpectHalfGreen(uint32_t color) {
    EXPECT_EQ(color & 0xFF00FFu, 0u) << std::hex << color;
    EXPECT_NEAR(Tests::Green(color), 128, 1);
}

TEST_F(Rendering, ShaderProgramsApplyTheirUniformsAlsoAfterAModeChange) {
    TextureManager& textures = TextureManager::GetInstance();
    Texture* red = textures.GetTexture("red.png");
    Texture* tinted = textures.GetTexture("white.png", "Tint");
    ASSERT_NE(tinted->mProgram, nullptr);
    ASSERT_TRUE(tinted->mProgram->IsBuilt());
    tinted->mProgram->SetUniform("uGreen", 0.5f);
    AddQuad(tinted, 800, 10, 10, 40);
    GetRenderer().Flush();
    ExpectHalfGreen(PixelAt(30, 30));

    Tests::LogCapture log;
    Texture* broken = textures.GetTexture("white.png", "Broken");
    EXPECT_FALSE(broken->mProgram->IsBuilt());
    EXPECT_TRUE(log.Contains("[GRAPHICS:1] Failed to compile shader "));
    AddQuad(broken, 800, 100, 10, 40); // drawn without the program
    GetRenderer().Flush();
    EXPECT_EQ(PixelAt(120, 30), PackColor(255, 255, 255));

    // A new mode builds the textures and programs again, and the uniforms are set again.
    GraphicsManager& graphics = GraphicsManager::GetInstance();
    graphics.SetVideoMode({800, 600, false});
    ASSERT_EQ(graphics.GetCurrentMode(), (VideoMode{800, 600, false}));
    AddQuad(tinted, 800, 700, 500, 50);
    AddQuad(red, 800, 600, 500, 50);
    GetRenderer().Flush();
    ExpectHalfGreen(PixelAt(720, 520));
    EXPECT_EQ(PixelAt(620, 520), kRed);
}

// An entity with a transform and a sprite, built by the game's component factory from data, and
// rendered.
class SpriteEntity {
public:
    SpriteEntity(const std::string& image, double x, double y, double dx, double dy) : mEntity(100) {
        ComponentFactory& factory = ComponentFactory::GetInstance();
        const ValueList data{Value(image)};
        ValueCursor cursor(data);
        auto* transform = static_cast<ComponentTransform*>(factory.Create("ComponentTransform", &mEntity, cursor));
        mEntity.AddComponent(transform);
        mEntity.AddComponent(factory.Create("ComponentSprite", &mEntity, cursor));
        mEntity.GetComponent<ComponentSprite>()->Initialize();
        transform->mPosition = {x, y};
        transform->mDirection = {dx, dy};
        MessageRender render(&GraphicsManager::GetInstance().GetRenderer());
        mEntity.HandleMessage(render);
    }

private:
    Entity mEntity;
};

// (The sprite's corners for a direction are checked without GL in ComponentSpriteTest.)
TEST_F(Rendering, SpritesShowTheImageTopAlongTheirDirectionAndStackByTextureWithinTheirLayer) {
    GraphicsManager& graphics = GraphicsManager::GetInstance();
    View& view = graphics.GetView();
    view.SetZoom(15.0); // one world unit per pixel; world (0, 0) at pixel (320, 240)
    view.SetPosition(0.0, 0.0);
    view.ApplyView();
    const SpriteEntity facingRight("arrow.png", 0.0, 0.0, 1.0, 0.0);
    const SpriteEntity square("square.png", 20.0, 100.0, 0.0, 1.0);
    const SpriteEntity overlapping("arrow.png", 0.0, 100.0, 0.0, 1.0);
    GetRenderer().Flush();

    // Facing +x, the image's top (green) is on the right.
    EXPECT_EQ(PixelAt(320 + 20, 240), kGreen);
    EXPECT_EQ(PixelAt(320 - 20, 240), kRed);
    EXPECT_EQ(PixelAt(320, 240 + 45), kBlack); // 76.8 units wide, now lying on its side
    // Same layer: the texture with the higher address is drawn later, on top.
    TextureManager& textures = TextureManager::GetInstance();
    const bool squareOnTop = std::less<Texture*>()(textures.GetTexture("arrow.png"), textures.GetTexture("square.png"));
    EXPECT_EQ(PixelAt(320 + 20, 240 + 100 + 10), squareOnTop ? kBlue : kGreen);
    EXPECT_EQ(PixelAt(320 - 20, 240 + 100 + 10), kGreen); // only the arrow reaches this far left

    // Text afterwards, in window pixels as in the overlay pass, over the sprites.
    graphics.LoadPixelSpace();
    FontManager& fonts = FontManager::GetInstance();
    fonts.DrawText(fonts.GetFont("fixture"), "A", 320 - 5, 240 - 5, kAlignLeft, 810, PackColor(255, 255, 0));
    GetRenderer().Flush();
    EXPECT_EQ(PixelAt(320, 240), PackColor(255, 255, 0));
}

// The glow stage on the game's real shaders: a single bright dot on black, or a rendered scene,
// is drawn through the world pass. (The stage is only enabled once all its programs have built.)
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

    // Draws as the world pass draws: into the capture, then composed; the frame read back.
    template <class DrawWorld>
    static std::vector<uint8_t> WorldFrame(int width, int height, DrawWorld drawWorld) {
        GraphicsManager& graphics = GraphicsManager::GetInstance();
        graphics.ResetState();
        GetBloom().BeginCapture();
        drawWorld(graphics.GetRenderer());
        graphics.GetRenderer().Flush();
        GetBloom().EndAndCompose();
        return Tests::ReadPixels(0, 0, width, height);
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

// Also the plain path: with the stage released, the world is drawn straight into the window.
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
