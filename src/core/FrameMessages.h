#pragma once

#include "core/Message.h"

namespace Velmora {

/// Sent once per frame by the main loop; mDt is the frame's length in seconds.
class MessageUpdateLoop : public Message {
    VELMORA_MESSAGE(MessageUpdateLoop)
    explicit MessageUpdateLoop(double dt) : mDt(dt) {}
    double mDt;
};

/// Sent once per logic tick by the play screen, to the systems and then to every entity.
class MessageUpdateLogic : public Message {
    VELMORA_MESSAGE(MessageUpdateLogic)
    explicit MessageUpdateLogic(double dt) : mDt(dt) {}
    double mDt;
};

/// Start of the render pass.
class MessageBeginFrame : public Message {
    VELMORA_MESSAGE(MessageBeginFrame)
};

/// After the overlay pass; entities destroyed during the frame are deleted on it.
class MessageEndFrame : public Message {
    VELMORA_MESSAGE(MessageEndFrame)
};

/// The window lost focus while no menu-type screen was open.
class MessageWindowInactive : public Message {
    VELMORA_MESSAGE(MessageWindowInactive)
};

} // namespace Velmora
