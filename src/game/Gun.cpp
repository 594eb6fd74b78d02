#include "game/Gun.h"

#include <algorithm>

namespace Velmora::Logic {

void Gun::Update(double dt) {
    mReload = std::min(1.0, mReload + kReloadRate * dt);
    if (mCharging && mReload >= 1.0) mCharge = std::min(1.0, mCharge + kChargeRate * dt);
}

std::optional<GunShot> Gun::SetFireInput(bool held) {
    if (held) {
        mCharging = true;
        return std::nullopt;
    }
    if (!mCharging) return std::nullopt;
    mCharging = false;
    return Fire();
}

std::optional<GunShot> Gun::Fire() {
    const double charge = mCharge;
    mCharge = 0.0;
    if (mGun == kWhiteGun) return GunShot{kWhite, 1.0, 360.0, kGunfireSample, kEventShoot};
    if (mGun != kSoundGun && mGun != kShockGun) {
        mReload = 0.0;
        return std::nullopt;
    }
    // A half-loaded gun only loses its charge; the reload keeps filling.
    if (mReload < 1.0) return std::nullopt;
    mReload = 0.0;
    if (mGun == kSoundGun) return GunShot{kSound, 2.0 + 4.0 * charge, 5.0, kGunfireSample, kEventShoot};
    return GunShot{kShock, charge / 1.2, 145.0, kShockwaveSample, kEventShockwave};
}

double Gun::GetMeterPower(bool whiteSteps) const {
    if (mGun == kWhiteGun) return whiteSteps ? 1.0 : 0.0;
    return mReload + mCharge - 1.0;
}

} // namespace Velmora::Logic
