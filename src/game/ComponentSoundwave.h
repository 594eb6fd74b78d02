#pragma once

#include "core/Component.h"
#include "core/TComponent.h"
#include "core/Vector2.h"
#include "world/SoundwaveKind.h"
#include "game/SoundwaveRay.h"

#include <cstdint>
#include <memory>

namespace Velmora::Graphics {
class Batch;
class ComponentTransform;
class Renderer;
} // namespace Velmora::Graphics

namespace Velmora::Logic {

/// A sound wave: a fan of rays that start at the entity's position, travel outward at one
/// speed, reflect from sound-blocking cells (shock waves shatter glass or die there instead),
/// lose energy with distance and with each wall event, and die when it is spent. Neighbouring
/// rays form a band drawn as a ribbon; a band tears for good once its two rays drift too far
/// apart. Bodies a live ray reaches get a MessageSoundwaveCollision.
///
/// Built by LogicManager::CreateSoundwave from the "soundwave" archetype (a transform and this
/// component; it reads no data), which sets speed, energy, spread and kind and then calls
/// Launch. The entity destroys itself when every ray is spent and at MessageEndLevel.
class ComponentSoundwave : public Component, public TComponent<ComponentSoundwave> {
    VELMORA_COMPONENT(ComponentSoundwave)
public:
    /// Rays of every wave.
    static constexpr uint32_t kDefaultRayCount = 61;
    /// Most wall events (reflections, shatters, absorptions) of one ray in one update.
    static constexpr unsigned kMaxWallEvents = 5;
    /// Bodies are reached only once the front has travelled further than this (world units), so
    /// a wave never touches its own source at once.
    static constexpr double kHitStartDistance = 5.0;
    /// Bands tear only once the front has travelled further than this (world units).
    static constexpr double kSplitStartDistance = 20.0;
    /// Bands fade out over their ray's last this many units of energy.
    static constexpr double kFadeEnergy = 100.0;
    /// Draw layer of the ribbons (with the particles, above guards' view cones below 600).
    static constexpr int kLayer = 500;
    /// Debug drawing colour of hits (opaque red).
    static constexpr uint32_t kDebugColor = 0xFF0000FFu;

    /// A wave of 61 rays with the logic manager's current spread, split factor and collision
    /// energy loss; speed and energy 1, kind kSound. No rays exist before Initialize.
    explicit ComponentSoundwave(Entity* owner);
    ~ComponentSoundwave() override;

    /// MessageUpdateLogic: Update with its time step. MessageEndLevel: destroys the entity.
    void HandleMessage(Message& message) override;
    /// Caches the transform and allocates mRayCount rays (all at (0, 0), not moving, no energy).
    void Initialize() override;
    /// Frees the rays.
    void Deinitialize() override;

    /// Starts the wave from the transform: facing from its direction vector, every ray at its
    /// position with mInitialEnergy, fanned over mSpread degrees around the facing. Without a
    /// transform (or rays) nothing starts, and the first update ends the wave.
    void Launch();
    /// One update of dt seconds: bodies reached, rays moved and reflected, bands torn; the
    /// entity is destroyed when no ray was alive.
    void Update(double dt);
    /// Moves a segment start → end of a ray against the current level's sound-blocking cells
    /// (mask 4). False when it meets none. A shock wave (kShock) shatters glass it meets, or
    /// emits a red spark where it meets anything else; start and end stay, so the caller meets
    /// the same place again. Any other kind reflects: start becomes the hit point, end the hit
    /// point plus the rest of the segment mirrored about the wall, `heading` (the direction of
    /// travel) is mirrored too, and a spark of the kind's colour marks the hit. True after any
    /// such event.
    bool StepRay(Vector2& start, Vector2& end, SoundwaveKind kind, Vector2& heading) const;

    /// Appends the ribbon of every intact band whose two rays are alive to `batch` (quads): two
    /// quads per band from the front back to the oldest trail positions, in the kind's colour.
    /// Flushes the renderer when the batch has no room. Returns the number of bands drawn.
    int AppendRibbon(Graphics::Renderer& renderer, Graphics::Batch& batch) const;
    /// The colour of a band whose first ray has `energy` left: blue for kSound (and unknown
    /// kinds), white for kWhite, both at half alpha and fading over the last 100 units; opaque
    /// red for kShock.
    static uint32_t RibbonColor(SoundwaveKind kind, double energy);
    /// Spark colour (0xAABBGGRR) and life (seconds) of a wall event of the kind.
    static void SparkFor(SoundwaveKind kind, uint32_t& color, double& life);

    /// True while some ray is alive (false before Launch).
    bool IsAlive() const;
    /// Ray i (i below GetRayCountAllocated()).
    const SoundwaveRay& GetRay(uint32_t i) const { return mRays[i]; }
    /// Rays allocated by Initialize (0 before it and after Deinitialize).
    uint32_t GetRayCountAllocated() const { return mRays ? mAllocatedRays : 0; }
    /// Trail slot of the current positions.
    unsigned CurrentSlot() const { return mStep % SoundwaveRay::kTrailLength; }

    std::unique_ptr<SoundwaveRay[]> mRays;  ///< owned; allocated by Initialize
    uint32_t mRayCount = kDefaultRayCount;  ///< rays Initialize allocates (set before it)
    double mDistance = 0.0;       ///< world units the front has travelled
    double mRaySpeed = 1.0;       ///< world units per second
    double mInitialEnergy = 1.0;  ///< each ray's energy at launch (world units of travel)
    double mSpread;               ///< degrees between the first and the last ray
    double mDirection = 0.0;      ///< facing, degrees (set at launch)
    double mSplitFactor;          ///< tear threshold factor, refreshed from the tweak value each update
    double mChord = 0.0;          ///< distance between the unit directions of two neighbouring rays
    double mCollisionEnergyLoss;  ///< energy lost per wall event (1000 for shock waves)
    uint32_t mStep = 0;           ///< updates so far, starting at 16 at launch
    SoundwaveKind mKind = kSound; ///< what made the wave
    Graphics::ComponentTransform* mTransform = nullptr;  ///< not owned; cached by Initialize

private:
    void ReportHits(unsigned prev) const;
    bool MoveRays(double dt, unsigned cur, unsigned prev);
    void MoveRay(SoundwaveRay& ray, double dt, unsigned cur, unsigned prev) const;
    void SplitRays(unsigned cur, double splitDistance);

    uint32_t mAllocatedRays = 0;
};

} // namespace Velmora::Logic
