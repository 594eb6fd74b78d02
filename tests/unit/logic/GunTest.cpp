#include "game/Gun.h"

#include <gtest/gtest.h>

#include <optional>

namespace Velmora::Logic {
namespace {

// Runs `seconds` of logic updates at 60 per second.
void RunFor(Gun& gun, double seconds) {
    const int ticks = static_cast<int>(seconds * 60.0 + 0.5);
    for (int i = 0; i < ticks; ++i) gun.Update(1.0 / 60.0);
}

TEST(Gun, ReloadTakesFiveEighthsOfASecondAndChargeBuildsOnlyWhenReloadedAndHeld) {
    Gun gun;
    gun.mGun = kSoundGun;
    gun.mCharging = true;
    RunFor(gun, 0.5);
    EXPECT_NEAR(gun.mReload, 0.8, 1e-9);
    EXPECT_EQ(gun.mCharge, 0.0) << "no charge before the reload is full";
    RunFor(gun, 0.25);
    EXPECT_EQ(gun.mReload, 1.0) << "capped at exactly 1";
    EXPECT_GT(gun.mCharge, 0.0);
    RunFor(gun, 2.0);
    EXPECT_EQ(gun.mCharge, 1.0);

    Gun idle;
    idle.mGun = kSoundGun;
    idle.BeginLevel();
    RunFor(idle, 1.0);
    EXPECT_EQ(idle.mCharge, 0.0) << "not holding the trigger builds no charge";
}

TEST(Gun, EachGunsShotFromItsMetersAndWhatTheShotLeavesOfThem) {
    const struct {
        GunType mGun;
        double mReload, mCharge;
        std::optional<SoundwaveKind> mKind; // none: no shot
        double mStrength, mSpread;
        const char* mSample;
        TriggerEvent mEvent;
        double mReloadAfter;
    } cases[] = {
        {kSoundGun, 1.0, 0.0, kSound, 2.0, 5.0, "SFX/Player/gunfire.ogg", kEventShoot, 0.0}, // tapped
        {kSoundGun, 0.5, 0.4, std::nullopt, 0, 0, nullptr, kEventShoot, 0.5}, // half reloaded: the meter stays
        {kShockGun, 1.0, 0.6, kShock, 0.5, 145.0, "SFX/Player/shockwave.ogg", kEventShockwave, 0.0},
        {kShockGun, 0.99, 0.6, std::nullopt, 0, 0, nullptr, kEventShoot, 0.99},                // needs the full meter
        {kWhiteGun, 0.2, 0.7, kWhite, 1.0, 360.0, "SFX/Player/gunfire.ogg", kEventShoot, 0.2}, // keeps the reload
        {kGunNone, 1.0, 0.3, std::nullopt, 0, 0, nullptr, kEventShoot, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "gun " << c.mGun << ", reload " << c.mReload << ", charge " << c.mCharge);
        Gun gun;
        gun.mGun = c.mGun;
        gun.mReload = c.mReload;
        gun.mCharge = c.mCharge;
        const std::optional<GunShot> shot = gun.Fire();
        ASSERT_EQ(shot.has_value(), c.mKind.has_value());
        if (shot) {
            EXPECT_EQ(shot->mKind, *c.mKind);
            EXPECT_DOUBLE_EQ(shot->mStrength, c.mStrength);
            EXPECT_DOUBLE_EQ(shot->mSpreadDegrees, c.mSpread);
            EXPECT_STREQ(shot->mSample, c.mSample);
            EXPECT_EQ(shot->mEvent, c.mEvent);
        }
        EXPECT_EQ(gun.mReload, c.mReloadAfter);
        EXPECT_EQ(gun.mCharge, 0.0) << "every release empties the charge";
    }
}

TEST(Gun, AimingOnlyWithLineGunsAndTheMeterPower) {
    Gun gun;
    gun.mCharging = true;
    for (GunType type : {kGunNone, kWhiteGun, kSoundGun, kShockGun}) {
        gun.mGun = type;
        EXPECT_EQ(gun.IsAiming(), type == kSoundGun || type == kShockGun) << type;
    }

    gun.mReload = 1.0;
    gun.mCharge = 0.25;
    EXPECT_DOUBLE_EQ(gun.GetMeterPower(false), 0.25);
    gun.mReload = 0.5;
    gun.mCharge = 0.0;
    EXPECT_DOUBLE_EQ(gun.GetMeterPower(false), -0.5); // reloading shows below zero
    gun.mGun = kWhiteGun;
    EXPECT_EQ(gun.GetMeterPower(true), 1.0);
}

} // namespace
} // namespace Velmora::Logic
