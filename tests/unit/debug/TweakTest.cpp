// The tweak panel's model: definitions, the variables that register themselves with the main
// panel, and how the panel window groups and steps them.
#include "debug/TweakBarManager.h"
#include "debug/TweakBarWindow.h"
#include "debug/TweakDefinition.h"
#include "debug/TweakVar.h"

#include <gtest/gtest.h>

namespace Velmora::Debug {
namespace {

TEST(TweakDefinition, SurvivesMalformedStrings) {
    const TweakDefinition odd = ParseTweakDefinition("  label='unterminated  min=abc = max= step");
    EXPECT_EQ(odd.mLabel, "unterminated  min=abc = max= step");
    const TweakDefinition junk = ParseTweakDefinition("min=abc max= =5 word");
    EXPECT_FALSE(junk.mMin.has_value());
    EXPECT_FALSE(junk.mMax.has_value());
}

TEST(TweakVar, RegistersWithTheMainPanelAndReadsThroughTheAddress) {
    static TweakVar<double> speed("Test/Speed", "group='Test' label='Speed' min=1.0", 200.0);
    static int level = 3;
    static TweakVar<int&> logLevel("Test/Level", "group='Debug' label='Log Level' min=1 max=9", level);

    const TweakBar::Variable* variable = TweakBarManager::GetInstance().FindVariable("Test/Speed");
    ASSERT_NE(variable, nullptr);
    EXPECT_EQ(variable->mType, TweakType::kDouble);
    *static_cast<double*>(variable->mAddress) = 120.0; // what the panel does on an edit
    EXPECT_DOUBLE_EQ(speed, 120.0);

    logLevel = 7;
    EXPECT_EQ(level, 7);
}

TEST(TweakVar, AShortLivedSecondOwnerLeavesTheFirstRegistrationActive) {
    static TweakVar<int> lasting("Test/Shared", "group='Test'", 1);
    {
        TweakVar<int> local("Test/Shared", "group='Test'", 2);
        EXPECT_EQ(TweakBarManager::GetInstance().FindVariable("Test/Shared")->mAddress, &local.mValue);
    }
    const TweakBar::Variable* variable = TweakBarManager::GetInstance().FindVariable("Test/Shared");
    ASSERT_NE(variable, nullptr);
    EXPECT_EQ(variable->mAddress, &lasting.mValue);
    { TweakVar<int> gone("Test/Alone", "group='Test'", 3); }
    EXPECT_EQ(TweakBarManager::GetInstance().FindVariable("Test/Alone"), nullptr);
}

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
    EXPECT_EQ(groups[3].first, "Physics");
    EXPECT_EQ(groups[1].second[1].mDefinition.mLabel, "Player Col. Map");
    EXPECT_EQ(groups[1].second[1].mVariable->mAddress, &flag);
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
