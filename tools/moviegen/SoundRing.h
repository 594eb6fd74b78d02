#pragma once

#include "FloorPlan.h"

#include <cairo.h>

#include <vector>

namespace Velmora::MovieGen {

/// A sound wave as the game draws it: a fan of rays leaving a point, reflecting from walls and
/// losing energy at each bounce; the ring is the line through the rays' fronts, torn wherever
/// neighbouring rays part.
class SoundRing {
public:
    /// Traces rays from origin through plan up to reach pixels and bounces reflections.
    SoundRing(const FloorPlan& plan, Point origin, int rays, double reach, int bounces);

    /// Draws the ring whose front has travelled distance pixels, at the given opacity.
    void Draw(cairo_t* cr, double distance, double alpha) const;
    /// Distance the front travels before it first comes within radius of a point; −1 if never.
    double ArrivalAt(Point target, double radius) const;

private:
    struct Path {
        std::vector<Point> mPoints;
        std::vector<double> mLengths;  // distance along the path at each point
    };
    struct Front {
        Point mAt;
        int mBounces = -1;  // −1: the ray has ended
    };

    Front FrontOf(const Path& path, double distance) const;

    std::vector<Path> mPaths;
    double mSpacing;
};

} // namespace Velmora::MovieGen
