#include "debug/TweakBarManager.h"
#include "debug/TweakBarWindow.h"

#include <gtest/gtest.h>

namespace Velmora::Debug {
namespace {

std::vector<std::string> Keys(const TweakBarWindow::Group& group) {
    std::vector<std::string> keys;
    for (const TweakBarWindow::Entry& entry : group.second) keys.push_back(*entry.mKey);
    return keys;
}

TEST(TweakBarWindow, GroupsFollowTheirFirstKeyUngroupedComeFirst) {
    TweakBar bar("Test");
    bool flag = false;
    double value = 0.0;
    bar.AddVariable("Physics/mNoclip", "group=Physics label='Noclip'", TweakType::kBool, &flag);
    bar.AddVariable("Debug/Player", "group='Debug Draw' label='Player'", TweakType::kBool, &flag);
    bar.AddVariable("Graphics/DrawPerf", "group=Debug label=Performance", TweakType::kBool, &flag);
    bar.AddVariable("Physics/mFPMDrawOn", "group='Debug Draw' label='Player Col. Map'", TweakType::kBool, &flag);
    bar.AddVariable("Loose", "label='No group'", TweakType::kDouble, &value);

    const std::vector<TweakBarWindow::Group> groups = TweakBarWindow::GroupVariables(bar);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].first, "");
    EXPECT_EQ(Keys(groups[0]), std::vector<std::string>{"Loose"});
    EXPECT_EQ(groups[1].first, "Debug Draw"); // "Debug/Player" is the first key
    EXPECT_EQ(Keys(groups[1]), (std::vector<std::string>{"Debug/Player", "Physics/mFPMDrawOn"}));
    EXPECT_EQ(groups[2].first, "Debug");
    EXPECT_EQ(groups[3].first, "Physics");
    EXPECT_EQ(groups[1].second[1].mDefinition.mLabel, "Player Col. Map");
    EXPECT_EQ(groups[1].second[1].mVariable->mAddress, &flag);
}

TEST(TweakBarWindow, DragSpeedAndPrecisionComeFromTheDefinition) {
    const auto speed = [](const char* definition, bool isInt) {
        return TweakBarWindow::DragSpeed(ParseTweakDefinition(definition), isInt);
    };
    EXPECT_DOUBLE_EQ(speed("min=1.0 max=30.0 step=.5", false), 0.5);
    EXPECT_DOUBLE_EQ(speed("min=1 max=201", true), 0.4); // a five-hundredth of the range
    EXPECT_DOUBLE_EQ(speed("label='Direction Angle'", false), 0.1);
    EXPECT_DOUBLE_EQ(speed("min=2.0", true), 0.2);
    EXPECT_DOUBLE_EQ(speed("step=-1 min=0 max=0", false), 0.1); // nonsense steps fall back
    EXPECT_DOUBLE_EQ(speed("min=-inf max=inf", false), 0.1);

    const auto format = [](const char* definition) {
        return TweakBarWindow::DoubleFormat(ParseTweakDefinition(definition));
    };
    EXPECT_EQ(format("step=0.01"), "%.2f");
    EXPECT_EQ(format("step=.5"), "%.1f");
    EXPECT_EQ(format("step=2.0"), "%.1f");
    EXPECT_EQ(format("step=1e-9"), "%.6f");
    EXPECT_EQ(format("min=1"), "%.3f");
}

TEST(TweakBarManager, IgnoresEventsUntilThePanelsExist) {
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    EXPECT_FALSE(TweakBarManager::GetInstance().HandleEvent(click));
    TweakBarManager::GetInstance().Draw(); // no GL context: nothing happens
}

} // namespace
} // namespace Velmora::Debug
