#include "graphics/Renderer.h"

#include "graphics/GlBatchDrawer.h"

namespace Velmora::Graphics {

Renderer::Renderer() : mDrawer(&GlBatchDrawer::Draw) {}

Renderer::Renderer(Drawer drawer) : mDrawer(std::move(drawer)) {}

Batch& Renderer::GetBatch(int primitive, Texture* texture, int layer, unsigned capacity, int blend) {
    const BatchKey key{layer, primitive, capacity, blend, texture};
    std::unique_ptr<Batch>& batch = mBatches[key];
    if (!batch) batch = std::make_unique<Batch>(key);
    return *batch;
}

int Renderer::Flush() {
    int drawn = 0;
    for (auto& [key, batch] : mBatches) {
        if (batch->mCount == 0) continue;
        if (mDrawer) mDrawer(*batch);
        batch->Clear();
        ++drawn;
    }
    return drawn;
}

void Renderer::Clear() {
    for (auto& [key, batch] : mBatches) batch->Clear();
}

} // namespace Velmora::Graphics
