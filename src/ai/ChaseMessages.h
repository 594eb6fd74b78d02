#pragma once

#include "core/Message.h"

namespace Velmora::Ai {

/// A guard has started chasing the player. Broadcast; the play screen counts running chases and
/// switches to the chase music while two or more run at once.
class ChaseStart : public Message {
    VELMORA_MESSAGE(ChaseStart)
};

/// A guard has given up a chase it started. Broadcast; when the last chase ends the play screen
/// returns to the tense music and plays a sigh of relief.
class ChaseStop : public Message {
    VELMORA_MESSAGE(ChaseStop)
};

} // namespace Velmora::Ai
