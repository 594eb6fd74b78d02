#pragma once

#include <string>

namespace Velmora::Logic {

/// The player's gun; the numbers are also the sound-wave kinds the guns make.
enum GunType : int {
    kGunNone = 0,
    kSoundGun = 1, ///< "SoundGun"
    kWhiteGun = 2, ///< "WhiteGun"
    kShockGun = 3, ///< "ShockGun"
};

/// The gun named in data ("SoundGun", "WhiteGun", "ShockGun"); false for any other text.
inline bool ParseGunType(const std::string& name, GunType& gun) {
    if (name == "SoundGun")
        gun = kSoundGun;
    else if (name == "WhiteGun")
        gun = kWhiteGun;
    else if (name == "ShockGun")
        gun = kShockGun;
    else
        return false;
    return true;
}

} // namespace Velmora::Logic
