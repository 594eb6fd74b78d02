#pragma once

#include <cairo.h>

namespace Velmora::MovieGen {

/// The briefcase, seen from above as in the game: a dark room criss-crossed by laser beams, the
/// case on a table under a pool of light, and the player stepping in from the door, each step a
/// small ring of sound. t: seconds since the shot began.
void DrawBriefcaseScene(cairo_t* cr, double t);

} // namespace Velmora::MovieGen
