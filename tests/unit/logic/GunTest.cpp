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
        {kSoundGun, 1.0, 1.0, kSound, 6.0, 5.0, "SFX/Player/gunfire.ogg", kEventShoot, 0.0}, // fully charged
        {kSoundGun, 0.5, 0.4, std::nullopt, 0, 0, nullptr, kEventShoot, 0.5}, // half reloaded: the meter stays
        {kShockGun, 1.0, 0.6, kShock, 0.5, 145.0, "SFX/Player/shockwave.ogg", kEventShockwave, 0.0},
        {kShockGun, 0.99, 0.6, std::nullopt, 0, 0, nullptr, kEventShoot, 0.99},                // needs the full meter
        {kWhiteGun, 0.2, 0.7, kWhite, 1.0, 360.0, "SFX/Player/gunfire.ogg", kEventShoot, 0.2}, // keeps the reload
        {kGunNone, 1.0, 0.3, std::nullopt, 0, 0, nullptr, kEventShoot, 0.0},
        {static_cast<GunType>(9), 1.0, 0.3, std::nullopt, 0, 0, nullptr, kEventShoot, 0.0}, // as no gun
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
    Gun white = Loaded(kWhiteGun);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(white.Fire().has_value()) << "the White Gun needs no reload";
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
