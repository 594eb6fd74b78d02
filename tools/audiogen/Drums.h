#pragma once

#include "Song.h"

namespace Velmora::AudioGen {

/// Synthesised drum kit. Each function is an Instrument: it renders one hit from the voice's
/// velocity and seed; mFrequency tunes the drum where it has a pitch (kick, tom), mDuration
/// sets how long an open hat or a brush sweep lasts.
class Drums {
public:
    /// Sine body falling from about 3.5× to 1× the tuning frequency, with a soft beater click.
    static Mono Kick(const Voice& voice);
    /// Two tuned membrane tones plus band-passed noise for the wires.
    static Mono Snare(const Voice& voice);
    /// A cross-stick click: short woody tones and a tick of noise.
    static Mono Rim(const Voice& voice);
    /// Metallic square cluster and noise, band-passed high; closed when mDuration ≤ 0.1 s.
    static Mono HiHat(const Voice& voice);
    /// A jazz ride: inharmonic partials ringing out under a stick ping.
    static Mono Ride(const Voice& voice);
    /// Wide noisy wash with a slow decay.
    static Mono Crash(const Voice& voice);
    /// A brush slapping the snare: soft-attack band-passed noise.
    static Mono BrushTap(const Voice& voice);
    /// A brush circling on the snare for mDuration seconds: a swelling, gliding hiss.
    static Mono BrushSweep(const Voice& voice);
    /// A small shaker grain.
    static Mono Shaker(const Voice& voice);
    /// A tom tuned to mFrequency.
    static Mono Tom(const Voice& voice);
};

} // namespace Velmora::AudioGen
