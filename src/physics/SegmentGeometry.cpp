#include "physics/SegmentGeometry.h"

namespace Velmora::Physics {

bool IntersectSegmentEdge(const Vector2& a0, const Vector2& a1, const Vector2& b0, const Vector2& b1, SegmentHit& hit) {
    const Vector2 dA = a1 - a0;
    const Vector2 dB = b1 - b0;
    const double denom = dA.x * dB.y - dB.x * dA.y;
    // Negative only when the segment enters the cell through this edge; zero when parallel.
    if (!(denom < 0.0)) return false;
    const Vector2 w = a0 - b0;
    const double t = (w.y * dB.x - w.x * dB.y) / denom;
    const double u = (w.y * dA.x - w.x * dA.y) / denom;
    if (t < 0.0 || t > 1.0 || u < 0.0 || u > 1.0) return false;
    hit.mPoint = a0 + t * dA;
    hit.mDistanceSquared = (hit.mPoint - a0).LengthSquared();
    hit.mFraction = t;
    hit.mNormal = Vector2(b1.y - b0.y, b0.x - b1.x);
    return true;
}

ClosestPoint ClosestPointOnSegment(const Vector2& p, const Vector2& s0, const Vector2& s1) {
    const Vector2 d = s1 - s0;
    const double lengthSquared = d.LengthSquared();
    ClosestPoint result;
    if (lengthSquared == 0.0) {
        result.mPoint = s0;
    } else {
        const double f = Dot(p - s0, d) / lengthSquared;
        result.mPoint = f <= 0.0 ? s0 : f >= 1.0 ? s1 : s0 + f * d;
    }
    result.mOffset = p - result.mPoint;
    result.mDistanceSquared = result.mOffset.LengthSquared();
    return result;
}

bool ClosestPointOnSegment(const Vector2& p, const Vector2& s0, const Vector2& s1, double radius,
                           ClosestPoint& result) {
    result = ClosestPointOnSegment(p, s0, s1);
    return result.mDistanceSquared < radius * radius;
}

bool CirclesTouch(const Vector2& c1, double r1, const Vector2& c2, double r2) { return r1 + r2 >= Distance(c1, c2); }

} // namespace Velmora::Physics
