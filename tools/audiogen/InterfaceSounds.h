#pragma once

#include "Signal.h"

namespace Velmora::AudioGen {

/// Jingles and blips of the menus and the play screen. Each returns a finished mono clip.
class InterfaceSounds {
public:
    /// Level won: a rising brass-and-bell fanfare landing on a C major chord.
    static Mono WinLevel();
    /// Caught: a low hit under a diminished brass stab, then a muted trumpet sinking by semitones.
    static Mono Lose();
    /// Relief after a chase: a falling, breath-like whoosh settling into a soft F major 9 chord.
    static Mono Phew();
    /// A gun picked up: a rising filter sweep and a quick arpeggio up to a shimmer.
    static Mono PowerChange();
    /// The briefcase taken: a bright two-note chime with a sparkle.
    static Mono ItemGet();
    /// Menu focus and clicks: a tiny rounded blip, low (G4) or mid (E5).
    static Mono Blip(bool mid);
};

} // namespace Velmora::AudioGen
