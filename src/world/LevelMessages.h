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

/// A level has begun: its entities are spawned. Sent to every entity, then broadcast.
class MessageBeginLevel : public Message {
    VELMORA_MESSAGE(MessageBeginLevel)
};

/// The level is won (the player reached the exit, or F10). Broadcast.
class MessageLevelWon : public Message {
    VELMORA_MESSAGE(MessageLevelWon)
};

/// The level is lost (a catching guard touched the player). Broadcast.
class MessageLevelLost : public Message {
    VELMORA_MESSAGE(MessageLevelLost)
};

} // namespace Velmora::Logic
