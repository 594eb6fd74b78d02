#pragma once

#include "Song.h"

namespace Velmora::AudioGen {

/// Bass instruments.
class Basses {
public:
    /// Plucked upright bass: a dull Karplus-Strong string over a sine body and a finger thump;
    /// the string is damped when the note ends.
    static Mono Upright(const Voice& voice);
    /// Round synth bass for sneaking: sine weight under a low-passed saw whose filter blooms
    /// briefly with each note.
    static Mono Round(const Voice& voice);
    /// Driving synth bass for the chase: saw and pulse with a snappy resonant filter envelope.
    static Mono Drive(const Voice& voice);
};

} // namespace Velmora::AudioGen
