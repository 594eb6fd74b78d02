#pragma once

#include "core/Component.h"
#include "core/TComponent.h"
#include "core/Vector2.h"

#include <array>
#include <cstdint>

namespace Velmora::Graphics {
class ComponentTransform;
class Renderer;
} // namespace Velmora::Graphics

namespace Velmora::Ai {

/// A guard's eyes. Every logic step it tests every other entity with a body against a view cone
/// and a small all-round radius, with line of sight through vision-blocking cells, keeps the
/// result in the host's visibility registry and reports the changes: MessageEntityVisible to its
/// own entity and then MessageEntitySeen to the other when the pair appears, MessageEntityHidden
/// to its own entity when it goes. It also draws the cone as a translucent additive fan.
///
/// Two parameter sets, normal and alert (pursuit); the current set is the normal one after
/// loading, and only a chase switches it. Archetype data, in order: cone angle (degrees), sight
/// range, all-round radius; the same three for the alert set; the cone's colour (its alpha is
/// always replaced by 0x2F). Missing or mistyped values read as 0 (colour: white).
class ComponentPerception : public Component, public TComponent<ComponentPerception> {
    VELMORA_COMPONENT(ComponentPerception)
public:
    /// Points of each outline: the front arc and the rear arc of the all-round radius.
    static constexpr int kOutlinePoints = 37;
    /// Draw layer of the cone.
    static constexpr int kLayer = 600;
    /// Vertices of the shared cone batch.
    static constexpr unsigned kBatchVertices = 4096;
    /// Alpha every cone is drawn with.
    static constexpr uint8_t kConeAlpha = 0x2F;

    /// Eyes that see nothing: every value 0, the colour white.
    explicit ComponentPerception(Entity* owner) : Component(owner) {}

    /// MessageUpdateLogic: the logic step; Graphics::MessageRender: the cone and the debug
    /// overlays. Nothing else.
    void HandleMessage(Message& message) override;
    /// Caches the owner's transform.
    void Initialize() override;
    /// Reads the seven values (see the class comment); the current set becomes the normal set.
    void Load(ValueCursor& cursor) override;

    /// Whether the guard sees a world point now: within the current sight range (inclusive), no
    /// vision-blocking cell in between, and either within the all-round radius or strictly
    /// inside the cone round the facing (a point on a cone edge is not seen). False without a
    /// transform.
    bool IsVisible(const Vector2& point) const;
    /// One logic step: visibility of every other body, then both outlines.
    void Update();
    /// Rebuilds the two outlines from the current set, clipped at vision-blocking cells.
    void RebuildOutlines();
    /// Adds the cone's fan (and the rear arc's while the all-round radius is positive) to the
    /// renderer, then the debug overlays whose switches are on.
    void Draw(Graphics::Renderer& renderer) const;

    /// Copies the normal set into the current one.
    void UseNormalSet();
    /// Copies the alert set into the current one.
    void UseAlertSet();

    Graphics::ComponentTransform* mTransform = nullptr; ///< cached in Initialize; not owned
    double mFieldOfView = 0.0;                          ///< full cone angle, radians (normal set)
    double mSightRange = 0.0;                           ///< world units (normal set)
    double mNearRadius = 0.0;                           ///< all-round radius, world units (normal set)
    double mAlertFieldOfView = 0.0;                     ///< the alert set, same units
    double mAlertSightRange = 0.0;
    double mAlertNearRadius = 0.0;
    double mCurrentFieldOfView = 0.0; ///< the set in force
    double mCurrentSightRange = 0.0;
    double mCurrentNearRadius = 0.0;
    std::array<Vector2, kOutlinePoints> mConePoints{}; ///< front arc, clipped, rebuilt each step
    std::array<Vector2, kOutlinePoints> mNearPoints{}; ///< rear arc of the all-round radius
    uint32_t mConeColor = 0xFFFFFFFFu;                 ///< fill colour, 0xAABBGGRR

private:
    void UpdateVisibility();
    void BuildArc(std::array<Vector2, kOutlinePoints>& points, const Vector2& radius, double first, double step) const;
    void DrawDebug() const;
};

} // namespace Velmora::Ai
