#pragma once

#include "core/Message.h"

namespace Velmora::Logic {

/// Broadcast by the controller manager after each successful pad poll (once per frame while a
/// pad is connected). It carries nothing: receivers read ControllerManager's states.
class MessageXboxInput : public Message {
    VELMORA_MESSAGE(MessageXboxInput)
};

} // namespace Velmora::Logic
