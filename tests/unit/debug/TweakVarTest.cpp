#include "debug/TweakBarManager.h"
#include "debug/TweakDefinition.h"
#include "debug/TweakVar.h"

#include <gtest/gtest.h>

namespace Velmora::Debug {
namespace {

TEST(TweakDefinition, ParsesQuotedAndBareValues) {
    const TweakDefinition scale = ParseTweakDefinition("group=Graphics label='Scale' min=1.0 max=30.0 step=.5");
    EXPECT_EQ(scale.mGroup, "Graphics");
    EXPECT_EQ(scale.mLabel, "Scale");
    EXPECT_DOUBLE_EQ(*scale.mMin, 1.0);
    EXPECT_DOUBLE_EQ(*scale.mMax, 30.0);
    EXPECT_DOUBLE_EQ(*scale.mStep, 0.5);

    // Quoted values with blanks are checked through TweakBarWindow's grouping; a missing bound stays unset.
    const TweakDefinition speed = ParseTweakDefinition("group='Player' label='Speed' min=2.0 step=2.0");
    EXPECT_DOUBLE_EQ(*speed.mMin, 2.0);
    EXPECT_FALSE(speed.mMax.has_value());
    EXPECT_EQ(ParseTweakDefinition("group=Debug label=Performance").mLabel, "Performance");
}

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
    EXPECT_EQ(speed.mBar, &TweakBarManager::GetInstance().GetMainBar());
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

} // namespace
} // namespace Velmora::Debug
