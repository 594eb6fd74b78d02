#include "graphics/Renderer.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace Velmora::Graphics {
namespace {

// Texture addresses only matter as keys here; these objects are never dereferenced.
Texture* FakeTexture(int index) {
    static char storage[4];
    return reinterpret_cast<Texture*>(&storage[index]);
}

struct DrawRecord {
    BatchKey mKey;
    unsigned mCount;
};

TEST(BatchKey, OrdersByLayerThenPrimitiveCapacityBlendAndTexture) {
    const BatchKey base{800, kPrimitiveQuads, 1024, kBlendAlpha, FakeTexture(1)};
    for (const BatchKey& later : {BatchKey{801, kPrimitiveQuads, 1024, kBlendAlpha, FakeTexture(1)},
                                  BatchKey{800, kPrimitiveLines, 1024, kBlendAlpha, FakeTexture(1)},
                                  BatchKey{800, kPrimitiveQuads, 4096, kBlendAlpha, FakeTexture(1)},
                                  BatchKey{800, kPrimitiveQuads, 1024, kBlendAdditive, FakeTexture(1)},
                                  BatchKey{800, kPrimitiveQuads, 1024, kBlendAlpha, FakeTexture(2)}}) {
        EXPECT_TRUE(base < later);
        EXPECT_FALSE(later < base);
    }
    // The layer outranks everything after it.
    EXPECT_TRUE((BatchKey{799, kPrimitiveLines, 99999, kBlendAdditive, FakeTexture(3)}) < base);
    EXPECT_FALSE(base < base);
}

TEST(Renderer, SameKeySharesABatchAndFlushDrawsInKeyOrderThenEmpties) {
    std::vector<DrawRecord> drawn;
    Renderer renderer([&drawn](const Batch& batch) { drawn.push_back({batch.GetKey(), batch.mCount}); });
    Batch& sprites = renderer.GetBatch(kPrimitiveQuads, FakeTexture(1), 800, 1024, kBlendAlpha);
    Batch& tiles = renderer.GetBatch(kPrimitiveQuads, FakeTexture(2), 0, 1024, kBlendAlpha);
    renderer.GetBatch(kPrimitiveLines, nullptr, 5, 64, kBlendAlpha); // stays empty: not drawn
    EXPECT_EQ(&renderer.GetBatch(kPrimitiveQuads, FakeTexture(1), 800, 1024, kBlendAlpha), &sprites);
    EXPECT_NE(&renderer.GetBatch(kPrimitiveQuads, FakeTexture(1), 800, 1024, kBlendAdditive), &sprites);
    sprites.AddRect(0, 1, 0, 1, 0xFFFFFFFF);
    tiles.AddRect(0, 1, 0, 1, 0xFFFFFFFF);
    tiles.AddRect(1, 2, 0, 1, 0xFFFFFFFF);

    renderer.Flush();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].mKey.mLayer, 0);
    EXPECT_EQ(drawn[0].mCount, 8u);
    EXPECT_EQ(drawn[1].mKey.mLayer, 800);
    EXPECT_EQ(drawn[1].mCount, 4u);
    EXPECT_EQ(sprites.mCount, 0u);
    EXPECT_EQ(tiles.mCount, 0u);
    renderer.Flush();
    EXPECT_EQ(drawn.size(), 2u);
}

TEST(Batch, FullBatchDropsWholePrimitives) {
    Batch quads(BatchKey{0, kPrimitiveQuads, 10, kBlendAlpha, nullptr});
    quads.AddRect(0, 1, 0, 1, 0xFFFFFFFF);
    quads.AddRect(0, 1, 0, 1, 0xFFFFFFFF);
    quads.AddRect(0, 1, 0, 1, 0xFFFFFFFF); // needs 4, only 2 left
    EXPECT_EQ(quads.mCount, 8u);
    EXPECT_TRUE(quads.AddVertex(0, 0, 0, 0, 0));
    EXPECT_TRUE(quads.AddVertex(0, 0, 0, 0, 0));
    EXPECT_FALSE(quads.AddVertex(0, 0, 0, 0, 0));
    EXPECT_EQ(quads.mCount, 10u);

    Batch lines(BatchKey{0, kPrimitiveLines, 7, kBlendAlpha, nullptr});
    lines.AddCircle(0, 0, 100, 0xFFFFFFFF); // 36 segments, 3 fit
    EXPECT_EQ(lines.mCount, 6u);
}

// A vertex's position and texture coordinate.
std::array<double, 4> Corner(const Vertex& v) { return {v.mX, v.mY, v.mU, v.mV}; }

TEST(Batch, RectCornersTextureCoordinatesAndColourBytes) {
    Batch batch(BatchKey{0, kPrimitiveQuads, 4, kBlendAlpha, nullptr});
    batch.AddTexturedRect(10, 20, 30, 40, 0.25, 0.5, 0.75, 1.0, PackColor(1, 2, 3, 4));
    const Vertex* v = batch.GetVertices();
    // (left, bottom), (right, bottom), (right, top), (left, top); the top edge takes v0.
    EXPECT_EQ(Corner(v[0]), (std::array<double, 4>{10, 30, 0.25, 1.0}));
    EXPECT_EQ(Corner(v[1]), (std::array<double, 4>{20, 30, 0.75, 1.0}));
    EXPECT_EQ(Corner(v[2]), (std::array<double, 4>{20, 40, 0.75, 0.5}));
    EXPECT_EQ(Corner(v[3]), (std::array<double, 4>{10, 40, 0.25, 0.5}));
    EXPECT_EQ((std::array<int, 4>{v[2].mRed, v[2].mGreen, v[2].mBlue, v[2].mAlpha}), (std::array<int, 4>{1, 2, 3, 4}));
}

TEST(Batch, CircleSegmentsFollowTheRadiusAndClose) {
    struct Case {
        double mRadius;
        unsigned mSegments;
    };
    for (const Case& c : {Case{10.5, 36}, Case{10.0, 12}, Case{4.5, 12}, Case{4.0, 6}, Case{1.0, 6}}) {
        Batch batch(BatchKey{0, kPrimitiveLines, 1000, kBlendAlpha, nullptr});
        batch.AddCircle(5, 7, c.mRadius, 0xFFFFFFFF);
        ASSERT_EQ(batch.mCount, c.mSegments * 2) << "radius " << c.mRadius;
        const Vertex* v = batch.GetVertices();
        EXPECT_DOUBLE_EQ(v[0].mX, 5 + c.mRadius);
        EXPECT_DOUBLE_EQ(v[0].mY, 7);
        // Each segment starts where the previous ended, and the last ends at the first point.
        for (unsigned i = 1; i < c.mSegments; ++i) {
            EXPECT_DOUBLE_EQ(v[2 * i].mX, v[2 * i - 1].mX);
            EXPECT_DOUBLE_EQ(v[2 * i].mY, v[2 * i - 1].mY);
        }
        EXPECT_EQ(v[batch.mCount - 1].mX, v[0].mX);
        EXPECT_EQ(v[batch.mCount - 1].mY, v[0].mY);
        for (unsigned i = 0; i < batch.mCount; ++i) {
            EXPECT_NEAR(std::hypot(v[i].mX - 5, v[i].mY - 7), c.mRadius, 1e-9);
        }
    }
}

TEST(Batch, HugeCapacityIsClamped) {
    Batch batch(BatchKey{0, kPrimitiveQuads, 0xFFFFFFFFu, kBlendAlpha, nullptr});
    EXPECT_EQ(batch.mCapacity, Batch::kMaxCapacity);
    EXPECT_EQ(batch.GetKey().mCapacity, 0xFFFFFFFFu); // the key it is found by
}

} // namespace
} // namespace Velmora::Graphics
