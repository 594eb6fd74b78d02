// Gun pickups, briefcases, noise generators and waypoints built from their archetypes.
#include "unit/logic/GameFixtures.h"

#include "ai/ComponentGhost.h"
#include "game/ComponentGenerator.h"
#include "game/ComponentGunPickup.h"
#include "game/PickupMessages.h"
#include "world/LevelMessages.h"

namespace Velmora::Tests {
namespace {

using Logic::ComponentGunPickup;

class PickupTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        mPlayer = Spawn("player", {64, 64});
        mBroadcasts.mOnMessage = [this](Message& message) {
            if (const auto* got = MessageCast<Logic::MessageGotGunPickup>(message)) mGunsGot.push_back(got->mGunType);
        };
    }

    /// A guard-like body: a transform and a ghost, no player component.
    Entity* Guard() {
        auto* guard = new Entity(2000000 + static_cast<int>(++mGuards), &Entities());
        guard->AddComponent(new Graphics::ComponentTransform(guard));
        guard->AddComponent(new Ai::ComponentGhost(guard));
        guard->Spawn(nullptr);
        return guard;
    }

    /// A pickup of an archetype file like gun_shock.xml whose pickup data is the given XML.
    Entity* PickupWithData(const std::string& pickupXml) {
        const std::string name = "test_pickup_" + std::to_string(++sCustom);
        const std::string path = MakeTempDir() + "/" + name + ".xml";
        WriteFile(path,
                  "<archetype><string>ComponentTransform</string><string>ComponentSprite</string>"
                  "<string>gun_shock.png</string><color red='255' green='255' blue='255'/>"
                  "<string>ComponentBody</string><double>10</double><string>ComponentGunPickup</string>" +
                      pickupXml + "</archetype>");
        EXPECT_TRUE(Factory::GetInstance().LoadArchetype(name, path, false));
        return Spawn(name, {80, 64});
    }

    static double Alpha(Entity& entity) { return entity.GetComponent<Graphics::ComponentSprite>()->mAlpha; }

    Entity* mPlayer = nullptr;
    std::vector<int> mGunsGot;
    unsigned mGuards = 0;
    static inline unsigned sCustom = 0; // archetype names stay taken for the whole run
};

TEST_F(PickupTest, ArchetypesNameTheirGunsWithATenSecondRespawn) {
    const std::pair<const char*, Logic::GunType> guns[] = {
        {"gun_sound", Logic::kSoundGun}, {"gun_white", Logic::kWhiteGun}, {"gun_shock", Logic::kShockGun}};
    for (const auto& [archetype, type] : guns) {
        Entity* gun = Spawn(archetype, {100, 100});
        const auto* pickup = gun->GetComponent<ComponentGunPickup>();
        ASSERT_NE(pickup, nullptr) << archetype;
        EXPECT_EQ(pickup->mGunType, type);
        EXPECT_EQ(pickup->mRespawnDelay, 10.0);
    }
}

TEST_F(PickupTest, TakenPickupHidesThenFadesBackInOverItsLastHalfSecond) {
    Entity* gun = PickupWithData("<string>ShockGun</string><integer>3</integer>");
    const auto* pickup = gun->GetComponent<ComponentGunPickup>();
    Touch(*mPlayer, *gun);
    EXPECT_EQ(mGunsGot, (std::vector<int>{Logic::kShockGun}));
    EXPECT_EQ(Alpha(*gun), 0.0);
    // 2.25 s later: still hidden and not takeable.
    for (int i = 0; i < 9; ++i) Tick(*gun, 0.25);
    Touch(*mPlayer, *gun);
    EXPECT_EQ(mGunsGot.size(), 1u);
    // 2.5 s: the fade starts and the gun can be taken; 2.75 s: half visible; 3 s: whole.
    Tick(*gun, 0.25);
    EXPECT_TRUE(pickup->IsTakeable());
    Tick(*gun, 0.25);
    EXPECT_DOUBLE_EQ(Alpha(*gun), 0.5);
    Tick(*gun, 0.25);
    EXPECT_EQ(Alpha(*gun), 1.0);
    // Taken again during the fade, 2.75 s on: the cooldown starts over.
    Touch(*mPlayer, *gun);
    for (int i = 0; i < 11; ++i) Tick(*gun, 0.25);
    Touch(*gun, *mPlayer); // the pickup's own body reported the contact
    EXPECT_EQ(mGunsGot.size(), 3u);
    EXPECT_EQ(Alpha(*gun), 0.0);
    EXPECT_EQ(pickup->mCooldown, 3.0);
}

TEST_F(PickupTest, WithoutADelayAPickupIsTakenAgainAtOnceButStaysInvisible) {
    Entity* gun = PickupWithData("<string>WhiteGun</string>");
    EXPECT_EQ(gun->GetComponent<ComponentGunPickup>()->mRespawnDelay, 0.0);
    Touch(*mPlayer, *gun);
    Touch(*mPlayer, *gun);
    EXPECT_EQ(mGunsGot, (std::vector<int>{Logic::kWhiteGun, Logic::kWhiteGun}));
    Tick(*gun, 5.0);
    EXPECT_EQ(Alpha(*gun), 0.0);
    // An unknown gun name gives type 0, and a delay that is not a number counts as none.
    Entity* odd = PickupWithData("<string>Slingshot</string><double>nan</double>");
    const auto* pickup = odd->GetComponent<ComponentGunPickup>();
    EXPECT_EQ(pickup->mGunType, Logic::kGunNone);
    EXPECT_EQ(pickup->mRespawnDelay, 0.0);
    Touch(*mPlayer, *odd);
    EXPECT_EQ(mGunsGot.back(), Logic::kGunNone);
}

TEST_F(PickupTest, BriefcasesCountOnceEachAndNothingIsTakenByAGuard) {
    Entity* guard = Guard();
    Entity* gun = Spawn("gun_sound", {80, 64});
    Entity* first = Spawn("briefcase", {90, 64});
    Entity* second = Spawn("briefcase", {100, 64});
    Touch(*guard, *gun);
    Touch(*gun, *guard);
    Touch(*guard, *first);
    Touch(*first, *guard);
    EXPECT_TRUE(mGunsGot.empty());
    EXPECT_FALSE(first->IsDestroyed());
    Touch(*mPlayer, *first);
    Touch(*first, *mPlayer); // the same briefcase again in the same update: already gone
    EXPECT_TRUE(first->IsDestroyed());
    Touch(*mPlayer, *second);
    EXPECT_EQ(Logic().GetLevelCounters().mMacGuffin, 2);
    EXPECT_EQ(Logic().GetGameCounters().mMacGuffin, 2);
    EXPECT_EQ(mBroadcasts.Count("MessageGotMacGuffin"), 2);
}

TEST_F(PickupTest, GeneratorSendsItsFirstWaveOnTheFirstUpdateAndCarriesTheRemainder) {
    Entity* generator = Spawn("generator", {100, 80});
    const auto* component = generator->GetComponent<Logic::ComponentGenerator>();
    Tick(*generator, 0.01);
    std::vector<Logic::ComponentSoundwave*> waves = Waves();
    ASSERT_EQ(waves.size(), 1u);
    EXPECT_EQ(waves[0]->mKind, Logic::kWhite);
    EXPECT_DOUBLE_EQ(waves[0]->mInitialEnergy, Logic::LogicManager::GetInstance().mSoundwaveLifetime * 5.0);
    EXPECT_EQ(waves[0]->mOwner->GetComponent<Graphics::ComponentTransform>()->mPosition, Vector2(100, 80));
    // A step of 4 s (longer than two periods) makes one wave and keeps 4.01 − 1.5 = 2.51 s,
    // so the next short step makes another.
    Tick(*generator, 4.0);
    EXPECT_EQ(Waves().size(), 2u);
    EXPECT_NEAR(component->mTimer, 2.51, 1e-12);
    Tick(*generator, 0.01);
    EXPECT_EQ(Waves().size(), 3u);
}

TEST_F(PickupTest, EveryObjectLeavesAtTheEndOfTheLevel) {
    std::vector<Entity*> objects;
    for (const char* archetype : {"gun_sound", "gun_white", "gun_shock", "briefcase", "generator", "waypoint"}) {
        objects.push_back(Spawn(archetype, {100, 100}));
    }
    Logic::MessageEndLevel end;
    Entities().SendToAll(end);
    for (Entity* object : objects) EXPECT_TRUE(object->IsDestroyed());
    EXPECT_TRUE(mPlayer->IsDestroyed());
}

} // namespace
} // namespace Velmora::Tests
