// A soak: the crowded level of LogicTickBench ticked for 100,000 logic ticks, about half an hour
// of play at 60 ticks a second. Throughout, 40 sound waves stay alive (spent ones deleted at the
// end of each tick, as the frame does, and new ones fired) and a glass burst fills the particle
// pool every 3 seconds of play; 50 bodies walk to and fro. Then the firing stops and the level
// runs on until the waves and particles have died out. Reports ticks per second of this thread's
// processor time and checks that live entities, particles and resident memory are back at their
// starting level: nothing may accumulate over a long session.
//
// The starting level is taken after one warm-up round of the same load, so the pools and
// containers that grow once to their working size (and malloc's arenas) count as the start.

#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/Path.h"
#include "core/Random.h"
#include "graphics/ComponentTransform.h"
#include "game/ComponentSoundwave.h"
#include "world/Level.h"
#include "game/LogicManager.h"
#include "game/ParticleManager.h"
#include "world/TileManager.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"
#include "ThreadClock.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace Velmora;

namespace {

constexpr int kSide = 128;
constexpr int kWaves = 40;
constexpr int kBodies = 50;
constexpr double kTick = 1.0 / 60.0;
constexpr int kBurstTicks = 180;
constexpr long kSoakTicks = 100000;
constexpr long kWarmUpTicks = 3000;
constexpr long kDieOutTicks = 1200;           // 20 s of play: waves live 1.2 s, shards less
constexpr double kMemorySlackMb = 2.0;         // malloc may keep a little more after a long run

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

// 128 × 128 cells: a stone border, 12 % stone, 5 % glass, floor (as LogicTickBench builds it).
const Logic::Level& BuildLevel() {
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

Vector2 FloorPoint(const Logic::Level& level, Random& random) {
    for (;;) {
        const int x = 40 + random.Below(48), y = 40 + random.Below(48);
        if (level.GetCellFlags(x, y) == 0) return {32.0 * x + 16.0, 32.0 * y + 16.0};
    }
}

int LiveEntities() {
    int count = 0;
    for (Entity* entity = EntityManager::GetInstance().GetFirst(); entity; entity = entity->GetNext()) {
        count += entity->IsDestroyed() ? 0 : 1;
    }
    return count;
}

double ResidentMb() {
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) return 0.0;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The level, its walkers and the load on them; ticks as the play screen runs them.
class Soak {
public:
    Soak() : mLevel(BuildLevel()), mRandom(99) {
        for (int i = 0; i < kBodies; ++i) SpawnWalker(i);
        // Guards join the crowd here once they exist: spawned from their archetype on floor
        // points, patrolling and hearing the waves, so their perception and behaviours soak too.
    }

    // One logic tick: the walkers' velocities, the broadcast to the systems, the delivery to
    // every entity, then the end of the frame. Firing keeps the waves and particles coming.
    void Tick(bool firing) {
        if (firing) Fire();
        const bool turn = mTicks % 60 == 0;
        for (size_t i = 0; i < mWalkers.size(); ++i) {
            if (turn) mVelocities[i] = -mVelocities[i];
            mWalkers[i]->mVelocityX = mVelocities[i].x;
            mWalkers[i]->mVelocityY = mVelocities[i].y;
        }
        MessageUpdateLogic update(kTick);
        Game::GetInstance().SendMessage(update);
        EntityManager::GetInstance().SendToAll(update);
        EntityManager::GetInstance().DestroyPending();
        ++mTicks;
    }

    void Run(long ticks, bool firing) {
        for (long i = 0; i < ticks; ++i) Tick(firing);
    }

private:
    void SpawnWalker(int index) {
        auto* entity = new Entity(2000000 + index);
        auto* transform = new Graphics::ComponentTransform(entity);
        transform->mPosition = FloorPoint(mLevel, mRandom);
        auto* body = new Physics::ComponentBody(entity);
        body->mRadius = 6.0;
        entity->AddComponent(transform);
        entity->AddComponent(body);
        entity->Spawn(nullptr);
        mWalkers.push_back(body);
        const double angle = mRandom.Uniform(0.0, 6.283185);
        mVelocities.push_back(Vector2(std::cos(angle), std::sin(angle)) * 132.0);
    }

    void Fire() {
        Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
        for (size_t live = TComponent<Logic::ComponentSoundwave>::GetInstances().size(); live < kWaves; ++live) {
            const double angle = mRandom.Uniform(0.0, 6.283185);
            const bool fan = mRandom.Below(2) == 0;
            logic.CreateSoundwave(fan ? Logic::kSound : Logic::kWhite, FloorPoint(mLevel, mRandom), 3.0,
                                  Vector2(std::cos(angle), std::sin(angle)), fan ? 60.0 : 360.0);
        }
        if (mTicks % kBurstTicks == 0) {
            Logic::ParticleManager& particles = Logic::ParticleManager::GetInstance();
            while (particles.GetCount() < Logic::ParticleManager::kPoolSize) {
                particles.EmitGlassBurst(FloorPoint(mLevel, mRandom));
            }
        }
    }

    const Logic::Level& mLevel;
    Random mRandom;
    std::vector<Physics::ComponentBody*> mWalkers;
    std::vector<Vector2> mVelocities;
    long mTicks = 0;
};

void ClearEntities() {
    EntityManager& entities = EntityManager::GetInstance();
    for (Entity* entity = entities.GetFirst(); entity; entity = entity->GetNext()) entity->Destroy();
    entities.DestroyPending();
}

void BM_Soak(benchmark::State& state) {
    SetUpGame();
    for (auto _ : state) {
        Soak soak;
        soak.Run(kWarmUpTicks, true);
        soak.Run(kDieOutTicks, false);
        const int entitiesBefore = LiveEntities();
        const int particlesBefore = Logic::ParticleManager::GetInstance().GetCount();
        const double memoryBefore = ResidentMb();

        const double start = Bench::ThreadSeconds();
        soak.Run(kSoakTicks, true);
        const double seconds = Bench::ThreadSeconds() - start;
        const int entitiesLoaded = LiveEntities();
        soak.Run(kDieOutTicks, false);

        const int entitiesAfter = LiveEntities();
        const int particlesAfter = Logic::ParticleManager::GetInstance().GetCount();
        const double memoryAfter = ResidentMb();
        state.counters["ticks_per_s"] = static_cast<double>(kSoakTicks) / seconds;
        state.counters["ms_per_tick"] = seconds / static_cast<double>(kSoakTicks) * 1e3;
        state.counters["entities_start"] = entitiesBefore;
        state.counters["entities_loaded"] = entitiesLoaded;
        state.counters["entities_end"] = entitiesAfter;
        state.counters["particles_start"] = particlesBefore;
        state.counters["particles_end"] = particlesAfter;
        state.counters["rss_start_mb"] = memoryBefore;
        state.counters["rss_end_mb"] = memoryAfter;
        if (entitiesAfter != entitiesBefore || particlesAfter != particlesBefore) {
            state.SkipWithError("entities or particles did not return to their starting level");
        } else if (memoryAfter > memoryBefore + kMemorySlackMb) {
            state.SkipWithError("resident memory grew over the soak");
        }
        ClearEntities();
        Logic::ParticleManager::GetInstance().Clear();
        Logic::LogicManager::GetInstance().SetLevel(nullptr);
    }
}
BENCHMARK(BM_Soak)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
