#include "graphics/Bloom.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Velmora::Graphics {
namespace {

TEST(Bloom, EasedValuesReachTheirTargetsWithinTheStepCountAndStay) {
    struct Case {
        float mFrom;
        float mTo;
    };
    for (const Case& c : {Case{0.0f, 1.5f}, Case{1.2f, 0.2f}, Case{0.0f, 0.03f}, Case{-3.0f, 3.0f}, Case{0.7f, 0.7f}}) {
        SCOPED_TRACE(testing::Message() << c.mFrom << " -> " << c.mTo);
        // The decimal difference: the float one can sit a hair above a whole number of steps.
        const int bound = static_cast<int>(std::ceil(std::fabs(c.mTo - c.mFrom) / Bloom::kEaseStep - 1e-4));
        float value = c.mFrom;
        int frames = 0;
        while (value != c.mTo && frames < 1000) {
            value = Bloom::EaseTowards(value, c.mTo);
            ++frames;
        }
        EXPECT_LE(frames, bound);
        EXPECT_GE(frames, bound - 1);
        for (int i = 0; i < 5; ++i) value = Bloom::EaseTowards(value, c.mTo);
        EXPECT_EQ(value, c.mTo);
    }
}

TEST(Bloom, LevelsHalveTheWindowAndKeepAtLeastOnePixel) {
    struct Case {
        int mSize;
        int mLevels[Bloom::kLevels];
    };
    for (const Case& c : {Case{801, {801, 400, 200, 100}}, Case{7, {7, 3, 1, 1}}, Case{1, {1, 1, 1, 1}}}) {
        for (int k = 0; k < Bloom::kLevels; ++k) EXPECT_EQ(Bloom::LevelSize(c.mSize, k), c.mLevels[k]) << c.mSize;
    }
}

TEST(Bloom, RunsOnlyWithOpenGl2FramebufferObjectsAndANonIntelVendor) {
    struct Case {
        bool mOpenGl20;
        bool mFramebufferObjects;
        const char* mVendor;
        bool mSupported;
    };
    for (const Case& c :
         {Case{true, true, "Mesa", true}, Case{true, true, "Intel Open Source Technology Center", false},
          Case{true, true, nullptr, false}, Case{false, true, "Mesa", false}, Case{true, false, "Mesa", false}}) {
        EXPECT_EQ(Bloom::IsSupported(c.mOpenGl20, c.mFramebufferObjects, c.mVendor), c.mSupported)
            << (c.mVendor ? c.mVendor : "no vendor");
    }
}

TEST(Bloom, WithoutAGlContextTheStageStaysOffAndCapturingDoesNothing) {
    Bloom bloom;
    bloom.Update({1.0f, 1.0f, 1.0f, 1.0f, 1.0f});
    bloom.Setup(640, 480);
    EXPECT_FALSE(bloom.IsEnabled());
    EXPECT_EQ(bloom.GetCurrent(), Bloom::Values{});
    bloom.BeginCapture();
    EXPECT_TRUE(bloom.GetTargetStack().IsEmpty());
    bloom.EndAndCompose();
}

} // namespace
} // namespace Velmora::Graphics
