// The frame rate of a busy play screen at 1280 × 800, drawn by the real render pass (the world
// pass through the bloom stage, the overlay, the buffer swap) with the bloom stage off and on,
// and the stage's own passes timed one by one. Needs a display: run it under
// `xvfb-run -a -s "-screen 0 1280x800x24"`; under Xvfb the rasteriser is Mesa's llvmpipe, which
// shades on the processor with as many threads as there are cores.
//
// The frame: a 128 × 128 level of the content's tiles (a stone border, 12 % stone, 5 % glass,
// floor) filling the window at the play screen's zoom, 40 live sound waves (blue sound-gun fans
// and white rings) fired around the view, 1000 glass shards flying, and the HUD. The level's
// logic advances one tick between frames, outside the timing.
//
//   BM_PlayFrame/0, /1 — wall time of one Render() with the stage off / on; frames_per_second
//                        is the rate a player would see; bloom_share_of_fps is 1 − on / off.
//                        cpu_ms_per_frame is the processor time of all the process's threads,
//                        which the load of a shared machine does not change.
//   BM_BloomPasses     — the stage alone on a finished world image: each pass is followed by
//                        glFinish, and its processor time is the rasteriser's work for that pass.

#include "core/ComponentFactory.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/ISystem.h"
#include "core/Path.h"
#include "core/Random.h"
#include "graphics/ComponentTransform.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "game/ComponentSoundwave.h"
#include "screens/Hud.h"
#include "world/Level.h"
#include "game/LogicManager.h"
#include "game/ParticleManager.h"
#include "world/TileManager.h"

#include <GL/glew.h>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

using namespace Velmora;

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kSide = 128;
constexpr int kWaves = 40;
constexpr int kShards = 1000;
constexpr int kFrames = 300;
// The view's centre: the middle of the level, where the waves and shards are.
constexpr double kCentre = kSide * 32.0 / 2.0;

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

// Processor seconds of the whole process, the rasteriser's threads included. The machine is
// shared, so wall times swing with the load; this does not.
double ProcessSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

// Draws what the play screen draws: the level, its entities, particles and waves in the world
// pass, the HUD in the overlay.
class PlayFrame : public ISystem {
public:
    void HandleMessage(Message& message) override {
        if (auto* world = MessageCast<Graphics::MessageRenderWorld>(message)) {
            Logic::LogicManager::GetInstance().RenderWorld(*world->mRenderer);
        } else if (auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
            mHud.Draw(*overlay->mRenderer, kWidth, kHeight, {12.34, true, Logic::kSoundGun, 0.4, 1.0, 0.4, 0.3});
        }
    }

private:
    Logic::Hud mHud;
};

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

Vector2 FloorPointInView(const Logic::Level& level, Random& random) {
    for (;;) {
        const int x = kSide / 2 - 15 + random.Below(30), y = kSide / 2 - 9 + random.Below(18);
        if (level.GetCellFlags(x, y) == 0) return {32.0 * x + 16.0, 32.0 * y + 16.0};
    }
}

void TopUpWaves(const Logic::Level& level, Random& random) {
    EntityManager::GetInstance().DestroyPending();
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    for (size_t live = TComponent<Logic::ComponentSoundwave>::GetInstances().size(); live < kWaves; ++live) {
        const double angle = random.Uniform(0.0, 6.283185);
        const bool fan = random.Below(2) == 0;
        logic.CreateSoundwave(fan ? Logic::kSound : Logic::kWhite, FloorPointInView(level, random), 3.0,
                              Vector2(std::cos(angle), std::sin(angle)), fan ? 60.0 : 360.0);
    }
}

void TopUpShards(const Logic::Level& level, Random& random) {
    Logic::ParticleManager& particles = Logic::ParticleManager::GetInstance();
    while (particles.GetCount() < kShards) particles.EmitGlassBurst(FloorPointInView(level, random));
}

// The window, the content and the frame's drawer, set up once.
Random& SetUpScene() {
    static Random random(99);
    static const bool ready = [] {
        setenv("SDL_VIDEO_CENTERED", "1", 1);
        Game& game = Game::GetInstance();
        game.SetRootPath(FindRootPath(ProgramPath(), IsDirectory));
        // A new connection to Xvfb is now and then reset during its handshake: try again.
        int started = -1;
        for (int attempt = 0; attempt < 5 && started != 0; ++attempt) started = SDL_Init(SDL_INIT_VIDEO);
        if (started != 0) return false;
        game.mInitialized = true;  // the managers the graphics manager adds initialise at once
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        graphics.Initialize();
        if (graphics.GetCurrentMode() != Graphics::VideoMode{kWidth, kHeight, true}) {
            graphics.SetVideoMode({kWidth, kHeight, false});
        }
        game.AddSystem(&Logic::LogicManager::GetInstance());
        game.AddSystem(&Logic::ParticleManager::GetInstance());
        game.AddSystem(new PlayFrame());
        Logic::ParticleManager::GetInstance().Initialize();
        Logic::TileManager::GetInstance().LoadCatalogue(game.DataPath("misc", "tiles.xml"), [](const std::string& name) {
            return Graphics::TextureManager::GetInstance().GetTexture(name);
        });
        ComponentFactory::GetInstance().Register<Graphics::ComponentTransform>();
        ComponentFactory::GetInstance().Register<Logic::ComponentSoundwave>();
        Factory::GetInstance().LoadArchetype("soundwave", game.DataPath("object", "soundwave.xml"), false);
        BuildLevel();
        graphics.GetView().SetZoom(graphics.mScaleFactor);
        graphics.GetView().SetPosition(kCentre, kCentre);
        return true;
    }();
    if (!ready) {
        std::fprintf(stderr, "no display: %s\n", SDL_GetError());
        std::abort();
    }
    return random;
}

// One logic tick of the scene, with spent waves and shards replaced.
void Advance(Random& random) {
    const Logic::Level& level = *Logic::LogicManager::GetInstance().GetLevel();
    TopUpWaves(level, random);
    TopUpShards(level, random);
    MessageUpdateLogic tick(1.0 / 60.0);
    Game::GetInstance().SendMessage(tick);
    EntityManager::GetInstance().SendToAll(tick);
}

std::map<bool, double> sFramesPerSecond;

void BM_PlayFrame(benchmark::State& state) {
    Random& random = SetUpScene();
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    const bool bloom = state.range(0) != 0;
    if (bloom) graphics.GetBloom().Setup(kWidth, kHeight);
    else graphics.GetBloom().Release();
    // Settle the eased glow values and warm the rasteriser's shader cache.
    for (int i = 0; i < 40; ++i) graphics.Render(1.0 / 60.0);
    double total = 0.0, processor = 0.0;
    for (auto _ : state) {
        Advance(random);
        const double start = Now(), startProcessor = ProcessSeconds();
        graphics.Render(1.0 / 60.0);
        const double elapsed = Now() - start;
        processor += ProcessSeconds() - startProcessor;
        total += elapsed;
        state.SetIterationTime(elapsed);
    }
    const double frames = static_cast<double>(state.iterations());
    const double fps = frames / total;
    sFramesPerSecond[bloom] = fps;
    state.counters["frames_per_second"] = fps;
    state.counters["cpu_ms_per_frame"] = processor / frames * 1e3;
    state.counters["bloom_enabled"] = graphics.GetBloom().IsEnabled();
    if (bloom && sFramesPerSecond.count(false)) {
        state.counters["bloom_share_of_fps"] = 1.0 - fps / sFramesPerSecond[false];
        state.counters["bloom_ms_per_frame"] = (1.0 / fps - 1.0 / sFramesPerSecond[false]) * 1e3;
    }
}
BENCHMARK(BM_PlayFrame)->Arg(0)->Arg(1)->Iterations(kFrames)->UseManualTime()->Unit(benchmark::kMillisecond);

// Runs one pass and waits for the rasteriser; its seconds are added to `sum`.
template <class Pass>
void TimePass(double& sum, Pass pass) {
    const double start = ProcessSeconds();
    pass();
    glFinish();
    sum += ProcessSeconds() - start;
}

void BM_BloomPasses(benchmark::State& state) {
    Random& random = SetUpScene();
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    Graphics::Bloom& bloom = graphics.GetBloom();
    bloom.Setup(kWidth, kHeight);
    for (int i = 0; i < 40; ++i) bloom.Update({1.5f, -1.0f, 0.5f, 0.5f, 1.2f});
    double blur[Graphics::Bloom::kLevels] = {}, down[Graphics::Bloom::kLevels] = {}, combine = 0.0, world = 0.0;
    for (auto _ : state) {
        Advance(random);
        graphics.ResetState();
        graphics.GetView().ApplyView();
        TimePass(world, [&] {
            bloom.BeginCapture();
            Graphics::MessageRenderWorld message(&graphics.GetRenderer());
            Game::GetInstance().SendMessage(message);
            graphics.GetRenderer().Flush();
            bloom.GetTargetStack().Pop();
        });
        const double start = Now();
        TimePass(blur[0], [&] { bloom.BlurLevel(0); });
        for (int k = 1; k < Graphics::Bloom::kLevels; ++k) {
            TimePass(down[k], [&] { bloom.Downsample(k); });
            TimePass(blur[k], [&] { bloom.BlurLevel(k); });
        }
        TimePass(combine, [&] { bloom.Combine(); });
        state.SetIterationTime(Now() - start);
        graphics.GetRenderer().Clear();
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["world_ms"] = world / frames * 1e3;
    for (int k = 0; k < Graphics::Bloom::kLevels; ++k) {
        state.counters["blur" + std::to_string(k) + "_ms"] = blur[k] / frames * 1e3;
        if (k > 0) state.counters["down" + std::to_string(k) + "_ms"] = down[k] / frames * 1e3;
    }
    state.counters["combine_ms"] = combine / frames * 1e3;
}
BENCHMARK(BM_BloomPasses)->Iterations(kFrames)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
