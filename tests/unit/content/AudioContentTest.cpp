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

namespace fs = std::filesystem;

/// A decoded file: samples per channel as the game's 16-bit buffer holds them.
struct Decoded {
    int mChannels = 0;
    long mRate = 0;
    std::vector<std::vector<int>> mSamples;

    double Seconds() const { return mSamples.empty() ? 0.0 : static_cast<double>(mSamples[0].size()) / mRate; }
};

/// Every .ogg file under the folder, decoded with the audio manager's own decoder.
std::vector<std::pair<fs::path, Decoded>> DecodeAll(const std::string& folder) {
    std::vector<std::pair<fs::path, Decoded>> files;
    for (const auto& entry : fs::recursive_directory_iterator(Tests::SourceDir() + "/data/audio/" + folder)) {
        if (entry.path().extension() != ".ogg") continue;
        Audio::DecodedSound sound;
        EXPECT_TRUE(Audio::VorbisDecoder::DecodeFile(entry.path().string(), sound)) << entry.path();
        Decoded result{sound.mChannels, sound.mRate, {}};
        result.mSamples.resize(static_cast<size_t>(std::max(1, sound.mChannels)));
        for (size_t i = 0; i + 1 < sound.mPcm.size(); i += 2) {
            const int sample = static_cast<int16_t>(sound.mPcm[i] | (sound.mPcm[i + 1] << 8));
            result.mSamples[(i / 2) % result.mSamples.size()].push_back(sample);
        }
        files.emplace_back(entry.path(), std::move(result));
    }
    return files;
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

TEST(AudioContent, EveryEffectDecodesAsAShortCleanMonoClip) {
    const auto effects = DecodeAll("SFX");
    EXPECT_GE(effects.size(), 17u);
    for (const auto& [path, clip] : effects) {
        SCOPED_TRACE(path);
        EXPECT_EQ(clip.mChannels, 1);
        EXPECT_EQ(clip.mRate, 44100);
        EXPECT_GT(clip.Seconds(), 0.03);
        EXPECT_LT(clip.Seconds(), 5.0);
        const std::vector<int>& s = clip.mSamples.front();
        ASSERT_GT(s.size(), 88u);
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
    const auto pieces = DecodeAll("BGM");
    EXPECT_GE(pieces.size(), 4u);
    for (const auto& [path, music] : pieces) {
        SCOPED_TRACE(path);
        EXPECT_EQ(music.mChannels, 2);
        EXPECT_EQ(music.mRate, 44100);
        EXPECT_GT(music.Seconds(), 60.0);
        EXPECT_LT(music.Seconds(), 100.0);
        EXPECT_LT(fs::file_size(path), 1500000u);
        for (const std::vector<int>& s : music.mSamples) {
            EXPECT_LT(LongestFullScaleRun(s), 3u);
            // Across the seam the wave should move like anywhere else in the piece: the step
            // from the last sample to the first, and the change of slope, stay within a few
            // typical sample-to-sample steps.
            const size_t n = s.size();
            ASSERT_GT(n, 4u);
            double typical = 0.0;
            for (size_t i = 1; i < n; ++i) typical += std::abs(s[i] - s[i - 1]) / static_cast<double>(n - 1);
            ASSERT_GT(typical, 1.0);
            EXPECT_LT(std::abs(s[0] - s[n - 1]), 4.0 * typical);
            EXPECT_LT(std::abs((s[1] - s[0]) - (s[n - 1] - s[n - 2])), 5.0 * typical);
        }
    }
}

TEST(AudioContent, TheWholeSetStaysSmall) {
    uintmax_t total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(Tests::SourceDir() + "/data/audio")) {
        if (entry.path().extension() == ".ogg") total += entry.file_size();
    }
    EXPECT_GT(total, 0u);
    EXPECT_LT(total, 8u * 1024 * 1024);
}

} // namespace
} // namespace Velmora
