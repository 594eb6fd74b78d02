#pragma once

#include <cairo.h>

#include <cstdint>

namespace Velmora::MovieGen {

constexpr double kTau = 6.283185307179586;

/// t limited to [0, 1].
double Clamp01(double t);
/// Smooth 0 → 1 as t goes from a to b (smoothstep).
double SmoothStep(double a, double b, double t);
/// Deterministic value in [0, 1) for an index and a seed.
double Hash(int index, int seed);

/// The night sky every outdoor shot shares: a deep gradient, a warm glow of the city at the
/// horizon, twinkling stars and a crescent moon. shift moves the stars and the moon (pixels).
void DrawNightSky(cairo_t* cr, double t, double shiftX, double shiftY);
/// A sweeping searchlight beam from a point on the ground.
void DrawSearchlight(cairo_t* cr, double baseX, double baseY, double angle, double length, double alpha);
/// Slanted rain streaks over the whole frame.
void DrawRain(cairo_t* cr, double t, int count, double alpha);
/// Fills the frame with black at the given opacity (fades).
void Darken(cairo_t* cr, double alpha);

} // namespace Velmora::MovieGen
