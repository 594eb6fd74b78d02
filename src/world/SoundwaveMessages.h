#pragma once

#include "core/Message.h"
#include "world/SoundwaveKind.h"

namespace Velmora::Logic {

/// Sent to the entity of a body that a live sound-wave ray has reached (at most once per wave
/// and body each update). Guards listen for it; the player may be pushed by it.
class MessageSoundwaveCollision : public Message {
    VELMORA_MESSAGE(MessageSoundwaveCollision)
    MessageSoundwaveCollision(double forceX, double forceY, SoundwaveKind kind)
        : mForceX(forceX), mForceY(forceY), mKind(kind) {}
    double mForceX;      ///< the ray's unit direction scaled by its remaining energy: the push,
    double mForceY;      ///< pointing away from the source
    SoundwaveKind mKind; ///< what made the wave
};

} // namespace Velmora::Logic
