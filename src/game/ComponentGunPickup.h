#pragma once

#include "core/Component.h"
#include "core/TComponent.h"
#include "game/GunType.h"

namespace Velmora::Graphics {
class ComponentSprite;
}

namespace Velmora::Physics {
class MessageBodyCollision;
}

namespace Velmora::Logic {

/// A gun lying in the level: the player's touch hands over the gun (MessageGotGunPickup, trigger
/// event GUN_PICKUP), hides the sprite and starts the respawn cooldown; over the cooldown's last
/// half second the sprite fades back in, and from then on the gun can be taken again.
///
/// Data, in order: the gun's name ("SoundGun", "WhiteGun", "ShockGun"; any other text leaves
/// the type 0) and the respawn delay in seconds (a double or an integer; absent reads as 0, so
/// such a pickup can be taken again at once but stays invisible). Needs a sprite and a body.
class ComponentGunPickup : public Component, public TComponent<ComponentGunPickup> {
    VELMORA_COMPONENT(ComponentGunPickup)
public:
    /// The cooldown left (seconds) from which the pickup can be taken and fades in.
    static constexpr double kFadeTime = 0.5;

    explicit ComponentGunPickup(Entity* owner) : Component(owner) {}

    /// MessageEndLevel destroys the entity; MessageUpdateLogic runs the cooldown and the fade;
    /// Physics::MessageBodyCollision with the player hands the gun over.
    void HandleMessage(Message& message) override;
    /// Binds the entity's sprite.
    void Initialize() override;
    /// Reads the gun's name and the respawn delay.
    void Load(ValueCursor& cursor) override;

    /// True while the player's touch would take the gun (cooldown at most kFadeTime).
    bool IsTakeable() const { return mCooldown <= kFadeTime; }

    Graphics::ComponentSprite* mSprite = nullptr; ///< bound in Initialize; not owned
    GunType mGunType = kGunNone;
    double mCooldown = 0.0;      ///< seconds until it can be taken again (from kFadeTime on)
    double mRespawnDelay = 10.0; ///< seconds; replaced by the data

private:
    void Update(double dt);
    void Touch(const Physics::MessageBodyCollision& collision);
    void SetAlpha(double alpha);
};

} // namespace Velmora::Logic
