#pragma once

#include "FloorPlan.h"
#include "SoundRing.h"

#include <cairo.h>

#include <vector>

namespace Velmora::MovieGen {

/// Sound rings spreading through rooms: a floor plan in the game's colours, the player in the
/// middle room sending out a ring on each of the timeline's ring beats, rings bouncing from walls
/// and tearing at door frames, guards panning their view cones until a ring reaches them and
/// they turn to the noise. Built once; Draw renders any moment of the shot.
class RingScene {
public:
    RingScene();

    /// t: seconds since the shot began.
    void Draw(cairo_t* cr, double t) const;

private:
    struct Guard {
        Point mAt;
        double mHeading;   // radians, where it looks while panning
        double mAlerted;   // seconds into the shot a ring reaches it; −1 never
    };

    void DrawPlan(cairo_t* cr) const;
    void DrawGuard(cairo_t* cr, const Guard& guard, double t) const;
    void DrawPlayer(cairo_t* cr, double t) const;

    FloorPlan mPlan;
    Point mPlayer;
    SoundRing mRing;
    std::vector<Guard> mGuards;
};

/// The title over the last bars: "VELMORA" in the splash's lettering with its sound-wave line,
/// fading in at kTitleStart. t: seconds since the movie began.
void DrawTitle(cairo_t* cr, double t);

} // namespace Velmora::MovieGen
