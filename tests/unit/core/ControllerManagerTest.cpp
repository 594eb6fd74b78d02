// The controller manager with a fake pad: the dead zones, steering the player, the rumble ramp
// and its suppression, and feeding the menus.
#include "unit/logic/GameFixtures.h"

#include "game/ComponentPlayer.h"
#include "game/ControllerManager.h"
#include "graphics/GraphicsManager.h"
#include "interface/WidgetRoot.h"
#include "support/FakePad.h"
#include "unit/interface/WidgetTestSupport.h"

#include <SDL.h>

#include <numbers>

namespace Velmora::Tests {
namespace {

class ControllerManagerTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        // An 800 × 600 window showing 512 × 384 world units centred on (500, 400).
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        mSavedScreen = graphics.mScreen;
        mWindow = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0, 0, 0, 0);
        ASSERT_NE(mWindow, nullptr);
        graphics.mScreen = mWindow;
        graphics.GetView().SetWindowSize(800, 600);
        graphics.GetView().SetZoom(12);
        graphics.GetView().SetPosition(500, 400);
        mControllers.SetPad(&mPad);
        mControllers.Initialize();
    }
    void TearDown() override {
        Graphics::GraphicsManager::GetInstance().mScreen = mSavedScreen;
        SDL_FreeSurface(mWindow);
        PlayTest::TearDown();
    }

    Logic::ComponentPlayer* MakePlayer() {
        Entity* player = Spawn("player", {500, 400});
        return player->GetComponent<Logic::ComponentPlayer>();
    }

    void Poll(int times = 1) {
        for (int i = 0; i < times; ++i) {
            MessageUpdateLoop loop(0.016);
            mControllers.HandleMessage(loop);
        }
    }

    FakePad mPad;
    ControllerManager mControllers;
    SDL_Surface* mWindow = nullptr;
    SDL_Surface* mSavedScreen = nullptr;
};

TEST_F(ControllerManagerTest, StickDeadZoneIsTestedOnEachAxis) {
    Logic::ComponentPlayer* player = MakePlayer();
    const struct {
        int16_t mX;
        int16_t mY;
        bool mActive;
    } cases[] = {{10000, 10000, false}, {10001, 0, true}, {0, -10001, true}};
    for (const auto& c : cases) {
        mPad.mState.mThumbLX = c.mX;
        mPad.mState.mThumbLY = c.mY;
        player->mVelocity = {1, 1};
        Poll();
        EXPECT_EQ(mControllers.mStickActive, c.mActive) << c.mX << "," << c.mY;
        // Inside the dead zone the pad stops the player.
        EXPECT_EQ(player->mVelocity.Length() > 1.0, c.mActive) << c.mX << "," << c.mY;
    }
    // The right stick aims only beyond the dead zone, on either axis.
    auto* transform = player->mTransform;
    transform->mDirection = {0, 1};
    mPad.mState.mThumbLX = mPad.mState.mThumbLY = 0;
    mPad.mState.mThumbRX = 9999;
    mPad.mState.mThumbRY = -9999;
    Poll();
    EXPECT_EQ(transform->mDirection, Vector2(0, 1));
    mPad.mState.mThumbRX = 0;
    mPad.mState.mThumbRY = -10001;
    Poll();
    EXPECT_EQ(transform->mDirection, Vector2(0, -1));
}

TEST_F(ControllerManagerTest, LeftStickWalksTowardsItsWindowPointAtHalfSpeedWhileCharging) {
    Logic::ComponentPlayer* player = MakePlayer();
    const double speed = Logic::LogicManager::GetInstance().mPlayerMoveSpeed;
    mPad.mState.mThumbLX = 32767; // the window point (1200, 300): straight right of the player
    Poll();
    EXPECT_EQ(mControllers.mLeftStickPoint, Vector2(1200, 300));
    EXPECT_EQ(player->mVelocity, Vector2(speed, 0));
    EXPECT_EQ(player->mTransform->mDirection, Vector2(1, 0));
    mPad.mState.mThumbLX = 0;
    mPad.mState.mThumbLY = -20000;
    mPad.mState.mRightTrigger = 1;
    Poll();
    EXPECT_NEAR(player->mVelocity.x, 0.0, 1e-9);
    EXPECT_NEAR(player->mVelocity.y, -speed / 2, 1e-9);
    mPad.mState.mThumbLY = 0; // released: the pad stops the player
    Poll();
    EXPECT_EQ(player->mVelocity, Vector2());
    EXPECT_FALSE(mControllers.mStickActive);
}

TEST_F(ControllerManagerTest, RumbleRampsToItsCeilingIsHeldBackWhileSuppressedAndStopsOnRelease) {
    MakePlayer();
    mPad.mState.mRightTrigger = 255;
    Poll();
    EXPECT_EQ(mPad.LastVibration(), (std::pair<uint16_t, uint16_t>{120, 120}));
    EXPECT_TRUE(mControllers.mCharging);
    mControllers.mRumbleSuppressed = true;
    Poll(50);
    EXPECT_EQ(mPad.mVibrations.size(), 51u);
    EXPECT_EQ(mPad.LastVibration(), (std::pair<uint16_t, uint16_t>{0, 0}));
    // Play resumes with the trigger still held: the ramp it kept counting applies again.
    mControllers.mRumbleSuppressed = false;
    Poll();
    EXPECT_EQ(mPad.LastVibration(), (std::pair<uint16_t, uint16_t>{6240, 6240}));
    Poll(150);
    EXPECT_EQ(mPad.LastVibration(), (std::pair<uint16_t, uint16_t>{16000, 16000}));
    mPad.mState.mRightTrigger = 0;
    Poll();
    EXPECT_EQ(mPad.LastVibration(), (std::pair<uint16_t, uint16_t>{0, 0}));
    EXPECT_FALSE(mControllers.mCharging);
}

TEST_F(ControllerManagerTest, TheMenusReadThePadThroughTheProviderItInstalls) {
    mPad.mState.mThumbLY = 32767;
    mPad.mState.mButtons = kPadB | kPadStart | kPadDpadLeft;
    Poll();
    Interface::PadInput menu = mControllers.GetMenuPadInput();
    EXPECT_TRUE(menu.mConnected);
    EXPECT_NEAR(menu.mStickAngle, std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(menu.mStickMagnitude, 32767.0 / 35535.0, 1e-9);
    EXPECT_TRUE(menu.mBPressed && menu.mStartPressed && menu.mStartDown && menu.mDpadLeftPressed);
    EXPECT_FALSE(menu.mAPressed || menu.mDpadUpPressed || menu.mDpadRightPressed);
    Poll(); // still held: pressed only once, but Start is reported while held
    menu = mControllers.GetMenuPadInput();
    EXPECT_FALSE(menu.mBPressed || menu.mStartPressed || menu.mDpadLeftPressed);
    EXPECT_TRUE(menu.mStartDown);

    Interface::Tests::RootFixture fixture;
    auto* widget =
        fixture.mRoot.Add(std::make_unique<Interface::Tests::FixedWidget>(10, 10, Interface::Widget::kFocusable));
    fixture.mRoot.Update(0.0);
    ASSERT_EQ(fixture.mRoot.GetFocus(), widget);
    mPad.mState.mButtons = kPadA;
    Poll();
    // HandleInput() without a pad state asks the installed provider: A went down, so the
    // focused widget is activated.
    EXPECT_TRUE(fixture.mRoot.HandleInput());
    const auto& events = static_cast<Interface::Tests::FixedWidget*>(widget)->mEvents;
    EXPECT_NE(std::find(events.begin(), events.end(), Interface::WidgetEvent::kActivate), events.end());
    // The provider leaves with the manager that installed it: no pad, nothing to do.
    {
        ControllerManager other;
        other.Initialize();
    }
    EXPECT_FALSE(fixture.mRoot.HandleInput());
}

} // namespace
} // namespace Velmora::Tests
