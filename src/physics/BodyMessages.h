#pragma once

#include "core/Message.h"

namespace Velmora::Physics {

/// Sent to an entity whose body has just moved (not when a wall stopped it, not for push-outs).
class MessageMoved : public Message {
    VELMORA_MESSAGE(MessageMoved)
    MessageMoved(double deltaX, double deltaY, double speed) : mDeltaX(deltaX), mDeltaY(deltaY), mSpeed(speed) {}
    double mDeltaX; ///< x displacement of this update, world units
    double mDeltaY; ///< y displacement of this update, world units
    double mSpeed;  ///< displacement length / time step, world units per second
};

/// Sent to both entities when a moving body touches another; both receive the same order.
class MessageBodyCollision : public Message {
    VELMORA_MESSAGE(MessageBodyCollision)
    MessageBodyCollision(int firstId, int secondId) : mFirstId(firstId), mSecondId(secondId) {}
    int mFirstId;  ///< entity id of the body that moved and detected the contact
    int mSecondId; ///< entity id of the other body
};

} // namespace Velmora::Physics
