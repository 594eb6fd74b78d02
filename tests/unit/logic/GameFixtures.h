// Shared by the entity, world, screen and play tests: the game's factory with the real
// archetypes, a level made current, a recorder of broadcasts, a clean logic manager and world,
// and a screen stack driven frame by frame with synthetic input in a stand-in 1024 × 768 window
// (real fonts, images and tiles, no GL; the renderer keeps each frame's batches).
#pragma once

#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/GameScreen.h"
#include "core/ISystem.h"
#include "core/InputManager.h"
#include "game/AchievementManager.h"
#include "game/ComponentPlayer.h"
#include "game/ComponentSoundwave.h"
#include "game/ControllerManager.h"
#include "game/LogicManager.h"
#include "game/ParticleManager.h"
#include "graphics/ComponentSprite.h"
#include "graphics/ComponentTransform.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"
#include "physics/BodyMessages.h"
#include "physics/ComponentBody.h"
#include "screens/PlayScreen.h"
#include "support/TestSupport.h"
#include "unit/logic/WorldFixtures.h"
#include "world/LevelFile.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace Velmora::Tests {

/// Appended to the game's systems while alive: keeps the name of every broadcast and passes
/// each to the callback the test installs.
class BroadcastRecorder : public ISystem {
public:
    BroadcastRecorder() { Game::GetInstance().mSystems.push_back(this); }
    ~BroadcastRecorder() override {
        auto& systems = Game::GetInstance().mSystems;
        systems.erase(std::remove(systems.begin(), systems.end(), this), systems.end());
    }
    void HandleMessage(Message& message) override {
        mNames.push_back(message.GetName());
        if (mOnMessage) mOnMessage(message);
    }
    int Count(const std::string& name) const {
        return static_cast<int>(std::count(mNames.begin(), mNames.end(), name));
    }

    std::vector<std::string> mNames;
    std::function<void(Message&)> mOnMessage;
};

/// A screen that records what reaches it, to stand below or above the screens being tested.
class DummyScreen : public GameScreen {
public:
    explicit DummyScreen(bool* deleted = nullptr) : mDeleted(deleted) {}
    ~DummyScreen() override {
        if (mDeleted) *mDeleted = true;
    }
    void HandleMessage(Message& message) override { mMessages.push_back(message.GetName()); }
    int Count(const std::string& name) const {
        return static_cast<int>(std::count(mMessages.begin(), mMessages.end(), name));
    }

    std::vector<std::string> mMessages;
    bool* mDeleted;
};

/// Registers the gameplay components and loads the archetypes play tests build (once).
inline void LoadPlayArchetypes() {
    static const bool loaded = [] {
        ComponentFactory& components = ComponentFactory::GetInstance();
        components.Register<Graphics::ComponentTransform>();
        components.Register<Graphics::ComponentSprite>();
        components.Register<Physics::ComponentBody>();
        Logic::LogicManager::RegisterComponents(components);
        for (const char* name :
             {"player", "gun_sound", "gun_white", "gun_shock", "briefcase", "generator", "waypoint", "soundwave"}) {
            Factory::GetInstance().LoadArchetype(name, SourceDir() + "/data/object/" + name + ".xml", false);
        }
        return true;
    }();
    (void)loaded;
}

inline void ClearEntities() {
    EntityManager& entities = EntityManager::GetInstance();
    for (Entity* entity = entities.GetFirst(); entity; entity = entity->GetNext()) entity->Destroy();
    entities.DestroyPending();
}

/// The components and the content's archetype a sound wave is built from (registered once each).
inline void InstallSoundwaveArchetype() {
    ComponentFactory& components = ComponentFactory::GetInstance();
    components.Register<Graphics::ComponentTransform>();
    components.Register<Physics::ComponentBody>();
    components.Register<Logic::ComponentSoundwave>();
    Factory& factory = Factory::GetInstance();
    if (!factory.FindArchetype("soundwave")) {
        factory.LoadArchetype("soundwave", SourceDir() + "/data/object/soundwave.xml", false);
    }
}

/// Makes a level of the content catalogue (rows top first) the logic manager's current level,
/// without beginning it; returns it.
inline Logic::Level& UseLevel(const std::vector<std::string>& topFirst) {
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    logic.SetLevel(MakeLevel(topFirst));
    return *logic.GetLevel();
}

/// No level, entities or particles, and the level counters and sound-wave tweaks at their defaults.
inline void ResetWorld() {
    Logic::LogicManager& logic = Logic::LogicManager::GetInstance();
    logic.SetLevel(nullptr);
    logic.ResetLevelCounters();
    ClearEntities();
    Logic::ParticleManager::GetInstance().Clear();
    logic.mSoundwaveSpeed = 200.0;
    logic.mSoundwaveLifetime = 80.0;
    logic.mSoundwaveSpread = 10.0;
    logic.mSoundwaveSplitFactor = 2.0;
    logic.mSoundwaveColEnergyLoss = 0.0;
    logic.mDebugSoundwave = false;
}

/// The game's singletons the fixtures reset between tests, reachable from any test's namespace.
struct GameState {
    static Game& TheGame() { return Game::GetInstance(); }
    static EntityManager& Entities() { return EntityManager::GetInstance(); }
    static Logic::LogicManager& Logic() { return Logic::LogicManager::GetInstance(); }

    /// The end of a frame: entities destroyed during it are deleted.
    static void EndFrame() {
        MessageEndFrame end;
        Entities().HandleMessage(end);
    }

    /// The logic manager as a fresh game has it: no level, zero counters, the default tunables.
    static void ResetLogic() {
        Logic::LogicManager& logic = Logic();
        logic.UnloadLevel();
        logic.GetGameCounters() = Logic::GameCounters();
        logic.ResetLevelCounters();
        logic.ClearNotifications();
        logic.mShowCreditsAtEnd = true;
        logic.mTimeIncrement = 60;
        logic.mSoundwaveStepPeriod = 0.32;
        logic.mDebugPlayer = false;
    }
};

/// Entities built by the game's factory in a room of floor walled round, driven tick by tick.
class PlayTest : public ::testing::Test, public GameState {
protected:
    void SetUp() override {
        LoadPlayArchetypes();
        ContentTiles();
        ResetLogic();
        mLevel =
            MakeLevel({"1 1 1 1 1 1 1 1", "1 0 0 0 0 0 0 1", "1 0 0 0 0 0 0 1", "1 0 0 0 0 0 0 1", "1 1 1 1 1 1 1 1"});
    }

    void TearDown() override {
        ResetLogic();
        ClearEntities();
    }

    /// An entity of the archetype at a position (facing up), as a level spawns it.
    Entity* Spawn(const std::string& archetype, Vector2 position, const ValueList* data = nullptr) {
        Entity* entity = Factory::GetInstance().Create(archetype, data);
        EXPECT_NE(entity, nullptr) << archetype;
        if (!entity) return nullptr;
        auto* transform = entity->GetComponent<Graphics::ComponentTransform>();
        transform->mPosition = position;
        transform->mDirection = {0, 1};
        return entity;
    }

    static void Tick(Entity& entity, double dt) {
        MessageUpdateLogic update(dt);
        entity.HandleMessage(update);
    }

    /// A contact as a moving body reports it: to the mover first, then to the other.
    static void Touch(Entity& mover, Entity& other) {
        Physics::MessageBodyCollision contact(mover.GetId(), other.GetId());
        mover.HandleMessage(contact);
        other.HandleMessage(contact);
    }

    /// The sound waves alive now, by creation (entity id) order.
    static std::vector<Logic::ComponentSoundwave*> Waves() {
        std::vector<Logic::ComponentSoundwave*> waves;
        for (Logic::ComponentSoundwave* wave : Logic::ComponentSoundwave::GetInstances()) {
            if (!wave->mOwner->IsDestroyed()) waves.push_back(wave);
        }
        std::sort(waves.begin(), waves.end(),
                  [](const auto* a, const auto* b) { return a->mOwner->GetId() < b->mOwner->GetId(); });
        return waves;
    }

    LogCapture mLog;
    BroadcastRecorder mBroadcasts;
    std::unique_ptr<Logic::Level> mLevel;
};

/// A screen stack (a Game of its own unless one is given) driven frame by frame.
class ScreenFixture : public ::testing::Test, public GameState {
protected:
    static constexpr int kWindowWidth = 1024;
    static constexpr int kWindowHeight = 768;
    static constexpr double kFrame = 1.0 / 60.0;

    explicit ScreenFixture(Game* game = nullptr) : mGame(game ? *game : mOwnGame.emplace()) {}

    void SetUp() override {
        mSavedRoot = Game::GetInstance().GetRootPath();
        Game::GetInstance().SetRootPath(SourceDir());
        Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
        for (const char* font : {"default", "menu", "menu_small", "digital"}) {
            if (!fonts.HasFont(font)) {
                ASSERT_TRUE(fonts.LoadFont(font)) << font;
            }
        }
        mWindow = SDL_CreateRGBSurface(SDL_SWSURFACE, kWindowWidth, kWindowHeight, 32, 0xFF, 0xFF00, 0xFF0000, 0);
        ASSERT_NE(mWindow, nullptr);
        Graphics::GraphicsManager::GetInstance().mScreen = mWindow;
        ResetInput();
        mMenuCountBefore = Logic::LogicManager::GetInstance().mMenuScreenCount;
    }

    void TearDown() override {
        ClearStack();
        EXPECT_EQ(Logic::LogicManager::GetInstance().mMenuScreenCount, mMenuCountBefore)
            << "every menu screen takes back its count when it leaves";
        Graphics::GraphicsManager::GetInstance().mScreen = nullptr;
        SDL_FreeSurface(mWindow);
        ResetInput();
        Game::GetInstance().SetRootPath(mSavedRoot);
    }

    /// Empties the stack, including screens that leaving screens push (the intro pushes the menu).
    void ClearStack() {
        for (int round = 0; round < 8 && (!mGame.GetScreens().empty() || !mGame.mScreensToAdd.empty()); ++round) {
            mGame.RemoveAllScreens();
            mGame.ProcessScreenChanges();
        }
        ASSERT_TRUE(mGame.GetScreens().empty());
    }

    /// No key, button or pad input, the pointer at (x, y) (off the window by default).
    static void ResetInput(double x = -100.0, double y = -100.0) {
        ControllerManager::GetInstance().mState = PadState();
        ControllerManager::GetInstance().mPreviousState = PadState();
        InputManager& input = InputManager::GetInstance();
        for (int key = 0; key < InputManager::kKeyCount; ++key) input.SetKey(key, false);
        for (int button = 1; button <= 5; ++button) input.SetButton(button, false);
        input.SetMousePosition(x, y);
        input.Snapshot();
        input.Snapshot();
    }

    /// One frame as the main loop runs it: the update, the world and overlay passes into mRenderer
    /// (whose batches keep this frame), the end of the frame, the screen changes and input snapshot.
    void Frame(double dt = kFrame) {
        MessageUpdateLoop update(dt);
        mGame.SendMessage(update);
        mRenderer.Clear();
        Graphics::MessageRenderWorld world(&mRenderer);
        mGame.SendMessage(world);
        Graphics::MessageRenderOverlay overlay(&mRenderer);
        mGame.SendMessage(overlay);
        EndFrame();
        mGame.ProcessScreenChanges();
        InputManager::GetInstance().Snapshot();
    }
    void Frames(int count, double dt = kFrame) {
        for (int i = 0; i < count; ++i) Frame(dt);
    }
    /// Frames of dt until `seconds` have passed.
    void Run(double seconds, double dt = kFrame) {
        for (double t = 0.0; t < seconds - 1e-9; t += dt) Frame(dt);
    }
    /// A key pressed in one frame and released before the next.
    void Tap(int key) {
        InputManager::GetInstance().SetKey(key, true);
        Frame();
        InputManager::GetInstance().SetKey(key, false);
        Frame();
    }
    /// Pushes a screen and lets it enter the stack.
    template <class T>
    T* Push(T* screen) {
        mGame.PushScreen(screen);
        mGame.ProcessScreenChanges();
        return screen;
    }
    template <class T>
    T* Top() {
        return dynamic_cast<T*>(mGame.GetTopScreen());
    }

    std::optional<Game> mOwnGame;
    Game& mGame;
    Graphics::Renderer mRenderer{[](const Graphics::Batch&) {}};
    SDL_Surface* mWindow = nullptr;
    std::string mSavedRoot;
    int mMenuCountBefore = 0;
};

/// The play screen on the game's own stack (the logic manager broadcasts through it), with the
/// play archetypes, a clean logic manager, and small campaigns written into temporary folders.
class PlayScreenTest : public ScreenFixture {
protected:
    PlayScreenTest() : ScreenFixture(&Game::GetInstance()) {}

    void SetUp() override {
        LoadPlayArchetypes();
        ContentTiles();
        ScreenFixture::SetUp();
        Graphics::GraphicsManager::GetInstance().GetView().SetWindowSize(kWindowWidth, kWindowHeight);
        ResetInput(kWindowWidth / 2.0, kWindowHeight / 2.0);
        ResetLogic();
        Logic::AchievementManager::GetInstance().Initialize();
    }

    void TearDown() override {
        ClearStack();
        ResetLogic();
        ClearEntities();
        ScreenFixture::TearDown();
        std::error_code ignored;
        for (const std::string& dir : mTempDirs) std::filesystem::remove_all(dir, ignored);
    }

    /// A campaign folder of its own (an absolute id replaces the data path) with the levels
    /// given as (name, file text).
    std::string WriteCampaign(const std::vector<std::pair<std::string, std::string>>& levels) {
        const std::string dir = MakeTempDir();
        mTempDirs.push_back(dir);
        std::string list;
        for (const auto& [name, text] : levels) {
            WriteFile(dir + "/" + name + ".xml", text);
            list += "<level>" + name + "</level>";
        }
        WriteFile(dir + "/campaign.xml", "<campaign><levels>" + list + "</levels></campaign>");
        return dir;
    }

    /// A small room: the player at cell (1, 1) facing right, floor to its right and the exit at
    /// cell (5, 1); optional extra entities (XML) are added to the spawn list.
    static std::string RoomLevel(const std::string& name, const std::string& extra = "") {
        return "<level><name>" + name +
            "</name><tilemap width='7' height='3'>"
            "1 1 1 1 1 1 1  1 0 0 0 0 8 1  1 1 1 1 1 1 1</tilemap>"
            "<entity><archetype>player</archetype><position x='48' y='48'/><direction x='1' y='0'/></entity>" +
            extra + "<medals gold='1' silver='2' bronze='3'/></level>";
    }

    /// Starts a campaign as the menu does (the stack replaced by a play screen) and lets the
    /// play screen enter the stack.
    Logic::PlayScreen* Start(const std::string& campaign) {
        Logic().StartCampaign(campaign, nullptr, TheGame());
        TheGame().ProcessScreenChanges();
        auto* play = Top<Logic::PlayScreen>();
        EXPECT_NE(play, nullptr);
        return play;
    }

    static Entity* Player() { return Logic().GetPlayer(); }
    static int LivePlayers() {
        int count = 0;
        for (Entity* entity = Entities().GetFirst(); entity; entity = entity->GetNext()) {
            count += !entity->IsDestroyed() && entity->GetComponent<Logic::ComponentPlayer>() != nullptr;
        }
        return count;
    }

    LogCapture mLog;
    BroadcastRecorder mMessages;
    std::vector<std::string> mTempDirs;
};

} // namespace Velmora::Tests
