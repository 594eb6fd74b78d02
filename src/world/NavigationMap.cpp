#include "world/NavigationMap.h"

#include "debug/PerformanceManager.h"
#include "graphics/DebugDrawManager.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace Velmora::Logic {

namespace {

constexpr uint32_t kOpenLinkColor = 0xFF00C000u;   // green
constexpr uint32_t kClosedLinkColor = 0xFF808080u; // grey
constexpr uint32_t kOpenNodeColor = 0xFFFFFF00u;   // cyan
constexpr uint32_t kClosedNodeColor = 0xFFFF0000u; // blue
constexpr uint32_t kNearestColor = 0xFFFFFFFFu;
constexpr double kNodeRadius = 3.0;
constexpr double kNearestRadius = 6.0;

// The open list's order: lowest f first, then the one queued first.
bool Before(const auto& a, const auto& b) { return a.mF != b.mF ? a.mF < b.mF : a.mSequence < b.mSequence; }

// The open list is a ring of buckets by f. Each expansion queues its neighbours at most two
// tiles of f above the record it expands (the heuristic never drops by more than the tile
// walked), so a window of eight tiles always holds every live entry.
constexpr double kBucketWidth = kTileSize / 64.0;
constexpr int64_t kBucketCount = 512;

// Chosen over `best` as nearest: nearer, or as near and made later.
bool Nearer(double distance, uint32_t index, double bestDistance, uint32_t bestIndex) {
    return distance < bestDistance || (distance == bestDistance && index > bestIndex);
}

} // namespace

void NavigationMap::Clear() {
    mWidth = 0;
    mHeight = 0;
    mNodes.clear();
    mCellNodes.clear();
}

void NavigationMap::Build(int width, int height, std::span<const TileFlags> cellFlags) {
    Clear();
    if (width <= 0 || height <= 0 || cellFlags.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return;
    mWidth = width;
    mHeight = height;
    mCellNodes.assign(cellFlags.size(), kNoNode);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const size_t cell = static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(column);
            const TileFlags flags = cellFlags[cell];
            if ((flags & kTileBlocksEnemy) != 0) continue;
            const auto index = static_cast<uint32_t>(mNodes.size());
            Node node;
            node.mPosition = Vector2((column + 0.5) * kTileSize, (row + 0.5) * kTileSize);
            node.mOpen = (flags & (kTileBlocksSound | kTileBlocksVision)) == 0;
            mNodes.push_back(node);
            mCellNodes[cell] = static_cast<int32_t>(index);
            if (row > 0 && mCellNodes[cell - static_cast<size_t>(width)] != kNoNode) {
                Link(index, static_cast<uint32_t>(mCellNodes[cell - static_cast<size_t>(width)]));
            }
            if (column > 0 && mCellNodes[cell - 1] != kNoNode) Link(index, static_cast<uint32_t>(mCellNodes[cell - 1]));
        }
    }
}

void NavigationMap::Link(uint32_t a, uint32_t b) {
    Node& first = mNodes[a];
    Node& second = mNodes[b];
    first.mNeighbours[first.mNeighbourCount++] = b;
    second.mNeighbours[second.mNeighbourCount++] = a;
}

int32_t NavigationMap::GetCellNode(int x, int y) const {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return kNoNode;
    return mCellNodes[static_cast<size_t>(y) * static_cast<size_t>(mWidth) + static_cast<size_t>(x)];
}

uint32_t NavigationMap::FindNearestNodeByScan(const Vector2& point) const {
    uint32_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (uint32_t i = 0; i < mNodes.size(); ++i) {
        const double distance = Distance(point, mNodes[i].mPosition);
        if (distance == 0.0) return i;
        if (Nearer(distance, i, bestDistance, best)) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

uint32_t NavigationMap::FindNearestNode(const Vector2& point) const {
    if (mNodes.empty() || !std::isfinite(point.x) || !std::isfinite(point.y)) return 0;
    if (point.x < 0.0 || point.y < 0.0 || point.x >= mWidth * kTileSize || point.y >= mHeight * kTileSize) {
        return FindNearestNodeByScan(point);
    }
    const int cx = static_cast<int>(point.x / kTileSize);
    const int cy = static_cast<int>(point.y / kTileSize);
    uint32_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    const int maxRing = std::max(mWidth, mHeight);
    // Every cell centre in ring r (Chebyshev distance r from the point's cell) lies at least
    // 32r − 16 away, so once that exceeds the best distance no outer ring can win or tie.
    for (int ring = 0; ring <= maxRing; ++ring) {
        if (ring > 0 && ring * kTileSize - kTileSize * 0.5 > bestDistance) break;
        for (int y = cy - ring; y <= cy + ring; ++y) {
            const bool edgeRow = y == cy - ring || y == cy + ring;
            const int step = edgeRow ? 1 : 2 * ring;
            for (int x = cx - ring; x <= cx + ring; x += std::max(step, 1)) {
                const int32_t node = GetCellNode(x, y);
                if (node == kNoNode) continue;
                const auto index = static_cast<uint32_t>(node);
                const double distance = Distance(point, mNodes[index].mPosition);
                if (Nearer(distance, index, bestDistance, best)) {
                    best = index;
                    bestDistance = distance;
                }
            }
        }
    }
    return best;
}

NavigationMap::Record& NavigationMap::RecordOf(uint32_t node) const {
    Record& record = mRecords[node];
    if (record.mStamp != mStamp) record = Record{0.0, 0.0, -1, 0, mStamp, 0};
    return record;
}

std::vector<Vector2> NavigationMap::FindPath(const Vector2& from, const Vector2& to) const {
    Debug::PerformanceManager& performance = Debug::PerformanceManager::GetInstance();
    static const int sTimer = performance.RegisterTimer("Pathfinding");
    Debug::ScopedTimer timer(sTimer);
    if (mNodes.empty()) return {};
    const uint32_t start = FindNearestNode(from);
    const uint32_t goal = FindNearestNode(to);
    if (!Search(start, goal, to)) return {};
    return BuildPath(goal, from);
}

bool NavigationMap::Search(uint32_t start, uint32_t goal, const Vector2& to) const {
    if (mRecords.size() != mNodes.size()) {
        mRecords.assign(mNodes.size(), Record());
        mStamp = 0;
    }
    if (++mStamp == 0) { // the stamp wrapped: forget every old record for good
        std::fill(mRecords.begin(), mRecords.end(), Record());
        mStamp = 1;
    }
    mSequence = 0;
    if (mBuckets.size() != static_cast<size_t>(kBucketCount)) mBuckets.resize(static_cast<size_t>(kBucketCount));
    for (std::vector<Open>& bucket : mBuckets) bucket.clear();
    mOccupied.fill(0);
    mOpenCount = 0;
    Record& first = RecordOf(start);
    first.mH = Distance(mNodes[start].mPosition, to);
    first.mState = 1;
    first.mSequence = mSequence++;
    PushOpen({first.mG + first.mH, first.mSequence, start});
    const Vector2 goalPosition = mNodes[goal].mPosition;
    while (mOpenCount > 0) {
        const Open top = PopOpen();
        Record& record = RecordOf(top.mNode);
        // An entry left behind by a cost improvement, or of a node already expanded.
        if (record.mState != 1 || top.mF != record.mG + record.mH) continue;
        if (top.mNode == goal) return true;
        record.mState = 2;
        const Node& node = mNodes[top.mNode];
        for (uint8_t i = 0; i < node.mNeighbourCount; ++i)
            Relax(top.mNode, record.mG, node.mNeighbours[i], goalPosition);
    }
    return false;
}

void NavigationMap::Relax(uint32_t current, double currentG, uint32_t neighbour, const Vector2& goal) const {
    // Linked nodes are the centres of side-by-side cells: their distance is exactly one tile.
    const double g = currentG + kTileSize;
    Record& next = RecordOf(neighbour);
    if (next.mState == 0) {
        next.mParent = static_cast<int32_t>(current);
        next.mG = g;
        next.mH = Distance(mNodes[neighbour].mPosition, goal);
        next.mState = 1;
        next.mSequence = mSequence++;
    } else if (g < next.mG) {
        // A closed node takes the better parent but is not searched again. An open one keeps
        // its place among equals (its first queueing sequence) under its new, lower f.
        next.mParent = static_cast<int32_t>(current);
        next.mG = g;
        if (next.mState != 1) return;
    } else {
        return;
    }
    PushOpen({next.mG + next.mH, next.mSequence, neighbour});
}

void NavigationMap::PushOpen(const Open& entry) const {
    // An empty list starts a new window below the entry: the start's f measures to the point
    // asked for, its neighbours' to the goal node, so they may lie far apart.
    if (mOpenCount == 0) {
        mOpenBase = entry.mF - 2.0 * kTileSize;
        mOpenCursor = 0;
    }
    // Rounding may put an entry a hair below the record being expanded: it then joins the
    // current bucket, where it is the smallest and is taken first, as it should be.
    const auto index = std::max(static_cast<int64_t>(std::floor((entry.mF - mOpenBase) / kBucketWidth)), mOpenCursor);
    const auto slot = static_cast<size_t>(index % kBucketCount);
    mBuckets[slot].push_back(entry);
    mOccupied[slot / 64] |= uint64_t{1} << (slot % 64);
    ++mOpenCount;
}

// Moves the cursor to the next bucket that holds entries (there is one: the list is not empty).
void NavigationMap::AdvanceCursor() const {
    for (;;) {
        const auto slot = static_cast<size_t>(mOpenCursor % kBucketCount);
        const uint64_t ahead = mOccupied[slot / 64] >> (slot % 64);
        if (ahead != 0) {
            mOpenCursor += std::countr_zero(ahead);
            return;
        }
        mOpenCursor += static_cast<int64_t>(64 - slot % 64);
    }
}

NavigationMap::Open NavigationMap::PopOpen() const {
    AdvanceCursor();
    const auto slot = static_cast<size_t>(mOpenCursor % kBucketCount);
    std::vector<Open>& bucket = mBuckets[slot];
    size_t best = 0;
    for (size_t i = 1; i < bucket.size(); ++i) {
        if (Before(bucket[i], bucket[best])) best = i;
    }
    const Open top = bucket[best];
    bucket[best] = bucket.back();
    bucket.pop_back();
    if (bucket.empty()) mOccupied[slot / 64] &= ~(uint64_t{1} << (slot % 64));
    --mOpenCount;
    return top;
}

std::vector<Vector2> NavigationMap::BuildPath(uint32_t goal, const Vector2& from) const {
    std::vector<Vector2> path;
    for (int32_t node = static_cast<int32_t>(goal); node != -1; node = RecordOf(static_cast<uint32_t>(node)).mParent) {
        path.push_back(mNodes[static_cast<uint32_t>(node)].mPosition);
        if (path.size() > mNodes.size()) break; // parent links always end at the start; never loop
    }
    const size_t n = path.size();
    if (n > 1 && DistanceSquared(from, path[n - 2]) < DistanceSquared(path[n - 1], path[n - 2])) path.pop_back();
    std::reverse(path.begin(), path.end());
    return path;
}

void NavigationMap::DrawDebug(bool links, bool nodes) const {
    Graphics::DebugDrawManager& draw = Graphics::DebugDrawManager::GetInstance();
    for (uint32_t i = 0; i < mNodes.size(); ++i) {
        const Node& node = mNodes[i];
        if (nodes)
            draw.DrawCircle(node.mPosition.x, node.mPosition.y, kNodeRadius,
                            node.mOpen ? kOpenNodeColor : kClosedNodeColor);
        if (!links) continue;
        for (uint8_t k = 0; k < node.mNeighbourCount; ++k) {
            const Node& other = mNodes[node.mNeighbours[k]];
            if (node.mNeighbours[k] < i) continue; // each link once
            const uint32_t color = node.mOpen && other.mOpen ? kOpenLinkColor : kClosedLinkColor;
            draw.DrawLine(node.mPosition.x, node.mPosition.y, other.mPosition.x, other.mPosition.y, color);
        }
    }
}

void NavigationMap::DrawNearest(const Vector2& point) const {
    if (mNodes.empty()) return;
    const Vector2 node = mNodes[FindNearestNode(point)].mPosition;
    Graphics::DebugDrawManager& draw = Graphics::DebugDrawManager::GetInstance();
    draw.DrawLine(point.x, point.y, node.x, node.y, kNearestColor);
    draw.DrawCircle(node.x, node.y, kNearestRadius, kNearestColor);
}

} // namespace Velmora::Logic
