#pragma once

#include "core/Message.h"
#include "game/GunType.h"

#include <cstdint>

namespace Velmora::Logic {

/// Broadcast when the player takes a gun pickup; the play screen equips the gun (type 0, from
/// a pickup whose data named no known gun, is ignored there).
class MessageGotGunPickup : public Message {
    VELMORA_MESSAGE(MessageGotGunPickup)
    explicit MessageGotGunPickup(int32_t gunType) : mGunType(gunType) {}
    int32_t mGunType; ///< a GunType value
};

/// Broadcast when the player takes a briefcase.
class MessageGotMacGuffin : public Message {
    VELMORA_MESSAGE(MessageGotMacGuffin)
};

} // namespace Velmora::Logic
