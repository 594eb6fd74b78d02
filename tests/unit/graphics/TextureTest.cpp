#include "graphics/TextureManager.h"
#include "graphics/Vertex.h"
#include "support/GraphicsFixtures.h"

#include <gtest/gtest.h>

#include <array>

namespace Velmora::Graphics {
namespace {

using Tests::ScopedDataRoot;
using Tests::WriteImage;
using Tests::WriteSolidImage;
// Width and height, then both padded.
using Sizes = std::array<int, 4>;

TEST(Texture, PaddingRoundsEachSideUpToAPowerOfTwo) {
    Texture texture("a.png", "", "", nullptr);
    texture.SetImageSize(100, 50);
    EXPECT_EQ((Sizes{texture.mWidth, texture.mHeight, texture.mPaddedWidth, texture.mPaddedHeight}),
              (Sizes{100, 50, 128, 64}));
    EXPECT_DOUBLE_EQ(texture.mMaxU, 0.78125);
    EXPECT_DOUBLE_EQ(texture.mMaxV, 0.78125);
    for (const auto& [size, padded] : {std::pair{0, 1}, {1, 1}, {64, 64}, {65, 128}}) {
        EXPECT_EQ(Texture::PaddedDimension(size), padded) << size;
    }
}

TEST(Texture, ReadImagePadsWithZeroAndKeepsTheImageTopLeft) {
    ScopedDataRoot root;
    const std::string path = root.Path() + "/image.bmp";
    // Red left half, blue right half, a green top row.
    ASSERT_TRUE(WriteImage(path, 6, 3, [](int x, int y) {
        if (y == 0) return PackColor(0, 255, 0);
        return x < 3 ? PackColor(255, 0, 0) : PackColor(0, 0, 255);
    }));
    ImageData image;
    ASSERT_TRUE(Texture::ReadImage(path, image));
    EXPECT_EQ((Sizes{image.mWidth, image.mHeight, image.mPaddedWidth, image.mPaddedHeight}), (Sizes{6, 3, 8, 4}));
    EXPECT_FALSE(image.mHasAlpha);
    ASSERT_EQ(image.mPixels.size(), 8u * 4u * 3u);
    const auto pixel = [&image](int x, int y) {
        const uint8_t* p = &image.mPixels[(static_cast<size_t>(y) * 8 + x) * 3];
        return PackColor(p[0], p[1], p[2]);
    };
    EXPECT_EQ(pixel(0, 0), PackColor(0, 255, 0));
    EXPECT_EQ(pixel(1, 1), PackColor(255, 0, 0));
    EXPECT_EQ(pixel(5, 2), PackColor(0, 0, 255));
    EXPECT_EQ(pixel(6, 1), PackColor(0, 0, 0)); // padding on the right
    EXPECT_EQ(pixel(2, 3), PackColor(0, 0, 0)); // padding below
}

TEST(Texture, UnreadableFilesFailAndKeepTheSizes) {
    ScopedDataRoot root;
    Tests::WriteFile(root.Path() + "/broken.png", "\x89PNG\r\n\x1a\nthis is not a png");
    Texture texture("broken.png", "", root.Path() + "/broken.png", nullptr);
    texture.SetImageSize(3, 3);
    EXPECT_FALSE(texture.Load());
    EXPECT_EQ(texture.mWidth, 3);

    // Sizes are read from the header and refused before anything is allocated or decoded; other
    // formats are not tried at all.
    Tests::LogCapture log;
    const std::string png(std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x86\xa0\0\x01\x86\xa0", 24) + "rest");
    const std::string bmp(std::string("BM\0\0\0\0\0\0\0\0\0\0\0\0\x28\0\0\0\xa0\x86\x01\0\x60\x79\xfe\xff", 26) +
                          "rest");
    for (const auto& [name, bytes] :
         {std::pair{"huge.png", png}, {"huge.bmp", bmp}, {"a.gif", std::string("GIF89a....")}}) {
        Tests::WriteFile(root.Path() + "/" + name, bytes);
        ImageData image;
        EXPECT_FALSE(Texture::ReadImage(root.Path() + "/" + name, image)) << name;
        EXPECT_TRUE(log.Contains("[GRAPHICS:1] Not a PNG or BMP image of 1 to 8192 pixels a side: " + root.Path() +
                                 "/" + name));
    }
}

TEST(TextureManager, CachesPerFileAndShaderAndRetriesAFailedLoad) {
    ScopedDataRoot root;
    TextureManager textures;
    textures.Initialize();
    // Missing: the default texture stands in, and nothing is kept.
    EXPECT_EQ(textures.GetTexture("hud.png"), textures.GetDefaultTexture());
    EXPECT_EQ(textures.FindTexture("hud.png"), nullptr);
    ASSERT_TRUE(WriteSolidImage(root.Path() + "/data/image/hud.png", 100, 50, 0xFF00FF00u));
    Texture* plain = textures.GetTexture("hud.png");
    Texture* charged = textures.GetTexture("hud.png", "ChargeMeter");
    EXPECT_NE(plain, textures.GetDefaultTexture());
    EXPECT_NE(plain, charged);
    EXPECT_EQ(textures.FindTexture("hud.png"), plain);
    EXPECT_EQ(textures.GetTexture("hud.png"), plain);
    EXPECT_EQ(plain->mWidth, 100);
    EXPECT_EQ(plain->mProgram, nullptr);
    ASSERT_NE(charged->mProgram, nullptr);
    EXPECT_EQ(charged->mProgram, textures.GetProgram("ChargeMeter"));
    EXPECT_EQ(textures.GetTextureCount(), 2u);
}

} // namespace
} // namespace Velmora::Graphics
