#pragma once

#include <vector>

namespace Velmora::MovieGen {

struct Point {
    double mX = 0;
    double mY = 0;
};

/// A wall segment of a top-down floor plan, in frame pixels.
struct Wall {
    Point mA;
    Point mB;
};

/// Where a ray met a wall.
struct RayHit {
    double mDistance;  ///< along the ray; the ray's length when nothing was hit
    int mWall;         ///< index of the wall, −1 when none
};

/// A set of walls that rays can be cast against.
class FloorPlan {
public:
    /// Adds a wall from a to b.
    void AddWall(Point a, Point b);
    /// Adds the four sides of a rectangle.
    void AddBox(double x, double y, double width, double height);
    const std::vector<Wall>& Walls() const { return mWalls; }

    /// The first wall along the ray from origin in direction (dx, dy) (unit length) within length.
    RayHit Cast(Point origin, double dx, double dy, double length) const;

private:
    std::vector<Wall> mWalls;
};

} // namespace Velmora::MovieGen
