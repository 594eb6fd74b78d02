#pragma once

namespace Velmora::Graphics {

class Batch;

/// Draws batches with the fixed-function pipeline and client vertex arrays.
class GlBatchDrawer {
public:
    /// One call per batch: blend mode, alpha test (alpha > 0.1), positions, texture
    /// coordinates and colours from the batch's array, the texture's shader program if it has
    /// one. Does nothing without a GL context.
    static void Draw(const Batch& batch);
};

} // namespace Velmora::Graphics
