#pragma once

#include "core/Component.h"
#include "core/TComponent.h"
#include "core/TileGrid.h"
#include "core/Vector2.h"

#include <cstdint>

namespace Velmora::Graphics {
class ComponentTransform;
}

namespace Velmora::Physics {

class CollisionMap;

/// Makes an entity a solid circle that moves through the level. Controllers write a velocity
/// every frame they want motion; on each MessageUpdateLogic the body turns it into a
/// displacement, stops it at the first wall edge it would cross (no sliding), moves the
/// transform, sends MessageMoved, reports touching bodies with MessageBodyCollision pairs and
/// pushes its circle out of nearby walls. Needs a ComponentTransform on the same entity.
///
/// Walls are the collision-map edges whose flags match the body's mask: kTileBlocksEnemy unless
/// the entity's controller says otherwise (the player's sets kTileBlocksPlayer).
/// Archetype data: the radius (a double or an integer; 0 when absent).
class ComponentBody : public Component, public TComponent<ComponentBody> {
    VELMORA_COMPONENT(ComponentBody)
public:
    /// How far (world units) a stopped body is set back from the wall it hit.
    static constexpr double kWallStandOff = 1.0;
    /// Debug circle colour (opaque yellow).
    static constexpr uint32_t kRadiusColor = 0xFF00FFFFu;

    explicit ComponentBody(Entity* owner) : Component(owner) {}

    /// MessageUpdateLogic: Update(dt). Graphics::MessageRender: the radius circle while the
    /// physics manager's "Debug/BodyRadius" is on.
    void HandleMessage(Message& message) override;
    /// Caches the entity's transform.
    void Initialize() override;
    /// Reads the radius.
    void Load(ValueCursor& cursor) override;

    /// One movement update of dt seconds against the physics manager's collision map, with its
    /// noclip and push-out switches. Consumes the velocity.
    void Update(double dt);
    /// The TileFlags of the walls this body stops at.
    TileFlags GetCollisionMask() const { return mCollisionMask; }
    /// Chooses the walls this body stops at (kTileBlocksEnemy until set).
    void SetCollisionMask(TileFlags mask) { mCollisionMask = mask; }

    Graphics::ComponentTransform* mTransform = nullptr; ///< not owned; null until Initialize
    double mVelocityX = 0.0;                            ///< world units per second, consumed by the next update
    double mVelocityY = 0.0;                            ///< world units per second, consumed by the next update
    double mRadius = 0.0;                               ///< world units
    TileFlags mCollisionMask = kTileBlocksEnemy;        ///< walls this body stops at

private:
    bool StopAtWalls(const Vector2& from, const Vector2& delta, uint32_t mask, const CollisionMap& map);
    bool StopInCell(const Vector2& from, const Vector2& to, int cellX, int cellY, uint32_t mask,
                    const CollisionMap& map);
    void ReportContacts();
    void PushOut(uint32_t mask, const CollisionMap& map);
};

} // namespace Velmora::Physics
