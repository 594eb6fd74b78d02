#include "replay/RunFile.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace Velmora::Replay {
namespace {

RunFile SampleRun() {
    RunFile run;
    run.mHeader.mCampaign = "training";
    run.mHeader.mLevel = "walk";
    run.mHeader.mSeed = 7;
    run.mHeader.mContentHash = 0x0123456789abcdefull;
    run.mHeader.mGun = Logic::kShockGun;
    run.mHeader.mResult = RunResult::kWon;
    run.mHeader.mFinalHash = 42;
    Logic::TickInput input{Vector2(132.0, 0.0), Vector2(1.0, 0.0), false, true};
    run.Append(input);
    input.mResumed = false;
    for (int i = 0; i < 100; ++i) run.Append(input);
    input.mFire = true;
    input.mMove = Vector2();
    run.Append(input);
    return run;
}

TEST(RunFileTest, EncodesAndDecodesRunLengths) {
    const RunFile run = SampleRun();
    EXPECT_EQ(run.GetSegments().size(), 3u); // identical ticks share a segment
    RunFile read;
    std::string error;
    ASSERT_TRUE(read.Decode(run.Encode(), error)) << error;
    EXPECT_EQ(read.mHeader.mGun, Logic::kShockGun);
    EXPECT_EQ(read.GetTickCount(), 102u);
    RunCursor a(run), b(read);
    Logic::TickInput x, y;
    while (a.Next(x)) {
        ASSERT_TRUE(b.Next(y));
        EXPECT_EQ(x, y);
    }
    EXPECT_FALSE(b.Next(y));
}

// Offsets into SampleRun's bytes: 4 magic, 2 version, 1+8 campaign, 1+4 level, 4 seed, 8 content
// hash, 2 tick rate, 1 gun, 1 result, 8 final hash, then 4 bytes of tick count.
constexpr size_t kVersionAt = 4;
constexpr size_t kLevelAt = 16;
constexpr size_t kTicksAt = 44;

std::string Patched(size_t at, const std::string& bytes) {
    std::string data = SampleRun().Encode();
    data.replace(at, bytes.size(), bytes);
    return data;
}

TEST(RunFileTest, RefusesDamagedAndHostileFiles) {
    const std::string good = SampleRun().Encode();
    RunFile notFinite = SampleRun();
    notFinite.Append(
        Logic::TickInput{Vector2(std::numeric_limits<double>::quiet_NaN(), 1.0), Vector2(1.0, 0.0), false, false});
    const struct {
        const char* what;
        std::string bytes;
        const char* error;
    } cases[] = {
        {"empty", "", "not a recorded run"},
        {"random bytes", "\x13\x99qwerty\x01\x02\x03 random", "not a recorded run"},
        {"wrong version", Patched(kVersionAt, std::string("\x02\x00", 2)), "format version 2"},
        {"truncated header", good.substr(0, 30), "truncated header"},
        {"truncated inputs", good.substr(0, good.size() - 5), "truncated after tick"},
        {"a billion ticks", Patched(kTicksAt, std::string("\x00\xca\x9a\x3b", 4)), "too many ticks"},
        {"fewer ticks than inputs", Patched(kTicksAt, std::string("\x05\x00\x00\x00", 4)), "damaged inputs"},
        {"trailing bytes", good + "x", "unexpected bytes"},
        {"a path for a level", Patched(kLevelAt, "../."), "bad campaign or level name"},
        {"a number that is not finite", notFinite.Encode(), "bad numbers"},
    };
    for (const auto& c : cases) {
        RunFile run;
        std::string error;
        EXPECT_FALSE(run.Decode(c.bytes, error)) << c.what;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(run.GetTickCount(), 0u) << c.what;
    }
}

} // namespace
} // namespace Velmora::Replay
