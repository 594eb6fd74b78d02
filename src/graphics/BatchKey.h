#pragma once

#include <functional>
#include <tuple>

namespace Velmora::Graphics {

class Texture;

/// Batch primitives.
constexpr int kPrimitiveQuads = 0;
constexpr int kPrimitiveTriangles = 1;
constexpr int kPrimitiveLines = 2;

/// Batch blend modes: 0 alpha blending (source alpha, one minus source alpha), 1 additive
/// (source alpha, one).
constexpr int kBlendAlpha = 0;
constexpr int kBlendAdditive = 1;

/// What makes batches distinct. Batches are drawn in ascending key order, so the layer decides
/// what lies on top; within a layer the order follows primitive, capacity, blend and texture
/// address.
struct BatchKey {
    int mLayer = 0;
    int mPrimitive = kPrimitiveQuads;
    unsigned mCapacity = 0;
    int mBlend = kBlendAlpha;
    Texture* mTexture = nullptr;

    bool operator<(const BatchKey& other) const {
        const auto head = std::tie(mLayer, mPrimitive, mCapacity, mBlend);
        const auto otherHead = std::tie(other.mLayer, other.mPrimitive, other.mCapacity, other.mBlend);
        if (head != otherHead) return head < otherHead;
        return std::less<const Texture*>()(mTexture, other.mTexture);
    }
};

} // namespace Velmora::Graphics
