#include "core/Random.h"
#include "unit/logic/WorldFixtures.h"
#include "world/NavigationMap.h"

#include <gtest/gtest.h>

#include <limits>

namespace Velmora::Tests {
namespace {

using Logic::NavigationMap;
using Path = std::vector<Vector2>;

// The graph of a level given top row first.
NavigationMap GraphOf(const std::vector<std::string>& topFirst) {
    const std::unique_ptr<Logic::Level> level = MakeLevel(topFirst);
    return level->GetNavigationMap();
}

Vector2 Centre(int x, int y) { return {x * 32.0 + 16.0, y * 32.0 + 16.0}; }

TEST(NavigationMapTest, NodesAreWalkableCellsLinkedAboveLeftBelowRight) {
    // Row 0 (bottom): floor, guard barrier, glass; row 1: floor, floor, floor.
    const NavigationMap map = GraphOf({"0 0 0", "0 10 2"});
    const auto& nodes = map.GetNodes();
    ASSERT_EQ(nodes.size(), 4u); // neither the barrier nor the glass (both block guards)
    EXPECT_EQ(nodes[0].mPosition, Centre(0, 0));
    EXPECT_EQ(nodes[1].mPosition, Centre(0, 1));
    EXPECT_EQ(map.GetCellNode(1, 0), NavigationMap::kNoNode);
    EXPECT_EQ(map.GetCellNode(2, 1), 3);
    const auto links = [&](uint32_t i) {
        return std::vector<uint32_t>(nodes[i].mNeighbours.begin(),
                                     nodes[i].mNeighbours.begin() + nodes[i].mNeighbourCount);
    };
    EXPECT_EQ(links(0), std::vector<uint32_t>{1});
    EXPECT_EQ(links(1), (std::vector<uint32_t>{0, 2})); // the cell below it, then right
    EXPECT_EQ(links(2), (std::vector<uint32_t>{1, 3})); // left, then right
}

TEST(NavigationMapTest, NearestNodeMatchesTheFullScanEverywhere) {
    // Holes of wall so that the nearest node is often not in the point's own cell.
    const NavigationMap map = GraphOf({"0 1 1 1 0 0 0 0", "0 1 1 1 1 1 1 0", "0 0 0 1 1 1 1 0", "1 1 0 0 0 0 1 1"});
    Random random(7);
    for (int i = 0; i < 4000; ++i) {
        // Whole and half cells often, so points on borders and corners (ties) come up.
        const double x = random.Below(4) == 0 ? random.Below(40) * 8.0 - 40.0 : random.Uniform(-100.0, 400.0);
        const double y = random.Below(4) == 0 ? random.Below(24) * 8.0 - 32.0 : random.Uniform(-100.0, 250.0);
        ASSERT_EQ(map.FindNearestNode({x, y}), map.FindNearestNodeByScan({x, y})) << x << ", " << y;
    }
    EXPECT_EQ(map.FindNearestNode({std::numeric_limits<double>::infinity(), 0}), 0u);
}

TEST(NavigationMapTest, PathsRunFromTheStartEndToTheGoalEnd) {
    const NavigationMap map = GraphOf({"0 0 0 0", "0 1 1 0", "0 0 0 0"});
    const struct {
        Vector2 mFrom, mTo;
        Path mPath;
        const char* mWhy;
    } cases[] = {
        {{20, 20}, {24, 12}, {Centre(0, 0)}, "one cell: the single node"},
        {Centre(0, 0), Centre(3, 0), {Centre(0, 0), Centre(1, 0), Centre(2, 0), Centre(3, 0)}, "along the bottom"},
        // Two routes of equal length round the wall: the one queued first is taken (row − 1 is
        // linked before row + 1, so the route through row 0).
        {Centre(0, 1),
         Centre(3, 1),
         {Centre(0, 1), Centre(0, 0), Centre(1, 0), Centre(2, 0), Centre(3, 0), Centre(3, 1)},
         "equal routes"},
        // Nearer to the second point than the start node is: the start node is left out.
        {{60, 16}, Centre(3, 0), {Centre(2, 0), Centre(3, 0)}, "start node dropped"},
        {{40, 16}, Centre(3, 0), {Centre(1, 0), Centre(2, 0), Centre(3, 0)}, "start node kept"},
        {{-500, -500}, Centre(1, 0), {Centre(0, 0), Centre(1, 0)}, "from far outside the map"},
    };
    for (const auto& c : cases) EXPECT_EQ(map.FindPath(c.mFrom, c.mTo), c.mPath) << c.mWhy;
}

// On random maps every path takes as few steps as a breadth-first search over the links needs.
TEST(NavigationMapTest, PathsOnRandomMapsAreShortest) {
    Random random(11);
    for (int map = 0; map < 20; ++map) {
        const int width = 4 + random.Below(40), height = 3 + random.Below(30);
        std::vector<TileFlags> flags(static_cast<size_t>(width * height));
        for (TileFlags& cell : flags) cell = random.Below(100) < 28 ? kTileBlocksEnemy : 0;
        NavigationMap graph;
        graph.Build(width, height, flags);
        const auto& nodes = graph.GetNodes();
        for (int query = 0; query < 10 && !nodes.empty(); ++query) {
            const auto from = static_cast<uint32_t>(random.Below(static_cast<int>(nodes.size())));
            const auto to = static_cast<uint32_t>(random.Below(static_cast<int>(nodes.size())));
            std::vector<size_t> steps(nodes.size(), 0);
            std::vector<uint32_t> queue{from};
            steps[from] = 1; // points on the path, 0 while unreached
            for (size_t i = 0; i < queue.size(); ++i) {
                const auto& node = nodes[queue[i]];
                for (uint8_t k = 0; k < node.mNeighbourCount; ++k) {
                    if (steps[node.mNeighbours[k]] != 0) continue;
                    steps[node.mNeighbours[k]] = steps[queue[i]] + 1;
                    queue.push_back(node.mNeighbours[k]);
                }
            }
            ASSERT_EQ(graph.FindPath(nodes[from].mPosition, nodes[to].mPosition).size(), steps[to])
                << "map " << map << " query " << query;
        }
    }
}

TEST(NavigationMapTest, NoRouteOrNoGraphGivesAnEmptyPath) {
    const NavigationMap walled = GraphOf({"0 1 0", "0 1 0"});
    EXPECT_TRUE(walled.FindPath(Centre(0, 0), Centre(2, 1)).empty());
    const NavigationMap solid = GraphOf({"1 1", "1 1"});
    EXPECT_TRUE(solid.GetNodes().empty());
    EXPECT_EQ(solid.FindNearestNode({10, 10}), 0u);
    EXPECT_TRUE(solid.FindPath({10, 10}, {40, 40}).empty());
    NavigationMap mismatched;
    const std::vector<TileFlags> flags(3, 0);
    mismatched.Build(2, 2, flags);
    EXPECT_TRUE(mismatched.GetNodes().empty());
}

TEST(NavigationMapTest, TheLevelRebuildsItsGraphWhenADoorOpens) {
    std::unique_ptr<Logic::Level> level = MakeLevel({"0 11 0"});
    EXPECT_TRUE(level->GetNavigationMap().FindPath(Centre(0, 0), Centre(2, 0)).empty());
    ASSERT_TRUE(level->OpenDoor(1, 0));
    EXPECT_EQ(level->GetNavigationMap().FindPath(Centre(0, 0), Centre(2, 0)).size(), 3u);
}

} // namespace
} // namespace Velmora::Tests
