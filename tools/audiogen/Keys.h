#pragma once

#include "Song.h"

namespace Velmora::AudioGen {

/// Keyboard and mallet instruments.
class Keys {
public:
    /// Tine electric piano by two-operator FM: a warm 1:1 body whose brightness follows the
    /// velocity, a short bell-like tine transient, a slow tremolo and a faint chorus.
    static Mono ElectricPiano(const Voice& voice);
    /// Tone-wheel organ: drawbar sines 16', 8', 5 1/3', 4' and a little 2 2/3', percussion on the
    /// third harmonic, key click and a rotating-speaker shimmer.
    static Mono Organ(const Voice& voice);
    /// Vibraphone: bar partials at 1, 4 and 10 times the pitch with the motor's tremolo.
    static Mono Vibes(const Voice& voice);
    /// Glassy FM bell (ratio 1:3.5) for chimes and jingles.
    static Mono Bell(const Voice& voice);
    /// Soft additive piano-like tone: slightly stretched partials, two detuned strings, highs
    /// decaying faster than the fundamental.
    static Mono Piano(const Voice& voice);
};

} // namespace Velmora::AudioGen
