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

Gun Loaded(GunType type) {
    Gun gun;
    gun.mGun = type;
    gun.BeginLevel();
    return gun;
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

    Gun idle = Loaded(kSoundGun);
    RunFor(idle, 1.0);
    EXPECT_EQ(idle.mCharge, 0.0) << "not holding the trigger builds no charge";
}

TEST(Gun, HalfReloadedSoundGunFiresNothingClearsTheChargeAndKeepsReloading) {
    Gun gun;
    gun.mGun = kSoundGun;
    gun.mReload = 0.5;
    gun.mCharge = 0.4;
    EXPECT_FALSE(gun.Fire().has_value());
    EXPECT_EQ(gun.mCharge, 0.0);
    EXPECT_EQ(gun.mReload, 0.5) << "the meter is not emptied by a failed shot";
    gun.Update(0.1);
    EXPECT_NEAR(gun.mReload, 0.66, 1e-12);
}

TEST(Gun, SoundGunShotsAreStrengthTwoTappedAndSixFullyChargedOverFiveDegrees) {
    Gun tap = Loaded(kSoundGun);
    std::optional<GunShot> shot = tap.Fire();
    ASSERT_TRUE(shot.has_value());
    EXPECT_EQ(shot->mKind, kSound);
    EXPECT_DOUBLE_EQ(shot->mStrength, 2.0);
    EXPECT_DOUBLE_EQ(shot->mSpreadDegrees, 5.0);
    EXPECT_STREQ(shot->mSample, "SFX/Player/gunfire.ogg");
    EXPECT_EQ(shot->mEvent, kEventShoot);
    EXPECT_EQ(tap.mReload, 0.0);

    Gun full = Loaded(kSoundGun);
    full.mCharge = 1.0;
    shot = full.Fire();
    ASSERT_TRUE(shot.has_value());
    EXPECT_DOUBLE_EQ(shot->mStrength, 6.0);
    EXPECT_EQ(full.mReload, 0.0);
    EXPECT_EQ(full.mCharge, 0.0);
}

TEST(Gun, WhiteGunIgnoresTheReloadAndKeepsIt) {
    Gun gun;
    gun.mGun = kWhiteGun;
    gun.mReload = 0.2;
    gun.mCharge = 0.7;
    for (int i = 0; i < 3; ++i) {
        const std::optional<GunShot> shot = gun.Fire();
        ASSERT_TRUE(shot.has_value()) << "release " << i;
        EXPECT_EQ(shot->mKind, kWhite);
        EXPECT_DOUBLE_EQ(shot->mStrength, 1.0);
        EXPECT_DOUBLE_EQ(shot->mSpreadDegrees, 360.0);
        EXPECT_EQ(shot->mEvent, kEventShoot);
    }
    EXPECT_EQ(gun.mReload, 0.2);
    EXPECT_EQ(gun.mCharge, 0.0);
}

TEST(Gun, ShockGunStrengthIsChargeOverOnePointTwoSpreadHundredFortyFive) {
    Gun gun = Loaded(kShockGun);
    gun.mCharge = 0.6;
    const std::optional<GunShot> shot = gun.Fire();
    ASSERT_TRUE(shot.has_value());
    EXPECT_EQ(shot->mKind, kShock);
    EXPECT_DOUBLE_EQ(shot->mStrength, 0.5);
    EXPECT_DOUBLE_EQ(shot->mSpreadDegrees, 145.0);
    EXPECT_STREQ(shot->mSample, "SFX/Player/shockwave.ogg");
    EXPECT_EQ(shot->mEvent, kEventShockwave);
    EXPECT_EQ(gun.mReload, 0.0);

    gun.mReload = 0.99;
    EXPECT_FALSE(gun.Fire().has_value()) << "needs the full meter like the SoundGun";
}

TEST(Gun, NoGunFiresNothingAndEmptiesBothMeters) {
    Gun gun = Loaded(kGunNone);
    gun.mCharge = 0.3;
    EXPECT_FALSE(gun.Fire().has_value());
    EXPECT_EQ(gun.mReload, 0.0);
    EXPECT_EQ(gun.mCharge, 0.0);

    Gun unknown = Loaded(static_cast<GunType>(9));
    EXPECT_FALSE(unknown.Fire().has_value()) << "an unknown type behaves like no gun";
}

TEST(Gun, HoldingChargesAndOnlyTheReleaseFiresOnce) {
    Gun gun = Loaded(kSoundGun);
    EXPECT_FALSE(gun.SetFireInput(false).has_value()) << "nothing held, nothing released";
    EXPECT_FALSE(gun.SetFireInput(true).has_value());
    EXPECT_TRUE(gun.mCharging);
    EXPECT_TRUE(gun.IsAiming());
    EXPECT_FALSE(gun.SetFireInput(true).has_value());
    const std::optional<GunShot> shot = gun.SetFireInput(false);
    ASSERT_TRUE(shot.has_value());
    EXPECT_FALSE(gun.mCharging);
    EXPECT_FALSE(gun.SetFireInput(false).has_value()) << "one release, one shot";
}

TEST(Gun, AimingOnlyWithLineGunsAndTheMeterPower) {
    Gun gun;
    gun.mCharging = true;
    for (GunType type : {kGunNone, kWhiteGun}) {
        gun.mGun = type;
        EXPECT_FALSE(gun.IsAiming()) << type;
    }
    gun.mGun = kShockGun;
    EXPECT_TRUE(gun.IsAiming());

    gun.mReload = 1.0;
    gun.mCharge = 0.25;
    EXPECT_DOUBLE_EQ(gun.GetMeterPower(false), 0.25);
    gun.mReload = 0.5;
    gun.mCharge = 0.0;
    EXPECT_DOUBLE_EQ(gun.GetMeterPower(false), -0.5);
    gun.mGun = kWhiteGun;
    EXPECT_EQ(gun.GetMeterPower(true), 1.0);
    EXPECT_EQ(gun.GetMeterPower(false), 0.0);
}

} // namespace
} // namespace Velmora::Logic
