#pragma once

#include "Signal.h"

namespace Velmora::AudioGen {

/// The sounds of the world: the player's guns and steps, breaking glass, a guard's alarm and
/// emotes.
/// Each returns a finished mono clip.
class EffectSounds {
public:
    /// The Sound Gun: a focused sonic "whump" (falling sine, a push of air) with a resonant,
    /// wobbling tail.
    static Mono SoundGun();
    /// The Shock Gun: a bang, a falling inharmonic zap and a storm of crackles thinning out.
    static Mono ShockGun();
    /// A soft footstep on a hard floor (heel then toe); variant 0 or 1 differ in pitch and timing.
    static Mono Footstep(int variant);
    /// A pane of glass breaking: crack, thud, then dozens of ringing shards; variants 0 … 2
    /// differ in size, brightness and how the shards fall.
    static Mono GlassShatter(int variant);
    /// A guard raising the alarm: a short two-tone burst.
    static Mono Alarm();
    /// A guard spotting someone ("!"): a sharp rising stab, a brassy chord with a hard attack.
    static Mono Exclaim();
    /// A guard hearing something ("?"): two soft plucked notes rising a fourth, the second bent
    /// upwards like a question.
    static Mono Question();
};

} // namespace Velmora::AudioGen
