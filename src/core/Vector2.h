#pragma once

#include <cmath>

namespace Velmora {

/// A 2D vector of doubles: world positions and offsets in world units, directions, velocities.
/// A plain value type; every operation is inline and allocates nothing.
struct Vector2 {
    double x = 0.0;
    double y = 0.0;

    /// The zero vector.
    constexpr Vector2() = default;
    /// (x, y).
    constexpr Vector2(double xValue, double yValue) : x(xValue), y(yValue) {}

    /// Component-wise arithmetic; division by zero follows IEEE rules (callers check).
    constexpr Vector2 operator-() const { return {-x, -y}; }
    constexpr Vector2& operator+=(const Vector2& other) {
        x += other.x;
        y += other.y;
        return *this;
    }
    constexpr Vector2& operator-=(const Vector2& other) {
        x -= other.x;
        y -= other.y;
        return *this;
    }
    constexpr Vector2& operator*=(double scale) {
        x *= scale;
        y *= scale;
        return *this;
    }
    constexpr Vector2& operator/=(double divisor) {
        x /= divisor;
        y /= divisor;
        return *this;
    }
    constexpr bool operator==(const Vector2& other) const = default;

    /// x² + y²; cheaper than Length() for comparisons.
    constexpr double LengthSquared() const { return x * x + y * y; }
    /// Euclidean length.
    double Length() const { return std::sqrt(LengthSquared()); }
    /// The vector scaled to length 1; the zero vector stays zero (never NaN).
    Vector2 Normalized() const {
        const double length = Length();
        return length > 0.0 ? Vector2(x / length, y / length) : Vector2();
    }
    /// The vector turned a quarter turn counter-clockwise: (−y, x).
    constexpr Vector2 Perpendicular() const { return {-y, x}; }
    /// The vector turned counter-clockwise by an angle in radians.
    Vector2 Rotated(double radians) const {
        const double c = std::cos(radians);
        const double s = std::sin(radians);
        return {x * c - y * s, x * s + y * c};
    }
};

/// Component-wise sum, difference and scaling.
constexpr Vector2 operator+(Vector2 a, const Vector2& b) { return a += b; }
constexpr Vector2 operator-(Vector2 a, const Vector2& b) { return a -= b; }
constexpr Vector2 operator*(Vector2 v, double scale) { return v *= scale; }
constexpr Vector2 operator*(double scale, Vector2 v) { return v *= scale; }
constexpr Vector2 operator/(Vector2 v, double divisor) { return v /= divisor; }

/// Dot product a·b.
constexpr double Dot(const Vector2& a, const Vector2& b) { return a.x * b.x + a.y * b.y; }
/// The z component of the 3D cross product: positive when b lies counter-clockwise of a.
constexpr double Cross(const Vector2& a, const Vector2& b) { return a.x * b.y - a.y * b.x; }
/// Distance between two points.
inline double Distance(const Vector2& a, const Vector2& b) { return (a - b).Length(); }
/// Squared distance between two points.
constexpr double DistanceSquared(const Vector2& a, const Vector2& b) { return (a - b).LengthSquared(); }

} // namespace Velmora
