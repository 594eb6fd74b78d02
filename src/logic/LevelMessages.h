#pragma once

#include "core/Message.h"

namespace Velmora::Logic {

/// Delivered to an entity by the logic manager right after it has been spawned into a level.
class MessageSpawned : public Message {
    VELMORA_MESSAGE(MessageSpawned)
};

/// Delivered to the level's entities when the level ends; entities that live only for the
/// level destroy themselves on it.
class MessageEndLevel : public Message {
    VELMORA_MESSAGE(MessageEndLevel)
};

} // namespace Velmora::Logic
