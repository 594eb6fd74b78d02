#pragma once

#include "Song.h"

namespace Velmora::AudioGen {

/// Melodic voices, stabs and pads.
class Leads {
public:
    /// Breathy tenor-sax-like voice: band-limited saw and pulse through a velocity-driven
    /// low-pass and two reed formants, breath noise, delayed vibrato, scoops into notes.
    static Mono Sax(const Voice& voice);
    /// Harmon-muted trumpet: a thin, nasal buzz with narrow formants and a soft attack.
    static Mono MutedTrumpet(const Voice& voice);
    /// Chase lead: two detuned saws an octave over a square, resonant filter envelope.
    static Mono SynthLead(const Voice& voice);
    /// Short brass-section stab: three detuned saws with a fast filter sweep.
    static Mono BrassStab(const Voice& voice);
    /// Slow, dark string pad.
    static Mono Pad(const Voice& voice);
};

} // namespace Velmora::AudioGen
