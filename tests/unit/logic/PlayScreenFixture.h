// Shared by the play screen tests: the game's own Game instance (the logic manager broadcasts
// through it) driven frame by frame with synthetic input, a stand-in 1024 × 768 window, the
// game's real content (archetypes, tiles, fonts, images, the training campaign) without GL, and
// small campaigns written into temporary folders.
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
#include "game/LogicManager.h"
#include "graphics/ComponentSprite.h"
#include "graphics/ComponentTransform.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"
#include "physics/ComponentBody.h"
#include "screens/PlayScreen.h"
#include "support/TestSupport.h"
#include "unit/logic/PlayFixtures.h"
#include "unit/logic/WorldFixtures.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace Velmora::Tests {

/// A screen that does nothing, to stand in for menus below or above the play screen.
class StandInScreen : public GameScreen {};

/// Appended to the game's systems while alive: counts the broadcasts by name.
class MessageCounter : public ISystem {
public:
    MessageCounter() { Game::GetInstance().mSystems.push_back(this); }
    ~MessageCounter() override {
        auto& systems = Game::GetInstance().mSystems;
        systems.erase(std::remove(systems.begin(), systems.end(), this), systems.end());
    }
    void HandleMessage(Message& message) override { mNames.push_back(message.GetName()); }
    int Count(const std::string& name) const {
        return static_cast<int>(std::count(mNames.begin(), mNames.end(), name));
    }

    std::vector<std::string> mNames;
};

class PlayScreenTest : public ::testing::Test {
protected:
    static constexpr int kWindowWidth = 1024;
    static constexpr int kWindowHeight = 768;
    static constexpr double kFrame = 1.0 / 60.0;

    void SetUp() override {
        LoadPlayArchetypes();
        ContentTiles();
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
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        graphics.mScreen = mWindow;
        graphics.GetView().SetWindowSize(kWindowWidth, kWindowHeight);
        ResetInput();
        ResetLogic();
        AchievementManagerFor().Initialize();
    }

    void TearDown() override {
        ClearStack();
        ResetLogic();
        for (Entity* entity = Entities().GetFirst(); entity; entity = entity->GetNext()) entity->Destroy();
        EndFrame();
        Graphics::GraphicsManager::GetInstance().mScreen = nullptr;
        SDL_FreeSurface(mWindow);
        ResetInput();
        Game::GetInstance().SetRootPath(mSavedRoot);
        std::error_code ignored;
        for (const std::string& dir : mTempDirs) std::filesystem::remove_all(dir, ignored);
    }

    static Game& TheGame() { return Game::GetInstance(); }
    static EntityManager& Entities() { return EntityManager::GetInstance(); }
    static Logic::LogicManager& Logic() { return Logic::LogicManager::GetInstance(); }
    static Logic::AchievementManager& AchievementManagerFor() { return Logic::AchievementManager::GetInstance(); }

    static void ResetLogic() {
        Logic::LogicManager& logic = Logic();
        logic.UnloadLevel();
        logic.GetGameCounters() = Logic::GameCounters();
        logic.ResetLevelCounters();
        logic.ClearNotifications();
        logic.mShowCreditsAtEnd = true;
        logic.mTimeIncrement = 60;
        logic.mSoundwaveStepPeriod = 0.32;
    }

    static void ResetInput() {
        InputManager& input = InputManager::GetInstance();
        for (int key = 0; key < InputManager::kKeyCount; ++key) input.SetKey(key, false);
        for (int button = 1; button <= 5; ++button) input.SetButton(button, false);
        input.SetMousePosition(kWindowWidth / 2.0, kWindowHeight / 2.0);
        input.Snapshot();
        input.Snapshot();
    }

    static void EndFrame() {
        MessageEndFrame end;
        Entities().HandleMessage(end);
    }

    /// Empties the stack, including the menus that leaving screens push.
    static void ClearStack() {
        Game& game = TheGame();
        for (int round = 0; round < 8 && (!game.GetScreens().empty() || !game.mScreensToAdd.empty()); ++round) {
            game.RemoveAllScreens();
            game.ProcessScreenChanges();
        }
        ASSERT_TRUE(game.GetScreens().empty());
    }

    /// One frame as the main loop runs it: the update with dt, the world and overlay passes, the
    /// end of the frame (entities deleted), the screen changes and the input snapshot.
    void Frame(double dt = kFrame) {
        MessageUpdateLoop update(dt);
        TheGame().SendMessage(update);
        mRenderer.Clear();
        Graphics::MessageRenderWorld world(&mRenderer);
        TheGame().SendMessage(world);
        Graphics::MessageRenderOverlay overlay(&mRenderer);
        TheGame().SendMessage(overlay);
        EndFrame();
        TheGame().ProcessScreenChanges();
        InputManager::GetInstance().Snapshot();
    }
    void Frames(int count, double dt = kFrame) {
        for (int i = 0; i < count; ++i) Frame(dt);
    }
    /// A key pressed in one frame and released before the next.
    void Tap(int key) {
        InputManager::GetInstance().SetKey(key, true);
        Frame();
        InputManager::GetInstance().SetKey(key, false);
        Frame();
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
        auto* play = dynamic_cast<Logic::PlayScreen*>(TheGame().GetTopScreen());
        EXPECT_NE(play, nullptr);
        return play;
    }

    /// The live entities of an archetype's player component.
    static Entity* Player() { return Logic().GetPlayer(); }
    static int LivePlayers() {
        int count = 0;
        for (Entity* entity = Entities().GetFirst(); entity; entity = entity->GetNext()) {
            count += !entity->IsDestroyed() && entity->GetComponent<Logic::ComponentPlayer>() != nullptr;
        }
        return count;
    }

    template <class T>
    static T* Top() {
        return dynamic_cast<T*>(TheGame().GetTopScreen());
    }

    LogCapture mLog;
    MessageCounter mMessages;
    Graphics::Renderer mRenderer{[](const Graphics::Batch&) {}};
    SDL_Surface* mWindow = nullptr;
    std::string mSavedRoot;
    std::vector<std::string> mTempDirs;
};

} // namespace Velmora::Tests
