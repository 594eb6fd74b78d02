#pragma once

#include <cairo.h>

namespace Velmora::MovieGen {

/// The city at night: three layers of towers drifting past at different speeds, lit windows,
/// searchlights, traffic on the avenue below. t: seconds since the shot began (may be
/// slightly negative during a crossfade).
void DrawCityScene(cairo_t* cr, double t);

} // namespace Velmora::MovieGen
