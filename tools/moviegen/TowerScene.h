#pragma once

#include <cairo.h>

namespace Velmora::MovieGen {

/// The building: the camera tilts up the facade of one tower in the rain to its lit top floor,
/// where a guard's torch passes a window, and closes in on that window. t: seconds since the
/// shot began (may be slightly negative during a crossfade).
void DrawTowerScene(cairo_t* cr, double t);

} // namespace Velmora::MovieGen
