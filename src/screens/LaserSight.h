#pragma once

#include "core/Vector2.h"
#include "game/GunType.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Velmora::Graphics {
class Renderer;
class Texture;
} // namespace Velmora::Graphics

namespace Velmora::Logic {

/// The aiming line shown while the SoundGun or the ShockGun is being charged: it previews the
/// path the shot's sound wave will travel, bouncing off sound-blocking walls, as a trail of
/// glowing dots that stream away from the player and fade towards the far end.
class LaserSight {
public:
    /// Where a straight line first meets a sound-blocking cell: the point on the cell's boundary
    /// and the boundary's normal pointing back at the line's start.
    using RayFunction = std::function<bool(const Vector2& from, const Vector2& to, Vector2& point, Vector2& normal)>;

    static constexpr int kDotsPerLine = 8;       ///< the dot batch holds max lines × this many dots
    static constexpr int kLayer = 700;           ///< over the waves (500) and cones (600), under sprites
    static constexpr double kDotSpacing = 6.0;   ///< world units between dots, stretched for long paths
    static constexpr double kDotRadius = 2.6;    ///< world units, near the player
    static constexpr double kBounceRadius = 4.2; ///< the dot that marks each bounce
    static constexpr double kStreamSpeed = 20.0; ///< dot spacings per phase unit the dots travel

    /// The sight's length in world units: lifetime × s − 30, with s = 2 + 4·charge for the
    /// SoundGun and (charge + 0.5) / 1.5 for the ShockGun (the shot's strength as the sound-wave
    /// energy sees it); 0 for other guns and never negative.
    static double Distance(GunType gun, double charge, double lifetime);

    /// The sight's path: from `origin` along `direction`, reflected (d − 2(d·n)n) at every wall
    /// the ray function reports, for at most `maxLines` segments and `distance` world units in
    /// all. The result holds the corner points, starting with the origin; empty when there is no
    /// direction, no distance or no segment allowed.
    static std::vector<Vector2> TracePath(const Vector2& origin, const Vector2& direction, double distance,
                                          int maxLines, const RayFunction& ray);
    /// TracePath against the current level's sound-blocking cells (ray casts with mask 4).
    static std::vector<Vector2> TracePath(const Vector2& origin, const Vector2& direction, double distance,
                                          int maxLines);

    /// Adds the path's dots to the renderer: "laser_dot.png", additive, one batch with room for
    /// maxLines × kDotsPerLine dots (a long path spaces its dots further apart to fit). phase
    /// (0 … 1) moves the dots along the path.
    void Draw(Graphics::Renderer& renderer, const std::vector<Vector2>& path, int maxLines, GunType gun, double phase);
    /// How many dots Draw places on a path of that length for that many lines.
    static int DotCount(double length, int maxLines);

private:
    Graphics::Texture* mDot = nullptr; // owned by the texture manager
};

} // namespace Velmora::Logic
