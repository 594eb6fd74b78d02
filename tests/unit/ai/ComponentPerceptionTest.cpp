#include "ai/PerceptionMessages.h"
#include "graphics/Batch.h"
#include "graphics/DebugDrawManager.h"
#include "graphics/Renderer.h"
#include "unit/ai/GuardFixtures.h"

#include <cmath>
#include <limits>

namespace Velmora::Tests {
namespace {

// Keeps the names (and ids) of the visibility messages its entity receives.
class ComponentSightLog : public Component, public TComponent<ComponentSightLog> {
    VELMORA_COMPONENT(ComponentSightLog)
public:
    using Component::Component;
    void HandleMessage(Message& message) override {
        if (const auto* visible = MessageCast<Ai::MessageEntityVisible>(message))
            mLines.push_back("visible " + std::to_string(visible->mId));
        if (const auto* hidden = MessageCast<Ai::MessageEntityHidden>(message))
            mLines.push_back("hidden " + std::to_string(hidden->mId));
        if (const auto* seen = MessageCast<Ai::MessageEntitySeen>(message))
            mLines.push_back("seen by " + std::to_string(seen->mId));
    }
    std::vector<std::string> mLines;
};

class PerceptionTest : public GuardTest {
protected:
    // Eyes at the origin facing +x: a 90° cone 100 long, an all-round radius of 20, an alert set
    // that differs; no ghost, so nothing reacts to what is seen.
    Entity* Eyes(const ValueList& data = {90, 100, 20, 120, 300, 40, Color::FromRgba(10, 20, 30)}) {
        auto* entity = new Entity(mNextId++);
        auto* transform = new Graphics::ComponentTransform(entity);
        transform->mDirection = {1, 0};
        auto* perception = new Ai::ComponentPerception(entity);
        ValueCursor cursor(data);
        perception->Load(cursor);
        entity->AddComponent(transform);
        entity->AddComponent(perception);
        entity->AddComponent(new ComponentSightLog(entity));
        entity->Spawn(nullptr);
        return entity;
    }
    static std::vector<std::string>& LinesOf(Entity* entity) {
        return entity->GetComponent<ComponentSightLog>()->mLines;
    }

    int mNextId = 3000000;
};

TEST_F(PerceptionTest, LoadsDegreesAsRadiansTheNormalSetAndAFixedAlpha) {
    UseLevel({"0 0", "0 0"});
    const Ai::ComponentPerception& eyes = EyesOf(Eyes());
    EXPECT_DOUBLE_EQ(eyes.mAlertFieldOfView, M_PI * 2 / 3);
    EXPECT_DOUBLE_EQ(eyes.mCurrentFieldOfView, M_PI / 2); // alert values loaded, normal set in force
    EXPECT_EQ(eyes.mCurrentSightRange, 100);
    EXPECT_EQ(eyes.mConeColor, 0x2F1E140Au);
    // Missing and mistyped values read as zeros, the colour as white under the fixed alpha.
    const Ai::ComponentPerception& blind = EyesOf(Eyes({"wide", 50}));
    EXPECT_EQ(blind.mCurrentFieldOfView, 0.0);
    EXPECT_EQ(blind.mCurrentSightRange, 50);
    EXPECT_EQ(blind.mConeColor, 0x2FFFFFFFu);
}

TEST_F(PerceptionTest, SeesWithinRangeInsideTheConeOrTheAllRoundRadiusAndNotThroughWalls) {
    // Cell (1, 0) is stone; everything else floor.
    UseLevel({"0 0 0 0 0 0", "0 0 0 0 0 0", "0 0 0 0 0 0", "0 1 0 0 0 0"});
    const Ai::ComponentPerception& eyes = EyesOf(Eyes());
    const Vector2 left = Vector2(1, 0).Rotated(M_PI / 4) * 64.0; // exactly on the cone's edges
    const Vector2 right = Vector2(1, 0).Rotated(-M_PI / 4) * 64.0;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        Vector2 mPoint;
        bool mVisible;
        const char* mWhy;
    } cases[] = {
        {{100, 40}, false, "in the cone but beyond the range (107.7)"},
        {{80, -60}, true, "exactly at the range, inside the cone"},
        {{80, -61}, false, "just beyond the range"},
        {{-16, 0}, true, "behind, within the all-round radius"},
        {{-24, 0}, false, "behind, beyond the all-round radius"},
        {{0, 20}, true, "beside, exactly on the all-round radius"},
        {left, false, "exactly on the left edge"},
        {right, false, "exactly on the right edge"},
        {{70, 16}, false, "behind the stone cell"},
        {{nan, 0}, false, "not a point"},
    };
    for (const auto& c : cases) EXPECT_EQ(eyes.IsVisible(c.mPoint), c.mVisible) << c.mWhy;
    // The stone cell hides even inside the all-round radius.
    Ai::ComponentPerception& wide = EyesOf(Eyes({90, 100, 80}));
    EXPECT_FALSE(wide.IsVisible({70, 16}));
    EXPECT_TRUE(wide.IsVisible({-70, 16}));
}

TEST_F(PerceptionTest, ReportsEachSightingOnceAndEachLossOnce) {
    UseLevel({"0 0 0 0 0 0", "0 0 0 0 0 0", "0 0 0 0 0 0", "0 0 0 0 0 0"});
    Entity* guard = Eyes();
    Entity* player = Place("player", {-50, 0}, {1, 0});
    const std::string id = std::to_string(player->GetId());
    const auto step = [&](int ticks) {
        for (int i = 0; i < ticks; ++i) {
            MessageUpdateLogic update(kTick);
            guard->HandleMessage(update);
        }
    };
    step(1);
    EXPECT_TRUE(LinesOf(guard).empty());
    PositionOf(player) = {50, 0};
    step(3);
    EXPECT_EQ(LinesOf(guard), std::vector<std::string>{"visible " + id});
    EXPECT_EQ(Logic::LogicManager::GetInstance().GetLevelCounters().mSeen, 1); // the player heard it once
    PositionOf(player) = {-50, 0};
    step(2);
    PositionOf(player) = {50, 0};
    step(1);
    EXPECT_EQ(LinesOf(guard), (std::vector<std::string>{"visible " + id, "hidden " + id, "visible " + id}));
    EXPECT_EQ(Logic::LogicManager::GetInstance().GetLevelCounters().mSeen, 2);
    // A seen entity that goes away is hidden at the next step, and the registry forgets it.
    player->Destroy();
    step(1);
    EXPECT_EQ(LinesOf(guard).back(), "hidden " + id);
    EXPECT_TRUE(Logic::LogicManager::GetInstance().GetVisibilityRegistry().GetVisible(guard->GetId()).empty());
}

TEST_F(PerceptionTest, OutlinesStopAtVisionBlockingCellsAndTheRearArcGoesRoundTheBack) {
    // A stone column at x 64..96 in front of the guard.
    UseLevel({"0 0 1 0 0", "0 0 1 0 0", "0 0 1 0 0", "0 0 1 0 0"});
    Entity* guard = Eyes();
    PositionOf(guard) = {16, 64};
    Ai::ComponentPerception& eyes = EyesOf(guard);
    eyes.RebuildOutlines();
    EXPECT_EQ(eyes.mConePoints[18], Vector2(64, 64)); // clipped where the wall begins
    for (const Vector2& point : eyes.mNearPoints) EXPECT_NEAR(Distance(point, {16, 64}), 20.0, 1e-9);
    EXPECT_NEAR(eyes.mNearPoints[0].y, 64 + 20 * std::sin(M_PI / 4), 1e-9);  // from the cone's left edge
    EXPECT_NEAR(eyes.mNearPoints[18].x, 16 - 20.0, 1e-9);                    // round the back
    EXPECT_NEAR(eyes.mNearPoints[36].y, 64 - 20 * std::sin(M_PI / 4), 1e-9); // to its right edge
}

TEST_F(PerceptionTest, DrawsAnAdditiveFanAtLayer600AndTheOverlayWhenItsSwitchIsOn) {
    UseLevel({"0 0 0 0 0 0", "0 0 0 0 0 0", "0 0 0 0 0 0", "0 0 0 0 0 0"});
    Entity* guard = Eyes();
    const Graphics::Batch& lines = Graphics::DebugDrawManager::GetInstance().GetLines();
    const auto draw = [&](bool perception) {
        Logic::LogicManager::GetInstance().mDebugPerception = perception;
        Graphics::Renderer renderer([](const Graphics::Batch&) {});
        const unsigned room = lines.GetRoom();
        EyesOf(guard).Draw(renderer);
        const Graphics::Batch& fan =
            renderer.GetBatch(Graphics::kPrimitiveTriangles, nullptr, 600, 4096, Graphics::kBlendAdditive);
        EXPECT_EQ(fan.GetRoom(), 4096u - 2 * 36 * 3); // the front arc and the rear arc
        EXPECT_EQ(fan.GetVertices()[0].mAlpha, 0x2F);
        return room - lines.GetRoom();
    };
    EXPECT_EQ(draw(false), 0u);
    EXPECT_GT(draw(true), 4u * 2); // two circles and two edge lines
    Logic::LogicManager::GetInstance().mDebugPerception = false;
}

} // namespace
} // namespace Velmora::Tests
