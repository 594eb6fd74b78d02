// Checks the committed sounds and music in data/audio as the game will load them: every file
// decodes with the game's decoder, has a sane format and length, never sits at full scale, effects
// start and end on silence, and music loops without a jump at the seam.

#include "audio/VorbisDecoder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace Velmora {
namespace {

const std::vector<std::string> kEffects = {
    "SFX/Player/gunfire.ogg",
    "SFX/Player/shockwave.ogg",
    "SFX/Player/foot1.ogg",
    "SFX/Player/foot2.ogg",
    "SFX/Level/ShatterGlass0.ogg",
    "SFX/Level/ShatterGlass1.ogg",
    "SFX/Level/ShatterGlass2.ogg",
    "SFX/UI/winlevel.ogg",
    "SFX/UI/lose.ogg",
    "SFX/UI/phew.ogg",
    "SFX/UI/power_change.ogg",
    "SFX/UI/item_get.ogg",
    "SFX/UI/lowblip.ogg",
    "SFX/UI/midblip.ogg",
    "SFX/Guard/alarm.ogg",
    "SFX/Guard/exclaim.ogg",
    "SFX/Guard/question.ogg",
};

const std::vector<std::string> kMusic = {
    "BGM/vm_tense.ogg",
    "BGM/vm_chase.ogg",
    "BGM/vm_blues_title.ogg",
    "BGM/vm_blues_credits.ogg",
};

/// A decoded file: samples per channel as the game's 16-bit buffer holds them.
struct Decoded {
    bool mOk = false;
    int mChannels = 0;
    long mRate = 0;
    std::vector<std::vector<int>> mSamples;

    size_t Frames() const { return mSamples.empty() ? 0 : mSamples.front().size(); }
    double Seconds() const { return mRate > 0 ? static_cast<double>(Frames()) / mRate : 0.0; }
};

/// Decodes with the audio manager's own decoder and splits the channels apart.
Decoded Decode(const std::string& name) {
    Decoded result;
    Audio::DecodedSound sound;
    result.mOk = Audio::VorbisDecoder::DecodeFile(Tests::SourceDir() + "/data/audio/" + name, sound);
    result.mChannels = sound.mChannels;
    result.mRate = sound.mRate;
    result.mSamples.resize(static_cast<size_t>(std::max(0, sound.mChannels)));
    for (size_t i = 0; i + 1 < sound.mPcm.size(); i += 2) {
        const int sample = static_cast<int16_t>(sound.mPcm[i] | (sound.mPcm[i + 1] << 8));
        result.mSamples[(i / 2) % result.mSamples.size()].push_back(sample);
    }
    return result;
}

/// Longest run of consecutive samples at (or a hair below) full scale in one channel.
size_t LongestFullScaleRun(const std::vector<int>& samples) {
    size_t longest = 0;
    size_t run = 0;
    for (const int s : samples) {
        run = std::abs(s) >= 32700 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

double MeanStep(const std::vector<int>& samples) {
    double sum = 0.0;
    for (size_t i = 1; i < samples.size(); ++i) {
        sum += std::abs(samples[i] - samples[i - 1]);
    }
    return sum / static_cast<double>(samples.size() - 1);
}

TEST(AudioContent, EveryEffectDecodesAsAShortCleanMonoClip) {
    for (const std::string& name : kEffects) {
        SCOPED_TRACE(name);
        const Decoded clip = Decode(name);
        ASSERT_TRUE(clip.mOk);
        EXPECT_EQ(clip.mChannels, 1);
        EXPECT_EQ(clip.mRate, 44100);
        EXPECT_GT(clip.Seconds(), 0.03);
        EXPECT_LT(clip.Seconds(), 5.0);
        const std::vector<int>& s = clip.mSamples.front();
        EXPECT_LT(LongestFullScaleRun(s), 3u);
        const int peak = *std::max_element(s.begin(), s.end(), [](int a, int b) { return std::abs(a) < std::abs(b); });
        EXPECT_GT(std::abs(peak), 3000) << "a clip that is all but silent";
        // No click at either end: the first sample and the last 2 ms sit near silence.
        EXPECT_LT(std::abs(s.front()), 600);
        for (size_t i = s.size() - 88; i < s.size(); ++i) {
            ASSERT_LT(std::abs(s[i]), 330) << "at sample " << i << " of " << s.size();
        }
    }
}

TEST(AudioContent, EveryMusicPieceIsALongStereoLoopWithoutClippingThatJoinsItsEndToItsStart) {
    for (const std::string& name : kMusic) {
        SCOPED_TRACE(name);
        const Decoded music = Decode(name);
        ASSERT_TRUE(music.mOk);
        EXPECT_EQ(music.mChannels, 2);
        EXPECT_EQ(music.mRate, 44100);
        EXPECT_GT(music.Seconds(), 60.0);
        EXPECT_LT(music.Seconds(), 100.0);
        EXPECT_LT(std::filesystem::file_size(Tests::SourceDir() + "/data/audio/" + name), 1500000u);
        for (const std::vector<int>& s : music.mSamples) {
            EXPECT_LT(LongestFullScaleRun(s), 3u);
            // Across the seam the wave should move like anywhere else in the piece: the step
            // from the last sample to the first, and the change of slope, stay within a few
            // typical sample-to-sample steps.
            ASSERT_GT(s.size(), 4u);
            const size_t n = s.size();
            const double typical = MeanStep(s);
            ASSERT_GT(typical, 1.0);
            EXPECT_LT(std::abs(s[0] - s[n - 1]), 4.0 * typical);
            EXPECT_LT(std::abs((s[1] - s[0]) - (s[n - 1] - s[n - 2])), 5.0 * typical);
        }
    }
}

TEST(AudioContent, TheWholeSetStaysSmall) {
    uintmax_t total = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Tests::SourceDir() + "/data/audio")) {
        if (entry.is_regular_file() && entry.path().extension() == ".ogg") {
            total += entry.file_size();
        }
    }
    EXPECT_GT(total, 0u);
    EXPECT_LT(total, 8u * 1024 * 1024);
}

} // namespace
} // namespace Velmora
