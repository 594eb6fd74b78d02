#pragma once

#include "core/ISystem.h"
#include "core/Vector2.h"
#include "game/Particle.h"

#include <cstdint>
#include <memory>
#include <span>

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Logic {

/// The effects system: one fixed pool of small textured quads — sparks where sound waves touch
/// walls, glass shards when glass shatters, red streaks when a door opens. Particles fly, slow
/// down by their drag, bounce off sound-blocking cells, fade out over their life and are drawn
/// in one additive batch with "particle.png".
///
/// Live particles occupy slots 0 … count − 1; a dead one is replaced by the last live one, so
/// nothing is allocated after Initialize and the order of the pool means nothing.
class ParticleManager : public ISystem {
public:
    /// Records in the pool: the most particles alive at once.
    static constexpr int kPoolSize = 6400;
    /// Draw layer (with the sound-wave ribbons; both are additive, so their order does not show).
    static constexpr int kLayer = 500;
    /// Most wall hits of one particle in one update.
    static constexpr int kMaxHits = 5;
    /// A particle whose squared speed falls below this freezes (speed below √2 units a second).
    static constexpr double kFreezeSpeedSquared = 2.0;
    /// Updates shorter than this (seconds) change nothing: the game is paused.
    static constexpr double kMinStep = 0.0001;

    /// The game's instance, created on first use, never deleted.
    static ParticleManager& GetInstance();
    ParticleManager();
    ~ParticleManager() override;
    ParticleManager(const ParticleManager&) = delete;
    ParticleManager& operator=(const ParticleManager&) = delete;

    /// Allocates the pool (each record at (0, 0), still, opaque white), empties it and
    /// registers ComponentParticleEmitter with the component factory.
    void Initialize() override;
    /// Frees the pool; emitting does nothing until the next Initialize.
    void Deinitialize() override;
    /// MessageUpdateLogic: Update with its time step.
    void HandleMessage(Message& message) override;

    /// Every particle vanishes at once (a level begins).
    void Clear() { mCount = 0; }
    /// Appends one particle; false, and nothing added, when the pool is full or not allocated.
    bool AddParticle(const Particle& particle);
    /// One still spark at a wall: size 7, the given colour (0xAABBGGRR) and life (seconds).
    void EmitSpark(const Vector2& position, uint32_t color, double life);
    /// 60 blue-violet glass shards flying out from a point at up to 250 units a second, slowing
    /// down, living 15 seconds.
    void EmitGlassBurst(const Vector2& position);
    /// 120 red streaks from a door cell's corner: four rows flying sideways, four columns flying
    /// up and down, living one second.
    void EmitDoorBurst(const Vector2& position);

    /// One update of dt seconds (nothing when dt ≤ 0.0001): ageing and removal, drag, freezing,
    /// movement with up to five wall bounces (ray casts with mask 4).
    void Update(double dt);
    /// Appends every live particle to the renderer as one quad of an additive batch with
    /// "particle.png" on layer 500, its alpha following the life left.
    void Draw(Graphics::Renderer& renderer) const;

    /// Live particles.
    int GetCount() const { return mCount; }
    /// The live particles (empty before Initialize).
    std::span<Particle> GetParticles() { return {mPool.get(), mPool ? static_cast<size_t>(mCount) : 0}; }

private:
    void MoveParticle(Particle& particle, double dt) const;

    std::unique_ptr<Particle[]> mPool;
    int mCount = 0;
};

} // namespace Velmora::Logic
