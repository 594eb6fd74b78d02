#pragma once

#include "Signal.h"
#include "Song.h"

namespace Velmora::MovieGen {

/// The opening movie's score: a slow noir piece in D minor at the timeline's tempo. Vibes and a
/// dark pad over the city, a muted trumpet and a heartbeat for the building and the briefcase,
/// a bell for every sound ring, and a last chord under the title.
class MovieScore {
public:
    /// The piece as a song of the timeline's bars plus one bar for the last chord's tail.
    static AudioGen::Song Build();
    /// The mastered track: exactly the movie's length, fading out with the picture.
    static AudioGen::Stereo Render();
};

} // namespace Velmora::MovieGen
