// Ray casting through a 128 × 128 level of the content's tiles (a stone border, 4 % stone
// pillars, 2 % glass, floor). Each benchmark also times a lower bound in the same run and reports
// the ratio: the same grid walk (Amanatides–Woo, floor for cells, corner ties in y) over the
// same number of cells per ray, without reading flags, without the timer and without the
// counter. Figures per cell are over every cell the casts step into.
//
//   long  — random rays of up to 2000 units from floor points (most run a few dozen cells);
//   short — 3.3-unit steps like a sound-wave ray's or a particle's at 60 ticks a second (mostly
//           no cell boundary at all), where the fixed cost of a call dominates.

#include "core/Game.h"
#include "core/Path.h"
#include "core/Random.h"
#include "game/LogicManager.h"
#include "physics/PhysicsManager.h"
#include "world/Level.h"
#include "world/Tile.h"
#include "world/TileManager.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

using namespace Velmora;

namespace {

constexpr int kSide = 128;
constexpr int kRays = 4096;

struct Ray {
    double mAx, mAy, mBx, mBy;
};

void LoadContentLevel() {
    static const bool loaded = [] {
        Game::GetInstance().SetRootPath(FindRootPath(ProgramPath(), IsDirectory));
        Logic::TileManager::GetInstance().LoadCatalogue(Game::GetInstance().DataPath("misc", "tiles.xml"), nullptr);
        Random random(4321);
        std::vector<int32_t> cells(kSide * kSide, Logic::kTileFloor);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const int roll = random.Below(100);
                const bool border = x == 0 || y == 0 || x == kSide - 1 || y == kSide - 1;
                cells[y * kSide + x] = border || roll < 4 ? 1 : roll < 6 ? 2 : Logic::kTileFloor;
            }
        }
        auto level = std::make_unique<Logic::Level>();
        level->SetCells(kSide, kSide, cells);
        Logic::LogicManager::GetInstance().SetLevel(std::move(level));
        return true;
    }();
    (void)loaded;
}

std::vector<Ray> MakeRays(double maxLength) {
    const Logic::Level& level = *Logic::LogicManager::GetInstance().GetLevel();
    Random random(77);
    std::vector<Ray> rays;
    while (static_cast<int>(rays.size()) < kRays) {
        const double ax = random.Uniform(32.0, 32.0 * (kSide - 1));
        const double ay = random.Uniform(32.0, 32.0 * (kSide - 1));
        if (level.GetCellFlags(static_cast<int>(ax / 32), static_cast<int>(ay / 32)) != 0) continue;
        const double angle = random.Uniform(0.0, 6.283185307179586);
        const double length = random.Uniform(0.5, 1.0) * maxLength;
        rays.push_back({ax, ay, ax + std::cos(angle) * length, ay + std::sin(angle) * length});
    }
    return rays;
}

// The bare walk: the same traversal, told how many cells to step (what the real cast stepped),
// reading nothing but its own state.
int BareWalk(const Ray& ray, int cells, int& lastX, int& lastY) {
    int ix = static_cast<int>(ray.mAx / 32.0); // starts are inside the map: truncation is the floor
    int iy = static_cast<int>(ray.mAy / 32.0);
    const double dx = ray.mBx - ray.mAx, dy = ray.mBy - ray.mAy;
    const auto axis = [](int cell, double from, double delta, int& step, double& tDelta, double& tMax) {
        const double offset = 32.0 * cell - from;
        if (delta > 0.0) {
            step = 1, tDelta = 32.0 / delta, tMax = (offset + 32.0) / delta;
        } else if (delta < 0.0) {
            step = -1, tDelta = -32.0 / delta, tMax = offset / delta;
        } else {
            step = 0, tDelta = 2.0, tMax = 2.0;
        }
    };
    int stepX, stepY;
    double tDeltaX, tDeltaY, tMaxX, tMaxY;
    axis(ix, ray.mAx, dx, stepX, tDeltaX, tMaxX);
    axis(iy, ray.mAy, dy, stepY, tDeltaY, tMaxY);
    for (int i = 0; i < cells; ++i) {
        if (tMaxY > tMaxX) {
            ix += stepX;
            tMaxX += tDeltaX;
        } else {
            iy += stepY;
            tMaxY += tDeltaY;
        }
    }
    lastX = ix;
    lastY = iy;
    return cells;
}

// How many cells the real cast steps into for a ray: to its hit, to B's cell, or out of the
// map (the step that leaves counts).
int CellsStepped(const Ray& ray) {
    const Logic::Level& level = *Logic::LogicManager::GetInstance().GetLevel();
    int ix = static_cast<int>(std::floor(ray.mAx / 32.0)), iy = static_cast<int>(std::floor(ray.mAy / 32.0));
    const int ex = static_cast<int>(std::floor(ray.mBx / 32.0)), ey = static_cast<int>(std::floor(ray.mBy / 32.0));
    int nx = std::abs(ex - ix), ny = std::abs(ey - iy);
    const double dx = ray.mBx - ray.mAx, dy = ray.mBy - ray.mAy;
    const int stepX = dx > 0 ? 1 : dx < 0 ? -1 : 0, stepY = dy > 0 ? 1 : dy < 0 ? -1 : 0;
    double tMaxX = dx > 0 ? (32.0 * ix - ray.mAx + 32.0) / dx : dx < 0 ? (32.0 * ix - ray.mAx) / dx : 2.0;
    double tMaxY = dy > 0 ? (32.0 * iy - ray.mAy + 32.0) / dy : dy < 0 ? (32.0 * iy - ray.mAy) / dy : 2.0;
    const double tDeltaX = dx != 0 ? 32.0 / std::abs(dx) : 2.0, tDeltaY = dy != 0 ? 32.0 / std::abs(dy) : 2.0;
    int cells = 0;
    while (nx >= 1 || ny >= 1) {
        ++cells;
        if (tMaxY > tMaxX) {
            ix += stepX, tMaxX += tDeltaX, --nx;
        } else {
            iy += stepY, tMaxY += tDeltaY, --ny;
        }
        if (!level.IsInside(ix, iy) || (level.GetCellFlags(ix, iy) & kTileBlocksSound)) break;
    }
    return cells;
}

// Seconds of this thread's processor time: the machine is shared, and time spent waiting for a
// core is not the code's.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

template <class Work>
double SecondsPerRun(Work work, int runs) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const double start = ThreadSeconds();
        for (int i = 0; i < runs; ++i) work();
        best = std::min(best, (ThreadSeconds() - start) / runs);
    }
    return best;
}

void RunRays(benchmark::State& state, double maxLength) {
    LoadContentLevel();
    const std::vector<Ray> rays = MakeRays(maxLength);
    std::vector<int> cells(rays.size());
    long long totalCells = 0;
    for (size_t i = 0; i < rays.size(); ++i) totalCells += cells[i] = CellsStepped(rays[i]);
    const double bare = SecondsPerRun(
        [&] {
            int x = 0, y = 0;
            for (size_t i = 0; i < rays.size(); ++i) BareWalk(rays[i], cells[i], x, y);
            benchmark::DoNotOptimize(x);
            benchmark::DoNotOptimize(y);
        },
        20);
    const Physics::PhysicsManager& physics = Physics::PhysicsManager::GetInstance();
    Physics::RayHit hit;
    int64_t batches = 0;
    int hits = 0;
    const double start = ThreadSeconds();
    for (auto _ : state) {
        for (const Ray& ray : rays) hits += physics.RayCast(kTileBlocksSound, ray.mAx, ray.mAy, ray.mBx, ray.mBy, hit);
        benchmark::DoNotOptimize(hit);
        ++batches;
    }
    const double perBatch = (ThreadSeconds() - start) / static_cast<double>(batches);
    const double cellsPerBatch = static_cast<double>(std::max(totalCells, 1LL));
    state.counters["cells_per_ray"] = cellsPerBatch / rays.size();
    state.counters["hit_share"] = static_cast<double>(hits) / (static_cast<double>(batches) * rays.size());
    state.counters["casts_per_s"] = rays.size() / perBatch;
    state.counters["ns_per_cast"] = perBatch / rays.size() * 1e9;
    state.counters["ns_per_cell"] = perBatch / cellsPerBatch * 1e9;
    state.counters["bare_ns_per_cell"] = bare / cellsPerBatch * 1e9;
    state.counters["ratio"] = perBatch / bare;
}

void BM_RayCastLong(benchmark::State& state) { RunRays(state, 2000.0); }
BENCHMARK(BM_RayCastLong)->Unit(benchmark::kMicrosecond);

void BM_RayCastShort(benchmark::State& state) { RunRays(state, 200.0 / 60.0); }
BENCHMARK(BM_RayCastShort)->Unit(benchmark::kMicrosecond);

} // namespace
