#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/ISystem.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace Velmora::Graphics {
namespace {

// Records the broadcasts it sees and draws a little into the renderer on the two passes.
class Recorder : public ISystem {
public:
    void HandleMessage(Message& message) override {
        mNames.push_back(message.GetName());
        if (auto* world = MessageCast<MessageRenderWorld>(message)) {
            mRenderer = world->mRenderer;
            world->mRenderer->GetBatch(kPrimitiveQuads, nullptr, 0, 4, kBlendAlpha).AddRect(0, 1, 0, 1, 0xFFFFFFFF);
        }
        if (auto* overlay = MessageCast<MessageRenderOverlay>(message)) {
            overlay->mRenderer->GetBatch(kPrimitiveQuads, nullptr, 900, 4, kBlendAlpha).AddRect(0, 1, 0, 1, 0xFFFFFFFF);
        }
    }
    std::vector<std::string> mNames;
    Renderer* mRenderer = nullptr;
};

TEST(GraphicsManager, RenderPassBroadcastsInOrderAndFlushesTwice) {
    GraphicsManager& graphics = GraphicsManager::GetInstance();
    std::vector<int> flushedLayers;
    graphics.GetRenderer().SetDrawer([&flushedLayers](const Batch& batch) { flushedLayers.push_back(batch.mLayer); });
    Recorder recorder;
    Game& game = Game::GetInstance();
    game.mSystems.push_back(&recorder);
    const bool drawPerf = graphics.mDrawPerf;
    graphics.mDrawPerf = false;

    graphics.Render(0.016);

    game.mSystems.erase(std::find(game.mSystems.begin(), game.mSystems.end(), &recorder));
    graphics.GetRenderer().SetDrawer({});
    graphics.mDrawPerf = drawPerf;
    EXPECT_EQ(recorder.mNames,
              (std::vector<std::string>{"MessageBeginFrame", "MessageRenderWorld", "MessageRenderOverlay",
                                        "MessageEndFrame"}));
    EXPECT_EQ(recorder.mRenderer, &graphics.GetRenderer());
    // The world batch is flushed before the overlay pass adds its own.
    EXPECT_EQ(flushedLayers, (std::vector<int>{0, 900}));
}

// Renders frames until the glow's eased values equal the tweak values; how many it took.
int FramesUntilSettled(GraphicsManager& graphics) {
    const Bloom::Values targets{static_cast<float>(graphics.mBloomRatio0), static_cast<float>(graphics.mBloomRatio1),
                                static_cast<float>(graphics.mBloomRatio2), static_cast<float>(graphics.mBloomRatio3),
                                static_cast<float>(graphics.mBloomBrightness)};
    for (int frames = 1; frames <= 100; ++frames) {
        graphics.Render(0.016);
        if (graphics.GetBloom().GetCurrent() == targets) return frames;
    }
    return -1;
}

TEST(GraphicsManager, BloomPresetsSetTheTweakValuesAndTheGlowFadesBetweenThem) {
    GraphicsManager& graphics = GraphicsManager::GetInstance();
    graphics.ApplyDefaultBloomPreset();
    EXPECT_EQ(graphics.GetBloom().GetCurrent(), Bloom::Values{});
    EXPECT_EQ(FramesUntilSettled(graphics), 30); // 1.5 from zero in steps of 0.05
    graphics.ApplyDimBloomPreset();
    EXPECT_EQ(graphics.GetBloom().GetCurrent()[0], 1.5f); // the dim look fades in, it does not jump
    EXPECT_EQ(FramesUntilSettled(graphics), 20);          // every value moves by 1
    graphics.ApplyDefaultBloomPreset();
    EXPECT_EQ(graphics.GetBloom().GetCurrent(), Bloom::Values{});
}

} // namespace
} // namespace Velmora::Graphics
