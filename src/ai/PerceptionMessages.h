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

/// An entity has come into a guard's view.
class MessageEntityVisible : public Message {
    VELMORA_MESSAGE(MessageEntityVisible)
    explicit MessageEntityVisible(uint32_t id) : mId(id) {}
    uint32_t mId;  ///< entity id of the guard that sees it
};

/// An entity has left a guard's view.
class MessageEntityHidden : public Message {
    VELMORA_MESSAGE(MessageEntityHidden)
    explicit MessageEntityHidden(uint32_t id) : mId(id) {}
    uint32_t mId;  ///< entity id of the guard that no longer sees it
};

} // namespace Velmora::Ai
