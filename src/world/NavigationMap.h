#pragma once

#include "core/TileGrid.h"
#include "core/Vector2.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace Velmora::Logic {

/// The graph guards find their way on: one node at the centre of every cell a guard may walk
/// on (its TileFlags lack kTileBlocksEnemy), linked to the walkable cells above, below, left and
/// right of it. The level owns its graph and rebuilds it whenever its live cells change.
///
/// Node order is creation order: row 0 first, column by column. Neighbour lists hold the node
/// above and the node left (linked when the node is made), then below and right (linked when
/// those are made). Queries keep no state between calls; the search scratch is reused only to
/// spare allocations.
class NavigationMap {
public:
    /// One walkable cell.
    struct Node {
        Vector2 mPosition;                     ///< the cell's centre, world units
        bool mOpen = true;                     ///< false when the tile also blocks sound or vision
        uint8_t mNeighbourCount = 0;           ///< used entries of mNeighbours
        std::array<uint32_t, 4> mNeighbours{}; ///< node indices, in link order
    };
    /// Marks a cell without a node in the cell → node map.
    static constexpr int32_t kNoNode = -1;

    /// Rebuilds the graph from a width × height grid of TileFlags (row-major, row 0 first).
    /// A size that does not match the grid, or is not positive, leaves an empty graph.
    void Build(int width, int height, std::span<const TileFlags> cellFlags);
    /// Drops every node.
    void Clear();

    /// The node nearest to a point (Euclidean; among equally near nodes the one made last),
    /// 0 for an empty graph or a point that is not finite. Looks at the cells round the point's
    /// own cell first and scans every node only for points outside the grid.
    uint32_t FindNearestNode(const Vector2& point) const;
    /// The same by scanning every node in order; the reference for FindNearestNode.
    uint32_t FindNearestNodeByScan(const Vector2& point) const;
    /// A* from the node nearest `from` to the node nearest `to`: the centres of the cells to
    /// walk through, from the start end to the goal end. The start node is left out when `from`
    /// is already nearer to the second point than the start node is. Empty when the goal cannot
    /// be reached or the graph is empty. Ties in cost go to the node that was queued first.
    /// Timed as "Pathfinding".
    std::vector<Vector2> FindPath(const Vector2& from, const Vector2& to) const;

    /// The nodes, in creation order.
    const std::vector<Node>& GetNodes() const { return mNodes; }
    /// The node of a cell, or kNoNode for a cell outside the grid or not walkable.
    int32_t GetCellNode(int x, int y) const;
    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }

    /// Queues debug drawing: with `links`, every link once as a line (open cells' links in
    /// green, others in grey); with `nodes`, a small circle on every node (cyan open, blue
    /// closed).
    void DrawDebug(bool links, bool nodes) const;
    /// Queues a line from a point to its nearest node and a circle on that node (white).
    void DrawNearest(const Vector2& point) const;

private:
    // One search record per node, valid for the query whose stamp it carries.
    struct Record {
        double mG = 0.0;
        double mH = 0.0;
        int32_t mParent = -1; // node index of the parent record, -1 for the start
        uint32_t mSequence = 0;
        uint32_t mStamp = 0;
        uint8_t mState = 0; // 0 unvisited, 1 open, 2 closed
    };
    // An open-list entry: a node's f when it was queued and its queueing sequence.
    struct Open {
        double mF;
        uint32_t mSequence;
        uint32_t mNode;
    };

    void Link(uint32_t a, uint32_t b);
    bool Search(uint32_t start, uint32_t goal, const Vector2& to) const;
    void Relax(uint32_t current, double currentG, uint32_t neighbour, const Vector2& goal) const;
    void PushOpen(const Open& entry) const;
    Open PopOpen() const;
    void AdvanceCursor() const;
    std::vector<Vector2> BuildPath(uint32_t goal, const Vector2& from) const;
    Record& RecordOf(uint32_t node) const;

    int mWidth = 0;
    int mHeight = 0;
    std::vector<Node> mNodes;
    std::vector<int32_t> mCellNodes; // row × width + column → node index or kNoNode

    // Query scratch, reused between queries (never carries meaning from one to the next).
    mutable std::vector<Record> mRecords;
    mutable std::vector<std::vector<Open>> mBuckets; // the open list: a ring of buckets by f
    mutable std::array<uint64_t, 8> mOccupied{};     // one bit per bucket that holds entries
    mutable size_t mOpenCount = 0;
    mutable double mOpenBase = 0.0;  // f at the bottom of bucket 0 of the window
    mutable int64_t mOpenCursor = 0; // the window's bucket that holds the lowest f
    mutable uint32_t mStamp = 0;
    mutable uint32_t mSequence = 0;
};

} // namespace Velmora::Logic
