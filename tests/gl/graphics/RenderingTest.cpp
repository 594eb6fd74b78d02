// Draws through the real window and GL context (under Xvfb in the test run) and reads the
// pixels back.
#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/ISystem.h"
#include "core/Value.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentSprite.h"
#include "graphics/ComponentTransform.h"
#include "graphics/FontManager.h"
#include "graphics/GlBatchDrawer.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "support/GraphicsFixtures.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

// Last: Xlib defines macros (None, Bool) that other headers use as names.
#include <X11/Xlib.h>

namespace Velmora::Graphics {
namespace {

constexpr uint32_t kRed = PackColor(255, 0, 0);
constexpr uint32_t kGreen = PackColor(0, 255, 0);
constexpr uint32_t kBlue = PackColor(0, 0, 255);
constexpr uint32_t kBlack = PackColor(0, 0, 0);

// A test root with images, a font and a shader, and the graphics manager initialised once for
// the whole run (it opens the window full-screen and adds the texture and font managers).
class Rendering : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static const std::string root = MakeRoot();
        ASSERT_FALSE(root.empty());
        Game& game = Game::GetInstance();
        game.SetRootPath(root);
        if (GraphicsManager::GetInstance().mScreen) return;
        setenv("SDL_VIDEO_CENTERED", "1", 1); // as the game does: windows stay on the screen
        ASSERT_EQ(::Velmora::Tests::InitVideoSubsystem(), 0) << SDL_GetError();
        // Another suite's window makes SDL report that window's size as the desktop's.
        sOtherWindowBefore = SDL_GetVideoSurface() != nullptr;
        game.mInitialized = true; // the managers the graphics manager adds initialise at once
        GraphicsManager::GetInstance().Initialize();
        sStartMode = GraphicsManager::GetInstance().GetCurrentMode();
    }

    // The X screen's size, asked of the X server itself.
    static VideoMode ScreenSize() {
        Display* display = XOpenDisplay(nullptr);
        if (!display) return {};
        const VideoMode size{DisplayWidth(display, DefaultScreen(display)),
                             DisplayHeight(display, DefaultScreen(display)), true};
        XCloseDisplay(display);
        return size;
    }

    static inline VideoMode sStartMode;
    static inline bool sOtherWindowBefore = false;

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
        Tests::WriteFixtureFont(root, "default");
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

    static uint32_t PixelAt(int x, int y) {
        uint8_t rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return PackColor(rgba[0], rgba[1], rgba[2]);
    }

    static Renderer& GetRenderer() { return GraphicsManager::GetInstance().GetRenderer(); }

    static void AddQuad(Texture* texture, int layer, double left, double bottom, double size) {
        GetRenderer()
            .GetBatch(kPrimitiveQuads, texture, layer, 1024, kBlendAlpha)
            .AddTexturedRect(left, left + size, bottom, bottom + size, 0, 0, 1, 1, 0xFFFFFFFFu);
    }
};

TEST_F(Rendering, StartsFullScreenInTheDesktopMode) {
    const GraphicsManager& graphics = GraphicsManager::GetInstance();
    // Xvfb offers its screen size only.
    EXPECT_EQ(sStartMode, ScreenSize());
    if (!sOtherWindowBefore) {
        EXPECT_EQ(graphics.mDesktopWidth, sStartMode.mWidth);
        EXPECT_EQ(graphics.mDesktopHeight, sStartMode.mHeight);
    }
    std::vector<VideoMode> modes;
    graphics.GetFullscreenModes(modes);
    ASSERT_FALSE(modes.empty());
    EXPECT_EQ(modes.front(), ScreenSize());
    EXPECT_TRUE(TextureManager::GetInstance().GetDefaultTexture()->mGlId != 0);
    EXPECT_TRUE(FontManager::GetInstance().HasFont("default"));
    const auto& systems = Game::GetInstance().GetSystems();
    const auto textures = std::find(systems.begin(), systems.end(), &TextureManager::GetInstance());
    ASSERT_NE(textures, systems.end());
    EXPECT_EQ(*(textures + 1), &FontManager::GetInstance());
}

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

TEST_F(Rendering, ShaderProgramsApplyTheirUniforms) {
    TextureManager& textures = TextureManager::GetInstance();
    Texture* tinted = textures.GetTexture("white.png", "Tint");
    ASSERT_NE(tinted->mProgram, nullptr);
    ASSERT_TRUE(tinted->mProgram->IsBuilt());
    tinted->mProgram->SetUniform("uGreen", 0.5f);
    AddQuad(tinted, 800, 10, 10, 40);
    GetRenderer().Flush();
    EXPECT_EQ(PixelAt(30, 30), PackColor(0, 128, 0));

    Tests::LogCapture log;
    Texture* broken = textures.GetTexture("white.png", "Broken");
    EXPECT_FALSE(broken->mProgram->IsBuilt());
    EXPECT_TRUE(log.Contains("[GRAPHICS:1] Failed to compile shader "));
    AddQuad(broken, 800, 100, 10, 40); // drawn without the program
    GetRenderer().Flush();
    EXPECT_EQ(PixelAt(120, 30), PackColor(255, 255, 255));
}

TEST_F(Rendering, ModeChangesReloadTexturesAndPrograms) {
    GraphicsManager& graphics = GraphicsManager::GetInstance();
    Texture* red = TextureManager::GetInstance().GetTexture("red.png");
    Texture* tinted = TextureManager::GetInstance().GetTexture("white.png", "Tint");
    tinted->mProgram->SetUniform("uGreen", 0.5f);
    graphics.SetVideoMode({800, 600, false});
    EXPECT_EQ(graphics.GetCurrentMode(), (VideoMode{800, 600, false}));
    EXPECT_NE(red->mGlId, 0u);
    EXPECT_TRUE(tinted->mProgram->IsBuilt());
    EXPECT_EQ(tinted->mProgram->GetUniform("uGreen"), 0.5f);
    AddQuad(red, 800, 700, 500, 50);
    GetRenderer().Flush();
    EXPECT_EQ(PixelAt(720, 520), kRed);
}

// An entity with a transform and a sprite, built by the game's component factory from data.
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
    }
    void Render() {
        MessageRender render(&GraphicsManager::GetInstance().GetRenderer());
        mEntity.HandleMessage(render);
    }

private:
    Entity mEntity;
};

TEST_F(Rendering, SpritesTurnWithTheirDirectionAndStackByTextureWithinTheirLayer) {
    GraphicsManager& graphics = GraphicsManager::GetInstance();
    View& view = graphics.GetView();
    view.SetZoom(15.0); // one world unit per pixel; world (0, 0) at pixel (320, 240)
    view.SetPosition(0.0, 0.0);
    view.ApplyView();
    SpriteEntity facingRight("arrow.png", 0.0, 0.0, 1.0, 0.0);
    SpriteEntity upright("arrow.png", -150.0, 0.0, 0.0, 1.0);
    SpriteEntity square("square.png", 20.0, 100.0, 0.0, 1.0);
    SpriteEntity overlapping("arrow.png", 0.0, 100.0, 0.0, 1.0);
    facingRight.Render();
    upright.Render();
    square.Render();
    overlapping.Render();
    GetRenderer().Flush();

    // Facing +x, the image's top (green) is on the right.
    EXPECT_EQ(PixelAt(320 + 20, 240), kGreen);
    EXPECT_EQ(PixelAt(320 - 20, 240), kRed);
    EXPECT_EQ(PixelAt(320, 240 + 45), kBlack); // 76.8 units wide, now lying on its side
    // Upright, the top is up.
    EXPECT_EQ(PixelAt(320 - 150, 240 + 20), kGreen);
    EXPECT_EQ(PixelAt(320 - 150, 240 - 20), kRed);
    // Same layer: the texture with the higher address is drawn later, on top.
    TextureManager& textures = TextureManager::GetInstance();
    const bool squareOnTop = std::less<Texture*>()(textures.GetTexture("arrow.png"), textures.GetTexture("square.png"));
    EXPECT_EQ(PixelAt(320 + 20, 240 + 100 + 10), squareOnTop ? kBlue : kGreen);
    EXPECT_EQ(PixelAt(320 - 20, 240 + 100 + 10), kGreen); // only the arrow reaches this far left

    // Text afterwards, in window pixels as in the overlay pass, over the sprites.
    graphics.LoadPixelSpace();
    FontManager& fonts = FontManager::GetInstance();
    fonts.DrawText(fonts.GetFont("default"), "A", 320 - 5, 240 - 5, kAlignLeft, 810, PackColor(255, 255, 0));
    GetRenderer().Flush();
    EXPECT_EQ(PixelAt(320, 240), PackColor(255, 255, 0));
}

// Draws in both passes.
class PassDrawer : public ISystem {
public:
    void HandleMessage(Message& message) override {
        if (auto* world = MessageCast<MessageRenderWorld>(message)) {
            world->mRenderer->GetBatch(kPrimitiveQuads, nullptr, 0, 4, kBlendAlpha).AddRect(0, 32, 0, 32, kRed);
        } else if (auto* overlay = MessageCast<MessageRenderOverlay>(message)) {
            overlay->mRenderer->GetBatch(kPrimitiveQuads, nullptr, 0, 4, kBlendAlpha).AddRect(600, 640, 0, 40, kBlue);
        }
    }
};

TEST_F(Rendering, RenderPassDrawsWorldUnderTheViewAndOverlayInPixels) {
    GraphicsManager& graphics = GraphicsManager::GetInstance();
    graphics.GetView().SetZoom(15.0);
    graphics.GetView().SetPosition(0.0, 0.0); // world origin at the window centre
    PassDrawer drawer;
    Game& game = Game::GetInstance();
    game.mSystems.push_back(&drawer);
    // The frame is read once the overlay's batch is drawn, before the buffers are swapped.
    std::vector<uint32_t> pixels;
    graphics.GetRenderer().SetDrawer([&pixels](const Batch& batch) {
        GlBatchDrawer::Draw(batch);
        if (batch.GetVertices()[0].mX == 600) pixels = {PixelAt(330, 250), PixelAt(10, 10), PixelAt(620, 20)};
    });
    graphics.Render(0.016);
    graphics.GetRenderer().SetDrawer(&GlBatchDrawer::Draw);
    game.mSystems.erase(std::find(game.mSystems.begin(), game.mSystems.end(), &drawer));
    EXPECT_EQ(pixels, (std::vector<uint32_t>{kRed, kBlack, kBlue}));
}

} // namespace
} // namespace Velmora::Graphics
