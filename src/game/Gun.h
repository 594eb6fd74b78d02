#pragma once

#include "game/GunType.h"
#include "world/SoundwaveKind.h"
#include "world/TriggerEvent.h"

#include <optional>

namespace Velmora::Logic {

/// What one shot sends out: the sound wave to create at the player (heading along its facing),
/// the sample to play and the game event to fire (which also counts the shot).
struct GunShot {
    SoundwaveKind mKind = kSound;
    double mStrength = 0.0;       ///< times "Logic/Soundwave/Lifetime" gives the wave's energy
    double mSpreadDegrees = 0.0;
    const char* mSample = "";     ///< under data/audio
    TriggerEvent mEvent = kEventShoot;
};

/// The player's gun as the play screen runs it: which gun is carried, the reload meter that
/// fills after every shot, the charge that builds while the fire control is held once the gun
/// has reloaded, and the shot a release makes. Pure state: the play screen turns a GunShot into
/// a wave, a sound and an event.
class Gun {
public:
    static constexpr double kReloadRate = 1.6;   ///< reload meter per second (full in 0.625 s)
    static constexpr double kChargeRate = 0.8;   ///< charge per second once reloaded (full in 1.25 s)
    static constexpr int kTriggerThreshold = 11; ///< the pad's right trigger (0 … 255) fires from here
    static constexpr const char* kGunfireSample = "SFX/Player/gunfire.ogg";
    static constexpr const char* kShockwaveSample = "SFX/Player/shockwave.ogg";

    /// One logic update of dt seconds: the reload fills, and the charge builds while the fire
    /// control is held with the gun reloaded.
    void Update(double dt);
    /// This frame's fire control: held sets charging; letting go after holding fires. Returns
    /// the shot when the release made one.
    std::optional<GunShot> SetFireInput(bool held);
    /// Releases the trigger now: the shot of the carried gun, or none when there is no gun or it
    /// needs a full reload it does not have. Always clears the charge; guns that need reloading
    /// (and no gun at all) empty the reload meter when they fire.
    std::optional<GunShot> Fire();

    /// Play (re)starts: the gun must reload first.
    void EmptyMeters() {
        mReload = 0.0;
        mCharge = 0.0;
    }
    /// A level begins: reloaded, uncharged, the trigger let go. A fire control still held from
    /// the level before (Space held through the level-end panel) neither charges nor fires in
    /// the new level; the carried gun itself stays.
    void BeginLevel() {
        mReload = 1.0;
        mCharge = 0.0;
        mCharging = false;
    }
    /// Charging a gun whose shot travels in a line (SoundGun, ShockGun): the player walks at
    /// half speed and the laser sight shows.
    bool IsAiming() const { return mCharging && (mGun == kSoundGun || mGun == kShockGun); }
    /// The charge meter's fill in [−1, 1] (reload + charge − 1); for the WhiteGun, which needs
    /// no reload, 1 while the player's steps are white noise and 0 otherwise.
    double GetMeterPower(bool whiteSteps) const;

    GunType mGun = kGunNone;
    double mReload = 0.0;  ///< 0 … 1
    double mCharge = 0.0;  ///< 0 … 1
    bool mCharging = false;
};

} // namespace Velmora::Logic
