#include "SoundRing.h"

#include "Draw.h"
#include "Palette.h"
#include "SceneTools.h"

#include <cmath>

namespace Velmora::MovieGen {

namespace {

// Energy kept at each reflection.
constexpr double kBounceLoss = 0.6;

} // namespace

SoundRing::SoundRing(const FloorPlan& plan, Point origin, int rays, double reach, int bounces)
    : mSpacing(kTau / rays) {
    for (int r = 0; r < rays; ++r) {
        Path path;
        Point at = origin;
        double dx = std::cos(mSpacing * r), dy = std::sin(mSpacing * r);
        double travelled = 0.0;
        path.mPoints.push_back(at);
        path.mLengths.push_back(0.0);
        for (int bounce = 0; bounce <= bounces && travelled < reach; ++bounce) {
            const RayHit hit = plan.Cast(at, dx, dy, reach - travelled);
            at = {at.mX + dx * hit.mDistance, at.mY + dy * hit.mDistance};
            travelled += hit.mDistance;
            path.mPoints.push_back(at);
            path.mLengths.push_back(travelled);
            if (hit.mWall < 0) break;
            const Wall& wall = plan.Walls()[static_cast<size_t>(hit.mWall)];
            const double ex = wall.mB.mX - wall.mA.mX, ey = wall.mB.mY - wall.mA.mY;
            const double length = std::hypot(ex, ey);
            const double nx = -ey / length, ny = ex / length;
            const double dot = dx * nx + dy * ny;
            dx -= 2 * dot * nx;
            dy -= 2 * dot * ny;
        }
        mPaths.push_back(std::move(path));
    }
}

SoundRing::Front SoundRing::FrontOf(const Path& path, double distance) const {
    for (size_t i = 1; i < path.mPoints.size(); ++i) {
        if (distance > path.mLengths[i]) continue;
        const double span = path.mLengths[i] - path.mLengths[i - 1];
        const double f = span > 0 ? (distance - path.mLengths[i - 1]) / span : 0.0;
        const Point& a = path.mPoints[i - 1];
        const Point& b = path.mPoints[i];
        return {{a.mX + (b.mX - a.mX) * f, a.mY + (b.mY - a.mY) * f}, static_cast<int>(i) - 1};
    }
    return {};
}

void SoundRing::Draw(cairo_t* cr, double distance, double alpha) const {
    std::vector<Front> fronts;
    for (const Path& path : mPaths) fronts.push_back(FrontOf(path, distance));
    // Neighbours farther apart than this have been torn apart by a corner.
    const double gap = distance * mSpacing * 2.5 + 4.0;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        cairo_set_line_width(cr, pass == 0 ? 4.0 : 1.4);
        for (size_t i = 0; i < fronts.size(); ++i) {
            const Front& a = fronts[i];
            const Front& b = fronts[(i + 1) % fronts.size()];
            if (a.mBounces < 0 || a.mBounces != b.mBounces) continue;
            if (std::hypot(a.mAt.mX - b.mAt.mX, a.mAt.mY - b.mAt.mY) > gap) continue;
            const double energy = alpha * std::pow(kBounceLoss, a.mBounces);
            Tools::SetColour(cr, pass == 0 ? Tools::Palette::kSound : Tools::Palette::kSoundLight,
                             pass == 0 ? 0.45 * energy : energy);
            cairo_move_to(cr, a.mAt.mX, a.mAt.mY);
            cairo_line_to(cr, b.mAt.mX, b.mAt.mY);
            cairo_stroke(cr);
        }
    }
}

double SoundRing::ArrivalAt(Point target, double radius) const {
    double best = -1.0;
    for (const Path& path : mPaths) {
        const double end = path.mLengths.back();
        for (double d = 0.0; d <= end && (best < 0 || d < best); d += 3.0) {
            const Front front = FrontOf(path, d);
            if (std::hypot(front.mAt.mX - target.mX, front.mAt.mY - target.mY) <= radius) {
                best = d;
                break;
            }
        }
    }
    return best;
}

} // namespace Velmora::MovieGen
