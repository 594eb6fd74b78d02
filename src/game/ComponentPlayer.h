#pragma once

#include "audio/AudioManager.h"
#include "core/Component.h"
#include "core/TComponent.h"
#include "core/Vector2.h"

namespace Velmora::Graphics {
class ComponentTransform;
}

namespace Velmora::Physics {
class ComponentBody;
class MessageBodyCollision;
class MessageMoved;
} // namespace Velmora::Physics

namespace Velmora::Logic {

/// The player: turns movement requests (from the pad and the play screen) into body velocity,
/// makes footstep waves as it walks, wins the level on the exit tile, loses it when a catching
/// guard touches it, counts how often it was seen, and removes itself when the level ends.
/// Needs a transform and a body on the same entity; reads no data.
///
/// Messages: MessageUpdateLogic (cooldown, velocity to the body, "Debug/Player" drawing),
/// Physics::MessageMoved (footsteps, exit), Ai::MessageEntitySeen (times seen),
/// Physics::MessageBodyCollision (caught), MessageEndLevel (destroys the entity).
class ComponentPlayer : public Component, public TComponent<ComponentPlayer> {
    VELMORA_COMPONENT(ComponentPlayer)
public:
    /// World units that the footstep wave's strength counts per unit of speed: strength =
    /// speed / 125.
    static constexpr double kStepStrengthDivisor = 125.0;
    /// How far (world units) the "Debug/Player" ray looks ahead along the velocity.
    static constexpr double kDebugRayReach = 1024.0;

    /// Loads the two footstep samples.
    explicit ComponentPlayer(Entity* owner);

    /// Reacts to the messages listed in the class comment.
    void HandleMessage(Message& message) override;
    /// Binds the entity's transform and body.
    void Initialize() override;

    /// Walks towards a window point (pixels, origin bottom-left) at `speed` world units per
    /// second: the point is taken into the world through the graphics manager's view, and the
    /// player faces it and gets a velocity of that speed towards it. Speed 0 stops the player
    /// and changes nothing else; a point exactly on the player, or a window without a size,
    /// changes nothing.
    void MoveTowards(const Vector2& windowPoint, double speed);
    /// The same with the window size (pixels) and the world rectangle shown given.
    void MoveTowards(const Vector2& windowPoint, double speed, double windowWidth, double windowHeight, double viewLeft,
                     double viewBottom, double viewRight, double viewTop);
    /// Faces from the window centre towards a window point (pixels); the centre itself changes
    /// nothing.
    void FaceTowards(const Vector2& windowPoint);
    /// The same with the window size given.
    void FaceTowards(const Vector2& windowPoint, double windowWidth, double windowHeight);

    Graphics::ComponentTransform* mTransform = nullptr;      ///< bound in Initialize; not owned
    Physics::ComponentBody* mBody = nullptr;                 ///< bound in Initialize; not owned
    Audio::SoundHandle mFootSamples[2] = {nullptr, nullptr}; ///< foot1 and foot2
    double mStepCooldown = 0.0;                              ///< seconds until the next footstep wave may come
    bool mWhiteSteps = false; ///< carrying the White Gun: footsteps are white noise, unheard
    Vector2 mVelocity;        ///< world units per second, handed to the body every update

private:
    void Update(double dt);
    void DrawDebug() const;
    void Step(const Physics::MessageMoved& moved);
    void CheckExit() const;
    void Touch(const Physics::MessageBodyCollision& collision) const;
};

} // namespace Velmora::Logic
