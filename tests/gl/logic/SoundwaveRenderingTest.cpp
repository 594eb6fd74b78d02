// A sound wave fired down the test hall "echo", drawn by the logic manager's world render into a
// real window (under Xvfb in the test run) with the real tiles and ribbon texture; the pixels
// are read back. Set VELMORA_GL_DUMP to a folder to keep the frames as PPM images.
#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "game/ComponentSoundwave.h"
#include "game/LogicManager.h"
#include "game/ParticleManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/TextureManager.h"
#include "support/GraphicsFixtures.h"
#include "support/TestSupport.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/TileManager.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace Velmora::Logic {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
// The view: 12 tile rows on 480 pixels (1.25 pixels a unit) centred on the hall.
constexpr double kCentreX = 256.0;
constexpr double kCentreY = 80.0;
constexpr double kPixelsPerUnit = kHeight / (12.0 * kTileSize);
// The wave starts in the left part of the hall and is fired to the right.
constexpr double kSourceX = 112.0;
constexpr double kSourceY = 80.0;

class SoundwaveRendering : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Tests::OpenGameWindow(kWidth, kHeight)) << SDL_GetError();
        ComponentFactory::GetInstance().Register<ComponentSoundwave>();
        if (!Factory::GetInstance().FindArchetype("soundwave")) {
            Factory::GetInstance().LoadArchetype("soundwave", Tests::SourceDir() + "/data/object/soundwave.xml", false);
        }
        ParticleManager::GetInstance().Initialize();
        mTiles.LoadCatalogue(Tests::SourceDir() + "/data/misc/tiles.xml", [](const std::string& name) {
            return Graphics::TextureManager::GetInstance().GetTexture(name);
        });
        auto level = LevelFile::ReadLevel(Tests::SourceDir() + "/data/level/test/echo.xml", "test", &mTiles);
        ASSERT_NE(level, nullptr);
        LogicManager::GetInstance().SetLevel(std::move(level));
    }

    void TearDown() override {
        LogicManager::GetInstance().SetLevel(nullptr);
        EntityManager& entities = EntityManager::GetInstance();
        for (Entity* entity = entities.GetFirst(); entity; entity = entity->GetNext()) entity->Destroy();
        entities.DestroyPending();
        ParticleManager::GetInstance().Clear();
    }

    // The world render of the logic manager, or just the level's cells, on a cleared screen;
    // then the frame is read back.
    std::vector<uint8_t> Draw(bool everything, const std::string& dumpName) {
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        graphics.ResetState();
        Graphics::View& view = graphics.GetView();
        view.SetZoom(12.0);
        view.SetPosition(kCentreX, kCentreY);
        view.ApplyView();
        if (everything) {
            LogicManager::GetInstance().RenderWorld(graphics.GetRenderer());
        } else {
            LogicManager::GetInstance().GetLevel()->Render(graphics.GetRenderer(), view.mLeft, view.mBottom,
                                                           view.mRight, view.mTop);
        }
        graphics.GetRenderer().Flush();
        std::vector<uint8_t> rgba(kWidth * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        Dump(rgba, dumpName);
        return rgba;
    }

    static void Dump(const std::vector<uint8_t>& rgba, const std::string& name) {
        const char* folder = std::getenv("VELMORA_GL_DUMP");
        if (!folder) return;
        FILE* file = std::fopen((std::string(folder) + "/" + name + ".ppm").c_str(), "wb");
        if (!file) return;
        std::fprintf(file, "P6 %d %d 255\n", kWidth, kHeight);
        for (int y = kHeight - 1; y >= 0; --y) {
            for (int x = 0; x < kWidth; ++x) std::fwrite(&rgba[(y * kWidth + x) * 4], 1, 3, file);
        }
        std::fclose(file);
    }

    // Added light (over the plain level) in the world rectangle [left, right] × [bottom, top]:
    // the mean increase of the blue channel and of the red channel, per pixel.
    struct Light {
        double mBlue = 0.0;
        double mRed = 0.0;
    };
    static Light AddedLight(const std::vector<uint8_t>& frame, const std::vector<uint8_t>& plain, double left,
                            double right, double bottom, double top) {
        const auto px = [](double world, double centre, double half) {
            return static_cast<int>((world - centre) * kPixelsPerUnit + half);
        };
        Light light;
        int count = 0;
        for (int y = px(bottom, kCentreY, kHeight / 2.0); y < px(top, kCentreY, kHeight / 2.0); ++y) {
            for (int x = px(left, kCentreX, kWidth / 2.0); x < px(right, kCentreX, kWidth / 2.0); ++x) {
                const size_t i = static_cast<size_t>(y * kWidth + x) * 4;
                light.mBlue += frame[i + 2] - plain[i + 2];
                light.mRed += frame[i] - plain[i];
                ++count;
            }
        }
        light.mBlue /= count;
        light.mRed /= count;
        return light;
    }

    static void Tick(int count) {
        for (int i = 0; i < count; ++i) {
            MessageUpdateLogic tick(1.0 / 60.0);
            Game::GetInstance().SendMessage(tick);
            ParticleManager::GetInstance().HandleMessage(tick);
            EntityManager::GetInstance().SendToAll(tick);
        }
    }

    TileManager mTiles;
};

TEST_F(SoundwaveRendering, AWaveFiredDownTheHallComesBackPastItsSource) {
    LogicManager& logic = LogicManager::GetInstance();
    logic.mSoundwaveSpeed = 200.0;
    logic.mSoundwaveLifetime = 80.0;
    Entity* entity = logic.CreateSoundwave(kSound, {kSourceX, kSourceY}, 15.0, {1.0, 0.0}, 20.0);
    ASSERT_NE(entity, nullptr);
    const std::vector<uint8_t> plain = Draw(false, "echo_plain");

    // Out and away: 200 units on, the ribbon glows blue ahead of the source, nothing behind it.
    Tick(60);
    const std::vector<uint8_t> out = Draw(true, "echo_out");
    const Light ahead = AddedLight(out, plain, kSourceX + 150, kSourceX + 230, 40, 120);
    const Light behind = AddedLight(out, plain, 40, kSourceX - 16, 40, 120);
    EXPECT_GT(ahead.mBlue, 4.0);
    EXPECT_GT(ahead.mBlue, ahead.mRed); // the blue of a sound gun's wave
    EXPECT_LT(behind.mBlue, 0.5);

    // The far wall is 368 units from the source: after about 800 units the wave has come back
    // and passed it, so the light is now on the side away from where it was fired.
    Tick(180);
    const std::vector<uint8_t> back = Draw(true, "echo_back");
    const Light returned = AddedLight(back, plain, 40, kSourceX - 16, 40, 120);
    EXPECT_GT(returned.mBlue, 4.0);
    EXPECT_GT(returned.mBlue, returned.mRed);
    EXPECT_FALSE(entity->IsDestroyed());
}

} // namespace
} // namespace Velmora::Logic
