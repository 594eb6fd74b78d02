#include "core/FrameMessages.h"
#include "graphics/TextureManager.h"
#include "support/GraphicsFixtures.h"

#include <gtest/gtest.h>

namespace Velmora::Graphics {
namespace {

void RunFor(TextureManager& textures, double seconds) {
    MessageUpdateLoop update(0.25);
    for (double t = 0.0; t < seconds; t += update.mDt) textures.HandleMessage(update);
}

TEST(TextureParking, LargePicturesNotDrawnForAWhileAreParkedAndComeBackWhenDrawn) {
    Tests::ScopedDataRoot root;
    ASSERT_TRUE(Tests::WriteSolidImage(root.Path() + "/data/image/big.png", 512, 512, 0xFF00FF00u));
    ASSERT_TRUE(Tests::WriteSolidImage(root.Path() + "/data/image/drawn.png", 512, 512, 0xFF0000FFu));
    ASSERT_TRUE(Tests::WriteSolidImage(root.Path() + "/data/image/small.png", 64, 64, 0xFFFF0000u));
    TextureManager textures;
    textures.SetParking(true);
    Texture* big = textures.GetTexture("big.png");
    Texture* drawn = textures.GetTexture("drawn.png");
    Texture* small = textures.GetTexture("small.png");
    Texture* page = textures.RegisterTexture("frame", std::make_unique<Texture>("frame", "", "", nullptr));
    page->SetImageSize(1024, 1024);

    for (int second = 0; second < 8; ++second) {
        textures.Touch(*drawn);
        RunFor(textures, 1.0);
        EXPECT_EQ(big->IsParked(), second + 1 >= TextureManager::kParkAfterSeconds) << "after " << second + 1 << " s";
    }
    EXPECT_FALSE(drawn->IsParked());
    EXPECT_FALSE(small->IsParked()) << "too small to be worth parking";
    EXPECT_FALSE(page->IsParked()) << "a picture without a file cannot be read again";

    // Drawing it brings the picture back, whole, and it stays while drawn.
    textures.Touch(*big);
    EXPECT_FALSE(big->IsParked());
    EXPECT_EQ(big->mWidth, 512);
    RunFor(textures, 3.0);
    EXPECT_FALSE(big->IsParked());

    textures.SetParking(false);
    RunFor(textures, 2.0 * TextureManager::kParkAfterSeconds);
    EXPECT_FALSE(big->IsParked()) << "nothing is parked while parking is off";
}

} // namespace
} // namespace Velmora::Graphics
