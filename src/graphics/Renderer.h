#pragma once

#include "graphics/Batch.h"
#include "graphics/BatchKey.h"

#include <functional>
#include <map>
#include <memory>

namespace Velmora::Graphics {

/// Collects vertices into batches keyed by layer, primitive, capacity, blend and texture, and
/// draws each batch with one call per flush. Batches live as long as the renderer and keep
/// their vertex arrays between frames.
class Renderer {
public:
    /// What draws one non-empty batch; the default draws it with OpenGL (nothing without a
    /// GL context). Tests and benchmarks put in their own.
    using Drawer = std::function<void(const Batch&)>;

    Renderer();
    explicit Renderer(Drawer drawer);
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    /// The batch of that key, created with room for `capacity` vertices on first request.
    /// The reference stays valid for the renderer's lifetime.
    Batch& GetBatch(int primitive, Texture* texture, int layer, unsigned capacity, int blend);
    /// Draws every non-empty batch in ascending key order and empties it. Returns how many
    /// batches it drew.
    int Flush();
    /// Empties every batch without drawing.
    void Clear();

    void SetDrawer(Drawer drawer) { mDrawer = std::move(drawer); }
    const std::map<BatchKey, std::unique_ptr<Batch>>& GetBatches() const { return mBatches; }

private:
    std::map<BatchKey, std::unique_ptr<Batch>> mBatches;
    Drawer mDrawer;
};

} // namespace Velmora::Graphics
