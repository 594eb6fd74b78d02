#pragma once

#include "core/Vector2.h"

namespace Velmora::Physics {

/// Where a movement segment crosses a wall edge.
struct SegmentHit {
    Vector2 mPoint;              ///< a0 + t·(a1 − a0)
    double mDistanceSquared = 0; ///< |mPoint − a0|²
    double mFraction = 0;        ///< t along a0 → a1, in [0, 1]
    Vector2 mNormal;             ///< (b1.y − b0.y, b0.x − b1.x): the edge's outward normal, not normalised
};

/// The closest point of a segment to a point.
struct ClosestPoint {
    Vector2 mPoint;              ///< on the segment
    Vector2 mOffset;             ///< p − mPoint
    double mDistanceSquared = 0; ///< |mOffset|²
};

/// Movement segment a0 → a1 against edge b0 → b1. Only a segment crossing the edge from its
/// outer side (the side its right-hand normal points to) into the cell counts; a parallel one
/// never does. Ends are inclusive (t = 1, arriving exactly on the edge, is a hit). True on a hit,
/// with `hit` filled; `hit` is untouched otherwise.
bool IntersectSegmentEdge(const Vector2& a0, const Vector2& a1, const Vector2& b0, const Vector2& b1, SegmentHit& hit);

/// The point of segment s0 → s1 closest to p (s0 for a zero-length segment).
ClosestPoint ClosestPointOnSegment(const Vector2& p, const Vector2& s0, const Vector2& s1);

/// ClosestPointOnSegment, and whether the distance is below r (|p − point|² < r²).
bool ClosestPointOnSegment(const Vector2& p, const Vector2& s0, const Vector2& s1, double radius, ClosestPoint& result);

/// True when circles (c1, r1) and (c2, r2) touch or overlap: r1 + r2 ≥ |c1 − c2|.
bool CirclesTouch(const Vector2& c1, double r1, const Vector2& c2, double r2);

} // namespace Velmora::Physics
