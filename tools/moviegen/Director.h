#pragma once

#include "RingScene.h"

#include "Draw.h"

namespace Velmora::MovieGen {

/// Puts the shots together: picks the shot of each moment, crossfades between shots, fades
/// in and out, lays the title over the end and gives bright light a bloom like the game's.
class Director {
public:
    Director();

    /// Draws the frame shown at time t (seconds) into canvas (of the movie's size).
    void Render(const Tools::Canvas& canvas, double t);

private:
    void DrawShot(cairo_t* cr, int shot, double t) const;
    void Bloom(const Tools::Canvas& canvas);

    RingScene mRings;
    Tools::Canvas mPrevious;
    Tools::Canvas mGlow;
};

} // namespace Velmora::MovieGen
