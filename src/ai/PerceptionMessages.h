#pragma once

#include "core/Message.h"

#include <cstdint>

namespace Velmora::Ai {

/// Sent to an entity that a guard's perception has seen this update.
class MessageEntitySeen : public Message {
    VELMORA_MESSAGE(MessageEntitySeen)
    explicit MessageEntitySeen(uint32_t id) : mId(id) {}
    uint32_t mId;  ///< entity id of the guard that saw it
};

/// Sent to a guard when an entity has come into its view (just before the MessageEntitySeen to
/// that entity).
class MessageEntityVisible : public Message {
    VELMORA_MESSAGE(MessageEntityVisible)
    explicit MessageEntityVisible(uint32_t id) : mId(id) {}
    uint32_t mId;  ///< entity id of the entity it now sees
};

/// Sent to a guard when an entity has left its view (or ceased to exist while seen).
class MessageEntityHidden : public Message {
    VELMORA_MESSAGE(MessageEntityHidden)
    explicit MessageEntityHidden(uint32_t id) : mId(id) {}
    uint32_t mId;  ///< entity id of the entity it no longer sees
};

} // namespace Velmora::Ai
