#include "world/NavigationMap.h"

#include "debug/PerformanceManager.h"
#include "graphics/DebugDrawManager.h"

#include <algorithm>
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

// The open list is a binary heap with the best entry on top: lowest f, then queued first.
bool WorseThan(const auto& a, const auto& b) { return a.mF != b.mF ? a.mF > b.mF : a.mSequence > b.mSequence; }

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
    mOpen.clear();
    Record& first = RecordOf(start);
    first.mH = Distance(mNodes[start].mPosition, to);
    first.mState = 1;
    first.mSequence = mSequence++;
    mOpen.push_back({first.mG + first.mH, first.mSequence, start});
    const Vector2 goalPosition = mNodes[goal].mPosition;
    while (!mOpen.empty()) {
        std::pop_heap(mOpen.begin(), mOpen.end(), WorseThan<Open, Open>);
        const Open top = mOpen.back();
        mOpen.pop_back();
        Record& record = RecordOf(top.mNode);
        // An entry left behind by a cost improvement, or of a node already expanded.
        if (record.mState != 1 || top.mF != record.mG + record.mH) continue;
        if (top.mNode == goal) return true;
        record.mState = 2;
        const Node& node = mNodes[top.mNode];
        for (uint8_t i = 0; i < node.mNeighbourCount; ++i) Relax(top.mNode, node.mNeighbours[i], goalPosition);
    }
    return false;
}

void NavigationMap::Relax(uint32_t current, uint32_t neighbour, const Vector2& goal) const {
    // Linked nodes are the centres of side-by-side cells: their distance is exactly one tile.
    const double g = RecordOf(current).mG + kTileSize;
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
    mOpen.push_back({next.mG + next.mH, next.mSequence, neighbour});
    std::push_heap(mOpen.begin(), mOpen.end(), WorseThan<Open, Open>);
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
