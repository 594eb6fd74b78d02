// Quads appended into a batch and flushed (bookkeeping only, no GL), against a plain copy of
// the same vertices into an array: the lower bound for moving that data. Both are timed in the
// same run; "ratio" is batch time over copy time.
#include "graphics/Renderer.h"
#include "ThreadClock.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using Velmora::Graphics::Batch;
using Velmora::Graphics::Renderer;
using Velmora::Graphics::Vertex;
namespace Graphics = Velmora::Graphics;
using Velmora::Bench::ThreadSeconds;

constexpr unsigned kQuads = 16384;

struct Quad {
    double mLeft, mRight, mBottom, mTop;
    uint32_t mColor;
};

std::vector<Quad> MakeQuads() {
    std::vector<Quad> quads(kQuads);
    for (unsigned i = 0; i < kQuads; ++i) {
        const double x = (i % 128) * 10.0;
        const double y = (i / 128) * 10.0;
        quads[i] = {x, x + 9.0, y, y + 9.0, 0xFF000000u | i};
    }
    return quads;
}

// The same vertices the batch writes, prepared once, for the plain copy.
std::vector<Vertex> MakeVertices(const std::vector<Quad>& quads) {
    Batch batch(Graphics::BatchKey{0, Graphics::kPrimitiveQuads, kQuads * 4, Graphics::kBlendAlpha, nullptr});
    for (const Quad& q : quads) batch.AddTexturedRect(q.mLeft, q.mRight, q.mBottom, q.mTop, 0, 0, 1, 1, q.mColor);
    return std::vector<Vertex>(batch.GetVertices(), batch.GetVertices() + batch.mCount);
}

void BM_BatchAppendAgainstPlainCopy(benchmark::State& state) {
    const std::vector<Quad> quads = MakeQuads();
    const std::vector<Vertex> source = MakeVertices(quads);
    std::vector<Vertex> target(source.size());
    unsigned drawn = 0;
    Renderer renderer([&drawn](const Batch& batch) { drawn += batch.mCount; });
    double batchSeconds = 0.0;
    double copySeconds = 0.0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        Batch& batch = renderer.GetBatch(Graphics::kPrimitiveQuads, nullptr, 800, kQuads * 4, Graphics::kBlendAlpha);
        for (const Quad& q : quads) batch.AddTexturedRect(q.mLeft, q.mRight, q.mBottom, q.mTop, 0, 0, 1, 1, q.mColor);
        benchmark::DoNotOptimize(batch.GetVertices());
        renderer.Flush();
        const double middle = ThreadSeconds();
        std::copy(source.begin(), source.end(), target.begin());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
        const double end = ThreadSeconds();
        batchSeconds += middle - start;
        copySeconds += end - middle;
    }
    if (drawn != kQuads * 4 * state.iterations()) state.SkipWithError("batch lost vertices");
    const double quadsDone = static_cast<double>(kQuads) * state.iterations();
    state.counters["batch_quads_per_s"] = quadsDone / batchSeconds;
    state.counters["copy_quads_per_s"] = quadsDone / copySeconds;
    state.counters["ratio"] = batchSeconds / copySeconds;
}
BENCHMARK(BM_BatchAppendAgainstPlainCopy)->Unit(benchmark::kMicrosecond);

} // namespace
