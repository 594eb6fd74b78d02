#include "FloorPlan.h"

#include <cmath>

namespace Velmora::MovieGen {

void FloorPlan::AddWall(Point a, Point b) { mWalls.push_back({a, b}); }

void FloorPlan::AddBox(double x, double y, double width, double height) {
    AddWall({x, y}, {x + width, y});
    AddWall({x + width, y}, {x + width, y + height});
    AddWall({x + width, y + height}, {x, y + height});
    AddWall({x, y + height}, {x, y});
}

RayHit FloorPlan::Cast(Point origin, double dx, double dy, double length) const {
    RayHit hit{length, -1};
    for (size_t i = 0; i < mWalls.size(); ++i) {
        const Wall& wall = mWalls[i];
        const double ex = wall.mB.mX - wall.mA.mX;
        const double ey = wall.mB.mY - wall.mA.mY;
        const double denominator = dx * ey - dy * ex;
        if (std::abs(denominator) < 1e-12) continue;
        const double ox = wall.mA.mX - origin.mX;
        const double oy = wall.mA.mY - origin.mY;
        const double along = (ox * ey - oy * ex) / denominator;
        const double across = (ox * dy - oy * dx) / denominator;
        // A small lead keeps a reflected ray from meeting the wall it just left.
        if (along > 1e-6 && along < hit.mDistance && across >= 0.0 && across <= 1.0) {
            hit = {along, static_cast<int>(i)};
        }
    }
    return hit;
}

} // namespace Velmora::MovieGen
