// Collision-map rebuilds and body updates on a 128 × 128 level of mixed walls, glass and floor.
// Each benchmark also times a simple lower bound in the same run and reports the ratio:
//   rebuild  — a plain loop writing the same 4·W·H edges with no neighbour comparison;
//   bodies   — the same 50 bodies integrating their positions with no collision at all.

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/Random.h"
#include "graphics/ComponentTransform.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"
#include "ThreadClock.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Velmora;

namespace {

constexpr int kSide = 128;
constexpr int kBodies = 50;
constexpr double kTick = 1.0 / 60.0;

// Border of stone, then 12% stone, 5% glass and floor, from a fixed seed.
std::vector<uint32_t> MixedFlags() {
    Random random(1234);
    std::vector<uint32_t> flags(kSide * kSide, 0);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int roll = random.Below(100);
            const bool border = x == 0 || y == 0 || x == kSide - 1 || y == kSide - 1;
            flags[y * kSide + x] = border || roll < 12 ? 0x0Fu : roll < 17 ? 0x17u : 0u;
        }
    }
    return flags;
}

template <class Work>
double SecondsPerRun(Work work, int runs) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const double start = Bench::ThreadSeconds();
        for (int i = 0; i < runs; ++i) work();
        best = std::min(best, (Bench::ThreadSeconds() - start) / runs);
    }
    return best;
}

void ReportRatio(benchmark::State& state, double seconds, double lowerBound) {
    state.counters["per_run_us"] = seconds * 1e6;
    state.counters["lower_bound_us"] = lowerBound * 1e6;
    state.counters["ratio"] = seconds / lowerBound;
}

void BM_CollisionMapRebuild(benchmark::State& state) {
    const std::vector<uint32_t> flags = MixedFlags();
    Physics::PhysicsManager& physics = Physics::PhysicsManager::GetInstance();
    std::vector<Physics::CollisionEdge> edges(4 * flags.size());
    const double lowerBound = SecondsPerRun(
        [&] {
            Physics::CollisionEdge* edge = edges.data();
            for (int y = 0; y < kSide; ++y) {
                for (int x = 0; x < kSide; ++x, edge += 4) {
                    const double x0 = 32.0 * x, y0 = 32.0 * y;
                    const uint32_t f = flags[y * kSide + x];
                    edge[0] = {x0, y0, x0 + 32, y0, f};
                    edge[1] = {x0 + 32, y0, x0 + 32, y0 + 32, f};
                    edge[2] = {x0 + 32, y0 + 32, x0, y0 + 32, f};
                    edge[3] = {x0, y0 + 32, x0, y0, f};
                }
            }
            benchmark::DoNotOptimize(edges.data());
            benchmark::ClobberMemory();
        },
        50);
    const double start = Bench::ThreadSeconds();
    int64_t runs = 0;
    for (auto _ : state) {
        physics.BuildCollisionMap(kSide, kSide, flags);
        benchmark::DoNotOptimize(physics.GetCollisionMap().GetEdges().data());
        ++runs;
    }
    ReportRatio(state, (Bench::ThreadSeconds() - start) / static_cast<double>(runs), lowerBound);
}
BENCHMARK(BM_CollisionMapRebuild)->Unit(benchmark::kMicrosecond);

struct Crowd {
    EntityManager mEntities;
    std::vector<Physics::ComponentBody*> mBodies;
    std::vector<Vector2> mVelocities;
};

// 50 guards of radius 6 on floor cells near the middle (so they meet), each with a fixed
// velocity of 132 units per second that turns round every second.
void Populate(Crowd& crowd, const std::vector<uint32_t>& flags) {
    Random random(99);
    int id = 0;
    while (static_cast<int>(crowd.mBodies.size()) < kBodies) {
        const int x = 50 + random.Below(28), y = 50 + random.Below(28);
        if (flags[y * kSide + x] != 0) continue;
        auto* entity = new Entity(++id, &crowd.mEntities);
        auto* transform = new Graphics::ComponentTransform(entity);
        transform->mPosition = {32.0 * x + 16.0, 32.0 * y + 16.0};
        auto* body = new Physics::ComponentBody(entity);
        body->mRadius = 6.0;
        entity->AddComponent(transform);
        entity->AddComponent(body);
        entity->Spawn(nullptr);
        crowd.mBodies.push_back(body);
        const double angle = random.Uniform(0.0, 6.283185);
        crowd.mVelocities.push_back(Vector2(std::cos(angle), std::sin(angle)) * 132.0);
    }
}

void BM_FiftyBodiesPerTick(benchmark::State& state) {
    const std::vector<uint32_t> flags = MixedFlags();
    Physics::PhysicsManager::GetInstance().BuildCollisionMap(kSide, kSide, flags);
    Crowd crowd;
    Populate(crowd, flags);
    std::vector<Vector2> positions(kBodies);
    for (int i = 0; i < kBodies; ++i) positions[i] = crowd.mBodies[i]->mTransform->mPosition;
    const double lowerBound = SecondsPerRun(
        [&] {
            for (int i = 0; i < kBodies; ++i) positions[i] += crowd.mVelocities[i] * kTick;
            benchmark::DoNotOptimize(positions.data());
            benchmark::ClobberMemory();
        },
        20000);
    MessageUpdateLogic update(kTick);
    int64_t ticks = 0;
    const double start = Bench::ThreadSeconds();
    for (auto _ : state) {
        const bool turn = ticks % 60 == 0;
        for (int i = 0; i < kBodies; ++i) {
            if (turn) crowd.mVelocities[i] = -crowd.mVelocities[i];
            crowd.mBodies[i]->mVelocityX = crowd.mVelocities[i].x;
            crowd.mBodies[i]->mVelocityY = crowd.mVelocities[i].y;
            crowd.mBodies[i]->mOwner->HandleMessage(update);
        }
        ++ticks;
    }
    ReportRatio(state, (Bench::ThreadSeconds() - start) / static_cast<double>(ticks), lowerBound);
}
BENCHMARK(BM_FiftyBodiesPerTick)->Unit(benchmark::kMicrosecond);

} // namespace
