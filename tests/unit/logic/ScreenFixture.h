// Shared by the screen tests: a Game instance of its own driven frame by frame with synthetic
// input, a stand-in 1024 × 768 window, the game's real content (fonts, images) without GL, and a
// renderer that keeps each frame's batches for inspection.
#pragma once

#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/GameScreen.h"
#include "core/InputManager.h"
#include "game/ControllerManager.h"
#include "game/LogicManager.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Velmora::Tests {

/// A screen that records what reaches it, for putting under the screens being tested.
class DummyScreen : public GameScreen {
public:
    explicit DummyScreen(bool* deleted = nullptr) : mDeleted(deleted) {}
    ~DummyScreen() override {
        if (mDeleted) *mDeleted = true;
    }
    void HandleMessage(Message& message) override { mMessages.push_back(message.GetName()); }
    /// How many messages of that class arrived.
    int Count(const std::string& name) const {
        int count = 0;
        for (const std::string& m : mMessages) count += m == name;
        return count;
    }

    std::vector<std::string> mMessages;
    bool* mDeleted;
};

class ScreenFixture : public ::testing::Test {
protected:
    static constexpr int kWindowWidth = 1024;
    static constexpr int kWindowHeight = 768;

    void SetUp() override {
        mSavedRoot = Game::GetInstance().GetRootPath();
        Game::GetInstance().SetRootPath(SourceDir());
        Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
        for (const char* font : {"default", "menu", "menu_small"}) {
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

    static void ResetInput() {
        ControllerManager::GetInstance().mState = PadState();
        ControllerManager::GetInstance().mPreviousState = PadState();
        InputManager& input = InputManager::GetInstance();
        for (int key = 0; key < InputManager::kKeyCount; ++key) input.SetKey(key, false);
        for (int button = 1; button <= 5; ++button) input.SetButton(button, false);
        input.SetMousePosition(-100.0, -100.0);
        input.Snapshot();
        input.Snapshot();
    }

    /// One frame as the main loop runs it: the update with dt, the world and overlay passes into
    /// mRenderer (its batches keep what this frame drew), the screen changes, the input snapshot.
    void Frame(double dt = 1.0 / 60.0) {
        MessageUpdateLoop update(dt);
        mGame.SendMessage(update);
        mRenderer.Clear();
        Graphics::MessageRenderWorld world(&mRenderer);
        mGame.SendMessage(world);
        Graphics::MessageRenderOverlay overlay(&mRenderer);
        mGame.SendMessage(overlay);
        mGame.ProcessScreenChanges();
        InputManager::GetInstance().Snapshot();
    }
    /// Frames of dt until `seconds` have passed.
    void Run(double seconds, double dt = 1.0 / 60.0) {
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
    /// The vertices drawn this frame on a layer, over all its batches.
    unsigned VerticesOnLayer(int layer) const {
        unsigned count = 0;
        for (const auto& [key, batch] : mRenderer.GetBatches()) count += key.mLayer == layer ? batch->mCount : 0;
        return count;
    }

    Game mGame;
    Graphics::Renderer mRenderer{[](const Graphics::Batch&) {}};
    SDL_Surface* mWindow = nullptr;
    std::string mSavedRoot;
    int mMenuCountBefore = 0;
};

} // namespace Velmora::Tests
