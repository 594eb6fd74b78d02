// One whole logic tick of a crowded level: MessageUpdateLogic broadcast to the systems (physics,
// logic, particles) and then delivered to every entity, on a 128 × 128 level of the content's
// tiles (a stone border, 12 % stone, 5 % glass, floor) with 40 live sound waves, 50 moving
// bodies and a full particle pool. Times are this thread's processor time per tick (the machine
// is shared); the median and the 90th percentile are reported, and the median of the broadcast
// to the systems alone (which is the particles' update).
//
//   shards    — the pool filled with glass bursts, refilled every 3 seconds of play (180 ticks):
//               the shards fly, bounce and slow down, and most are still by the end of a cycle,
//               as after a real shattering;
//   streaks   — worst case: all 6400 particles fly and bounce for ever (no drag, no end of life).
//
// Waves are blue and white sound-gun waves (strength 3: 240 units of travel, 1.2 seconds; all
// round or a 60° fan) fired from random floor points; between ticks, outside the timing, spent
// waves are deleted and new ones fired so that 40 are alive at every tick, 40 × 61 rays moving
// and reflecting. No shock waves: no glass breaks and the level stays as built.
//
//   guards    — the shards case with 50 guards as well: each patrols three waypoints spread over
//               the crowded middle (paths planned over the navigation graph on every arrival),
//               looks at every body each tick (the 50 bodies and the other guards) and rebuilds
//               its cone and rear arc (74 casts) every tick. Reported beside the shards case,
//               which is the same tick without guards.

#include "ai/ComponentGhost.h"
#include "ai/ComponentPerception.h"
#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/Path.h"
#include "core/Random.h"
#include "core/ValueCursor.h"
#include "graphics/ComponentTransform.h"
#include "game/ComponentSoundwave.h"
#include "game/ComponentWaypoint.h"
#include "world/Level.h"
#include "game/LogicManager.h"
#include "game/ParticleManager.h"
#include "world/TileManager.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

using namespace Velmora;

namespace {

constexpr int kSide = 128;
constexpr int kWaves = 40;
constexpr int kBodies = 50;
constexpr double kTick = 1.0 / 60.0;
constexpr int kRefillTicks = 180;
constexpr int kGuards = 50;
constexpr int kRouteLength = 3;

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

// The game's systems and content that a tick needs, set up once.
void SetUpGame() {
    static const bool ready = [] {
        Game& game = Game::GetInstance();
        game.SetRootPath(FindRootPath(ProgramPath(), IsDirectory));
        game.AddSystem(&Physics::PhysicsManager::GetInstance());
        game.AddSystem(&Logic::LogicManager::GetInstance());
        game.AddSystem(&Logic::ParticleManager::GetInstance());
        Logic::ParticleManager::GetInstance().Initialize();
        Logic::TileManager::GetInstance().LoadCatalogue(game.DataPath("misc", "tiles.xml"), nullptr);
        ComponentFactory& components = ComponentFactory::GetInstance();
        components.Register<Graphics::ComponentTransform>();
        components.Register<Logic::ComponentSoundwave>();
        Factory::GetInstance().LoadArchetype("soundwave", game.DataPath("object", "soundwave.xml"), false);
        return true;
    }();
    (void)ready;
}

Logic::Level& BuildLevel() {
    Random random(1234);
    std::vector<int32_t> cells(kSide * kSide, Logic::kTileFloor);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int roll = random.Below(100);
            const bool border = x == 0 || y == 0 || x == kSide - 1 || y == kSide - 1;
            cells[y * kSide + x] = border || roll < 12 ? 1 : roll < 17 ? 2 : Logic::kTileFloor;
        }
    }
    auto level = std::make_unique<Logic::Level>();
    level->SetCells(kSide, kSide, cells);
    Logic::LogicManager::GetInstance().SetLevel(std::move(level));
    return *Logic::LogicManager::GetInstance().GetLevel();
}

// A floor cell's centre near the middle of the level (where the crowd is).
Vector2 FloorPoint(const Logic::Level& level, Random& random) {
    for (;;) {
        const int x = 40 + random.Below(48), y = 40 + random.Below(48);
        if (level.GetCellFlags(x, y) == 0) return {32.0 * x + 16.0, 32.0 * y + 16.0};
    }
}

struct Crowd {
    std::vector<Physics::ComponentBody*> mBodies;
    std::vector<Vector2> mVelocities;
};

Crowd SpawnCrowd(const Logic::Level& level, Random& random) {
    Crowd crowd;
    for (int i = 0; i < kBodies; ++i) {
        auto* entity = new Entity(2000000 + i);
        auto* transform = new Graphics::ComponentTransform(entity);
        transform->mPosition = FloorPoint(level, random);
        auto* body = new Physics::ComponentBody(entity);
        body->mRadius = 6.0;
        entity->AddComponent(transform);
        entity->AddComponent(body);
        entity->Spawn(nullptr);
        crowd.mBodies.push_back(body);
        const double angle = random.Uniform(0.0, 6.283185);
        crowd.mVelocities.push_back(Vector2(std::cos(angle), std::sin(angle)) * 132.0);
    }
    return crowd;
}

// Deletes the spent waves and fires new ones until 40 are alive.
void TopUpWaves(const Logic::Level& level, Random& random) {
    EntityManager::GetInstance().DestroyPending();
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    for (size_t live = TComponent<Logic::ComponentSoundwave>::GetInstances().size(); live < kWaves; ++live) {
        const double angle = random.Uniform(0.0, 6.283185);
        const bool fan = random.Below(2) == 0;
        logic.CreateSoundwave(fan ? Logic::kSound : Logic::kWhite, FloorPoint(level, random), 3.0,
                              Vector2(std::cos(angle), std::sin(angle)), fan ? 60.0 : 360.0);
    }
}

void FillWithShards(const Logic::Level& level, Random& random) {
    Logic::ParticleManager& particles = Logic::ParticleManager::GetInstance();
    particles.Clear();
    while (particles.GetCount() < Logic::ParticleManager::kPoolSize) particles.EmitGlassBurst(FloorPoint(level, random));
}

void FillWithStreaks(const Logic::Level& level, Random& random) {
    Logic::ParticleManager& particles = Logic::ParticleManager::GetInstance();
    particles.Clear();
    while (particles.GetCount() < Logic::ParticleManager::kPoolSize) particles.EmitDoorBurst(FloorPoint(level, random));
    for (Logic::Particle& particle : particles.GetParticles()) particle.mLife = particle.mLifeInitial = 1e9;
}

Entity* SpawnWaypoint(const std::string& name, const Vector2& position) {
    static int sNextId = 3000000;
    auto* entity = new Entity(sNextId++);
    auto* transform = new Graphics::ComponentTransform(entity);
    transform->mPosition = position;
    entity->AddComponent(transform);
    entity->AddComponent(new Logic::ComponentWaypoint(entity));
    entity->Spawn(nullptr);
    entity->SetName(name);
    return entity;
}

// Guards as the "guard" archetype makes them, without the sprite: a body, eyes, and a ghost that
// patrols its own three waypoints.
void SpawnGuards(const Logic::Level& level, Random& random) {
    const ValueList eyes{64, 224, 26, 84, 288, 40, Color::FromRgba(255, 196, 96)};
    const ValueList mind{1, 118, 2.6, "guard", "BehaviorPatrol", 56, 0.5, "EndBehaviors"};
    for (int i = 0; i < kGuards; ++i) {
        ValueList route;
        for (int k = 0; k < kRouteLength; ++k) {
            const std::string name = "wp" + std::to_string(i) + "_" + std::to_string(k);
            SpawnWaypoint(name, FloorPoint(level, random));
            route.push_back(name);
        }
        auto* entity = new Entity(4000000 + i);
        auto* transform = new Graphics::ComponentTransform(entity);
        transform->mPosition = FloorPoint(level, random);
        transform->mDirection = {0, 1};
        auto* body = new Physics::ComponentBody(entity);
        body->mRadius = 9.0;
        auto* perception = new Ai::ComponentPerception(entity);
        ValueCursor eyesCursor(eyes);
        perception->Load(eyesCursor);
        auto* ghost = new Ai::ComponentGhost(entity);
        ValueCursor mindCursor(mind);
        ghost->Load(mindCursor);
        for (Component* component : std::initializer_list<Component*>{transform, body, perception, ghost}) {
            entity->AddComponent(component);
        }
        entity->Spawn(&route);
    }
}

void ClearEntities() {
    EntityManager& entities = EntityManager::GetInstance();
    for (Entity* entity = entities.GetFirst(); entity; entity = entity->GetNext()) entity->Destroy();
    entities.DestroyPending();
}

void RunTicks(benchmark::State& state, bool worstCase, bool guards = false) {
    SetUpGame();
    const Logic::Level& level = BuildLevel();
    Random random(99);
    Crowd crowd = SpawnCrowd(level, random);
    if (guards) SpawnGuards(level, random);
    const auto fill = [&] { worstCase ? FillWithStreaks(level, random) : FillWithShards(level, random); };
    fill();
    std::vector<double> ticks, systems;
    int64_t count = 0;
    MessageUpdateLogic update(kTick);
    for (auto _ : state) {
        if (!worstCase && count % kRefillTicks == 0 && count > 0) fill();
        TopUpWaves(level, random);
        const bool turn = count % 60 == 0;
        for (int i = 0; i < kBodies; ++i) {
            if (turn) crowd.mVelocities[i] = -crowd.mVelocities[i];
            crowd.mBodies[i]->mVelocityX = crowd.mVelocities[i].x;
            crowd.mBodies[i]->mVelocityY = crowd.mVelocities[i].y;
        }
        const double start = ThreadSeconds();
        Game::GetInstance().SendMessage(update);
        const double mid = ThreadSeconds();
        EntityManager::GetInstance().SendToAll(update);
        ticks.push_back(ThreadSeconds() - start);
        systems.push_back(mid - start);
        ++count;
    }
    std::sort(ticks.begin(), ticks.end());
    const auto percentile = [&](double share) { return ticks[static_cast<size_t>(share * (ticks.size() - 1))] * 1e3; };
    state.counters["median_ms"] = percentile(0.5);
    state.counters["p90_ms"] = percentile(0.9);
    state.counters["max_ms"] = ticks.back() * 1e3;
    std::sort(systems.begin(), systems.end());
    state.counters["systems_median_ms"] = systems[systems.size() / 2] * 1e3;  // the particles' share
    state.counters["live_waves"] = static_cast<double>(TComponent<Logic::ComponentSoundwave>::GetInstances().size());
    state.counters["particles"] = Logic::ParticleManager::GetInstance().GetCount();
    ClearEntities();
    Logic::LogicManager::GetInstance().SetLevel(nullptr);
}

void BM_LogicTickShards(benchmark::State& state) { RunTicks(state, false); }
BENCHMARK(BM_LogicTickShards)->Iterations(1800)->Unit(benchmark::kMicrosecond);

void BM_LogicTickStreaks(benchmark::State& state) { RunTicks(state, true); }
BENCHMARK(BM_LogicTickStreaks)->Iterations(600)->Unit(benchmark::kMicrosecond);

void BM_LogicTickGuards(benchmark::State& state) { RunTicks(state, false, true); }
BENCHMARK(BM_LogicTickGuards)->Iterations(1800)->Unit(benchmark::kMicrosecond);

} // namespace
