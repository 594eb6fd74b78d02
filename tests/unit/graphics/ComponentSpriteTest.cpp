#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/Value.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentSprite.h"
#include "graphics/ComponentTransform.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"
#include "graphics/TextureManager.h"
#include "support/GraphicsFixtures.h"

#include <gtest/gtest.h>

namespace Velmora::Graphics {
namespace {

// An entity with a transform and a sprite built through the component factory, as archetypes are.
class SpriteTest : public testing::Test {
protected:
    SpriteTest() : mEntity(1) {
        mFactory.Register<ComponentSprite>();
        mFactory.Register<ComponentTransform>();
    }

    ComponentSprite* AddSprite(const ValueList& data) {
        ValueCursor cursor(data);
        auto* transform = static_cast<ComponentTransform*>(mFactory.Create("ComponentTransform", &mEntity, cursor));
        mEntity.AddComponent(transform);
        auto* sprite = static_cast<ComponentSprite*>(mFactory.Create("ComponentSprite", &mEntity, cursor));
        mEntity.AddComponent(sprite);
        sprite->Initialize();
        return sprite;
    }

    ComponentSprite* AddSprite(Texture* texture) {
        ComponentSprite* sprite = AddSprite(ValueList{});
        sprite->mTexture = texture;
        return sprite;
    }

    ComponentFactory mFactory;
    Entity mEntity;
    Renderer mRenderer{[](const Batch&) {}};
};

Texture* SizedTexture(int width, int height) {
    static std::vector<std::unique_ptr<Texture>> textures;
    textures.push_back(std::make_unique<Texture>("t.png", "", "", nullptr));
    textures.back()->SetImageSize(width, height);
    return textures.back().get();
}

TEST_F(SpriteTest, TextureSizeTimesPointThreeAroundThePositionWithTheImageTopAlongTheDirection) {
    ComponentSprite* sprite = AddSprite(SizedTexture(100, 50));
    ASSERT_EQ(sprite->mTransform, mEntity.GetComponent<ComponentTransform>());
    sprite->mTransform->mPosition = {1000.0, 500.0};
    sprite->mTransform->mDirection = {0.0, 1.0};
    MessageRender render(&mRenderer);
    mEntity.HandleMessage(render);
    ASSERT_EQ(mRenderer.GetBatches().size(), 1u);
    const Batch& batch = *mRenderer.GetBatches().begin()->second;
    EXPECT_EQ(batch.mLayer, 800);
    ASSERT_EQ(batch.mCount, 4u);
    const Vertex* v = batch.GetVertices();
    EXPECT_NEAR(v[0].mX, 1000.0 - 15.0, 1e-9);
    EXPECT_NEAR(v[0].mY, 500.0 - 7.5, 1e-9);
    EXPECT_NEAR(v[2].mX, 1000.0 + 15.0, 1e-9);
    EXPECT_NEAR(v[2].mY, 500.0 + 7.5, 1e-9);
    // The whole 0 … 1 range, padding included; the top edge shows the image's first row.
    EXPECT_EQ(v[0].mU, 0.0);
    EXPECT_EQ(v[0].mV, 1.0);
    EXPECT_EQ(v[2].mU, 1.0);
    EXPECT_EQ(v[2].mV, 0.0);

    // Facing +x (of any length): a quarter turn clockwise. The image's top-left corner (v[3],
    // (−15, 7.5) from the position unrotated) ends up at (7.5, 15).
    sprite->mTransform->mDirection = {5.0, 0.0};
    mRenderer.Clear();
    sprite->Draw(mRenderer);
    const Vertex* w = mRenderer.GetBatches().begin()->second->GetVertices();
    EXPECT_NEAR(w[3].mX, 1000.0 + 7.5, 1e-9);
    EXPECT_NEAR(w[3].mY, 500.0 + 15.0, 1e-9);
}

TEST_F(SpriteTest, ColourAlphaIsScaledAndZeroAlphaDrawsNothing) {
    ComponentSprite* sprite = AddSprite(SizedTexture(8, 8));
    sprite->mColor = Color::FromRgba(10, 20, 30, 200);
    sprite->mAlpha = 0.5;
    sprite->Draw(mRenderer);
    const Batch& batch = *mRenderer.GetBatches().begin()->second;
    EXPECT_EQ(batch.GetVertices()[0].mRed, 10);
    EXPECT_EQ(batch.GetVertices()[0].mBlue, 30);
    EXPECT_EQ(batch.GetVertices()[0].mAlpha, 100);
    sprite->mAlpha = 3.0;
    sprite->Draw(mRenderer);
    EXPECT_EQ(batch.GetVertices()[4].mAlpha, 255); // saturated, not wrapped
    sprite->mAlpha = 0.0;
    sprite->Draw(mRenderer);
    EXPECT_EQ(batch.mCount, 8u);
}

TEST_F(SpriteTest, LoadReadsTheImageNameAndTheColour) {
    Tests::ScopedDataRoot root;
    ASSERT_TRUE(Tests::WriteSolidImage(root.Path() + "/data/image/guard_test.png", 16, 32, 0xFFFFFFFFu));
    ComponentSprite* sprite = AddSprite(ValueList{Value("guard_test.png"), Value(Color::FromRgba(255, 0, 0))});
    ASSERT_NE(sprite->mTexture, nullptr);
    EXPECT_EQ(sprite->mTexture->mName, "guard_test.png");
    EXPECT_EQ(sprite->mTexture->mHeight, 32);
    EXPECT_EQ(sprite->mColor.GetPacked(), 0xFF0000FFu);

    // No colour: opaque white; a missing image: the default texture.
    Entity other(3);
    ValueList data{Value("missing.png")};
    ValueCursor cursor(data);
    auto* plain = static_cast<ComponentSprite*>(mFactory.Create("ComponentSprite", &other, cursor));
    other.AddComponent(plain);
    EXPECT_EQ(plain->mColor.GetPacked(), 0xFFFFFFFFu);
    EXPECT_EQ(plain->mTexture, TextureManager::GetInstance().GetDefaultTexture());
    EXPECT_TRUE(cursor.IsAtEnd());
}

TEST_F(SpriteTest, WithoutTransformOrTextureNothingIsDrawn) {
    Entity bare(4);
    ComponentSprite sprite(&bare);
    sprite.Initialize();
    sprite.mTexture = SizedTexture(4, 4);
    sprite.Draw(mRenderer);
    EXPECT_TRUE(mRenderer.GetBatches().empty());
}

} // namespace
} // namespace Velmora::Graphics
