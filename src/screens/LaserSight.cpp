#include "screens/LaserSight.h"

#include "graphics/Batch.h"
#include "graphics/Renderer.h"
#include "graphics/Texture.h"
#include "graphics/TextureManager.h"
#include "graphics/Vertex.h"
#include "physics/PhysicsManager.h"
#include "physics/RayHit.h"
#include "world/Tile.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Logic {

namespace {

constexpr double kFarScale = 0.55; // the far end's dots shrink to this share of the radius
constexpr double kNearAlpha = 0.95;

uint32_t SightColor(GunType gun, double alpha) {
    const auto a = static_cast<uint8_t>(std::clamp(alpha, 0.0, 1.0) * 255.0);
    if (gun == kShockGun) return Graphics::PackColor(255, 48, 24, a);
    return Graphics::PackColor(70, 185, 255, a);
}

// The point `s` world units along the path (segment lengths given).
Vector2 PointAlong(const std::vector<Vector2>& path, const std::vector<double>& lengths, double s) {
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        if (s <= lengths[i] || i + 2 == path.size()) {
            const double t = lengths[i] > 0.0 ? std::min(s / lengths[i], 1.0) : 0.0;
            return path[i] + (path[i + 1] - path[i]) * t;
        }
        s -= lengths[i];
    }
    return path.empty() ? Vector2() : path.back();
}

void AddDot(Graphics::Batch& batch, const Graphics::Texture& texture, const Vector2& at, double radius,
            uint32_t color) {
    batch.AddTexturedRect(at.x - radius, at.x + radius, at.y - radius, at.y + radius, 0.0, 0.0, texture.mMaxU,
                          texture.mMaxV, color);
}

} // namespace

double LaserSight::Distance(GunType gun, double charge, double lifetime) {
    double strength = 0.0;
    if (gun == kSoundGun)
        strength = 2.0 + 4.0 * charge;
    else if (gun == kShockGun)
        strength = (charge + 0.5) / 1.5;
    else
        return 0.0;
    return std::max(0.0, lifetime * strength - 30.0);
}

std::vector<Vector2> LaserSight::TracePath(const Vector2& origin, const Vector2& direction, double distance,
                                           int maxLines, const RayFunction& ray) {
    std::vector<Vector2> path;
    Vector2 heading = direction.Normalized();
    if (heading == Vector2() || !(distance > 0.0) || maxLines <= 0) return path;
    path.push_back(origin);
    Vector2 from = origin;
    double remaining = distance;
    for (int line = 0; line < maxLines && remaining > 0.0; ++line) {
        const Vector2 to = from + heading * remaining;
        Vector2 point, normal;
        if (!ray || !ray(from, to, point, normal)) {
            path.push_back(to);
            break;
        }
        path.push_back(point);
        remaining -= Velmora::Distance(from, point);
        const Vector2 n = normal.Normalized();
        heading = heading - n * (2.0 * Dot(heading, n));
        from = point;
    }
    return path;
}

std::vector<Vector2> LaserSight::TracePath(const Vector2& origin, const Vector2& direction, double distance,
                                           int maxLines) {
    const RayFunction soundRay = [](const Vector2& from, const Vector2& to, Vector2& point, Vector2& normal) {
        Physics::RayHit hit;
        if (!Physics::PhysicsManager::GetInstance().RayCast(kTileBlocksSound, from.x, from.y, to.x, to.y, hit)) {
            return false;
        }
        point = {hit.mPointX, hit.mPointY};
        normal = {hit.mNormalX, hit.mNormalY};
        return true;
    };
    return TracePath(origin, direction, distance, maxLines, soundRay);
}

int LaserSight::DotCount(double length, int maxLines) {
    if (maxLines <= 0 || !(length > 0.0)) return 0;
    // One dot of each line's share is kept for the bounce marks.
    const double streamDots = static_cast<double>(maxLines) * (kDotsPerLine - 1);
    const double spacing = std::max(kDotSpacing, length / streamDots);
    return static_cast<int>(std::min(streamDots, std::floor(length / spacing) + 1.0));
}

void LaserSight::Draw(Graphics::Renderer& renderer, const std::vector<Vector2>& path, int maxLines, GunType gun,
                      double phase) {
    if (path.size() < 2 || maxLines <= 0) return;
    if (!mDot) mDot = Graphics::TextureManager::GetInstance().GetTexture("laser_dot.png");
    std::vector<double> lengths;
    double total = 0.0;
    for (size_t i = 0; i + 1 < path.size(); ++i) total += lengths.emplace_back(Velmora::Distance(path[i], path[i + 1]));
    if (!(total > 0.0)) return;

    const unsigned capacity = static_cast<unsigned>(maxLines) * kDotsPerLine * 4;
    Graphics::Batch& dots =
        renderer.GetBatch(Graphics::kPrimitiveQuads, mDot, kLayer, capacity, Graphics::kBlendAdditive);
    const int count = DotCount(total, maxLines);
    const double spacing = std::max(kDotSpacing, total / std::max(count, 1));
    // The dots stream outward: each moves one spacing along the path every 1/kStreamSpeed of phase.
    const double offset = std::fmod(std::max(phase, 0.0) * kStreamSpeed, 1.0) * spacing;
    for (int k = 0; k < count; ++k) {
        const double s = offset + k * spacing;
        if (s >= total) break;
        const double t = s / total;
        AddDot(dots, *mDot, PointAlong(path, lengths, s), kDotRadius * (1.0 - (1.0 - kFarScale) * t),
               SightColor(gun, kNearAlpha * (1.0 - t * t)));
    }
    double along = 0.0;
    for (size_t i = 1; i + 1 < path.size(); ++i) {
        along += lengths[i - 1];
        AddDot(dots, *mDot, path[i], kBounceRadius, SightColor(gun, kNearAlpha * (1.0 - 0.5 * along / total)));
    }
}

} // namespace Velmora::Logic
