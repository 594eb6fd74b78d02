// A* queries over the navigation graph of a 128 × 128 level, from one corner to the opposite
// one: on an open floor inside a stone border, and through a maze of one-cell corridors (every
// cell of the maze reachable, one route between any two). Times are this thread's processor
// time per query; the median is reported with the graph's node count, the path's length, and
// the ratio to a simple lower bound measured in the same run: one pass over every node (the
// nearest-node scan the search would need without the cell index).

#include "core/Random.h"
#include "core/TileGrid.h"
#include "world/NavigationMap.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <utility>
#include <vector>

using namespace Velmora;

namespace {

constexpr int kSide = 128;

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

std::vector<TileFlags> OpenFloor() {
    std::vector<TileFlags> cells(kSide * kSide, 0);
    for (int i = 0; i < kSide; ++i) {
        cells[i] = cells[(kSide - 1) * kSide + i] = cells[i * kSide] = cells[i * kSide + kSide - 1] = 0x0F;
    }
    return cells;
}

// A perfect maze carved by a randomised depth-first walk (with an explicit stack) over the odd
// cells; walls block everything.
std::vector<TileFlags> Maze() {
    std::vector<TileFlags> cells(kSide * kSide, 0x0F);
    Random random(2024);
    std::vector<std::pair<int, int>> stack{{1, 1}};
    cells[kSide + 1] = 0;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        std::vector<std::pair<int, int>> next;
        for (const auto& [dx, dy] : {std::pair{2, 0}, {-2, 0}, {0, 2}, {0, -2}}) {
            const int nx = x + dx, ny = y + dy;
            if (nx > 0 && ny > 0 && nx < kSide - 1 && ny < kSide - 1 && cells[ny * kSide + nx] != 0)
                next.push_back({nx, ny});
        }
        if (next.empty()) {
            stack.pop_back();
            continue;
        }
        const auto [nx, ny] = next[static_cast<size_t>(random.Below(static_cast<int>(next.size())))];
        cells[((y + ny) / 2) * kSide + (x + nx) / 2] = 0;
        cells[ny * kSide + nx] = 0;
        stack.push_back({nx, ny});
    }
    return cells;
}

void RunQueries(benchmark::State& state, const std::vector<TileFlags>& cells, Vector2 from, Vector2 to) {
    Logic::NavigationMap map;
    map.Build(kSide, kSide, cells);
    std::vector<double> queries, scans;
    size_t length = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        const std::vector<Vector2> path = map.FindPath(from, to);
        const double mid = ThreadSeconds();
        benchmark::DoNotOptimize(map.FindNearestNodeByScan(to));
        scans.push_back(ThreadSeconds() - mid);
        queries.push_back(mid - start);
        length = path.size();
    }
    std::sort(queries.begin(), queries.end());
    std::sort(scans.begin(), scans.end());
    const double median = queries[queries.size() / 2];
    state.counters["median_ms"] = median * 1e3;
    state.counters["nodes"] = static_cast<double>(map.GetNodes().size());
    state.counters["path_points"] = static_cast<double>(length);
    state.counters["ratio_to_scan"] = median / std::max(scans[scans.size() / 2], 1e-9);
}

void BM_PathOpenCornerToCorner(benchmark::State& state) {
    RunQueries(state, OpenFloor(), {48, 48}, {kSide * 32.0 - 48, kSide * 32.0 - 48});
}
BENCHMARK(BM_PathOpenCornerToCorner)->Iterations(200)->Unit(benchmark::kMicrosecond);

void BM_PathMazeCornerToCorner(benchmark::State& state) {
    RunQueries(state, Maze(), {48, 48}, {kSide * 32.0 - 80, kSide * 32.0 - 80});
}
BENCHMARK(BM_PathMazeCornerToCorner)->Iterations(200)->Unit(benchmark::kMicrosecond);

} // namespace
