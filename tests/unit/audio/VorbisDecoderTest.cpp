#include "audio/VorbisDecoder.h"
#include "support/TestSupport.h"
#include "unit/audio/OggTestFile.h"

#include <ogg/ogg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace Velmora::Audio {
namespace {

// Sign changes of the first channel: a sine of f Hz over t seconds has about 2·f·t of them.
int CountZeroCrossings(const DecodedSound& sound) {
    const size_t frameBytes = static_cast<size_t>(sound.mChannels) * 2;
    int crossings = 0;
    int16_t previous = 0;
    for (size_t i = 0; i + frameBytes <= sound.mPcm.size(); i += frameBytes) {
        int16_t sample;
        std::memcpy(&sample, sound.mPcm.data() + i, sizeof sample);
        if ((previous < 0 && sample >= 0) || (previous >= 0 && sample < 0)) ++crossings;
        previous = sample;
    }
    return crossings;
}

size_t Frames(const DecodedSound& sound) { return sound.mPcm.size() / (static_cast<size_t>(sound.mChannels) * 2); }

TEST(VorbisDecoder, DecodesMonoAndStereoWholeIntoSixteenBitPcm) {
    DecodedSound mono;
    ASSERT_TRUE(VorbisDecoder::DecodeMemory(Tests::EncodeSineOgg(1, 22050, 0.5, 440.0), mono));
    EXPECT_EQ(mono.mChannels, 1);
    EXPECT_EQ(mono.mRate, 22050);
    EXPECT_EQ(Frames(mono), 11025u);
    EXPECT_NEAR(CountZeroCrossings(mono), 440, 6);

    const std::string dir = Tests::MakeTempDir();
    Tests::WriteBytes(dir + "/stereo.ogg", Tests::EncodeSineOgg(2, 44100, 0.25, 1000.0));
    DecodedSound stereo;
    ASSERT_TRUE(VorbisDecoder::DecodeFile(dir + "/stereo.ogg", stereo));
    EXPECT_EQ(stereo.mChannels, 2);
    EXPECT_EQ(stereo.mRate, 44100);
    EXPECT_EQ(stereo.mPcm.size(), 11025u * 4);
    EXPECT_NEAR(CountZeroCrossings(stereo), 500, 6);
}

TEST(VorbisDecoder, FoldsSurroundStreamsToStereoKeepingTheirLength) {
    for (const int channels : {3, 4, 6}) {
        DecodedSound sound;
        ASSERT_TRUE(VorbisDecoder::DecodeMemory(Tests::EncodeSineOgg(channels, 22050, 0.2, 300.0), sound)) << channels;
        EXPECT_EQ(sound.mChannels, 2);
        EXPECT_EQ(Frames(sound), 4410u) << channels;
        EXPECT_NEAR(CountZeroCrossings(sound), 120, 4) << channels;
    }
}

TEST(VorbisDecoder, RejectsMissingGarbageAndBrokenFilesSoftly) {
    Tests::LogCapture log;
    DecodedSound sound;
    EXPECT_FALSE(VorbisDecoder::DecodeFile("/nonexistent/velmora/sound.ogg", sound));
    EXPECT_TRUE(log.mLines.empty());  // a missing file is silent

    const std::vector<uint8_t> garbage(3000, 0x5a);
    EXPECT_FALSE(VorbisDecoder::DecodeMemory(garbage, sound, "garbage.ogg"));
    EXPECT_TRUE(log.Contains("[AUDIO:1] Not an Ogg Vorbis file: garbage.ogg"));
    EXPECT_FALSE(VorbisDecoder::DecodeMemory({}, sound));

    const std::vector<uint8_t> good = Tests::EncodeSineOgg(1, 22050, 0.5, 440.0);
    const std::vector<uint8_t> headersOnly(good.begin(), good.begin() + 200);
    EXPECT_FALSE(VorbisDecoder::DecodeMemory(headersOnly, sound));
    EXPECT_TRUE(sound.mPcm.empty());

    // Cut inside the audio: what is there still plays, and nothing beyond it.
    const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(good.size() * 9 / 10));
    ASSERT_TRUE(VorbisDecoder::DecodeMemory(cut, sound));
    EXPECT_GT(Frames(sound), 0u);
    EXPECT_LT(Frames(sound), 11025u);
}

TEST(VorbisDecoder, DamagedAudioPagesAreDroppedNotPlayedAsNoise) {
    std::vector<uint8_t> bytes = Tests::EncodeSineOgg(1, 22050, 1.0, 440.0);
    // Break an audio page in the middle: its checksum fails and it is left out.
    const size_t middle = bytes.size() - (bytes.size() - 4000) / 2;
    for (size_t i = middle; i < middle + 16; ++i) bytes[i] ^= 0xff;
    DecodedSound sound;
    ASSERT_TRUE(VorbisDecoder::DecodeMemory(bytes, sound, "holes.ogg"));
    EXPECT_GT(Frames(sound), 5000u);
    EXPECT_LT(Frames(sound), 22050u);
    // What is left is still the clean tone: no burst of garbage samples.
    for (size_t i = 0; i + 1 < sound.mPcm.size(); i += 2) {
        int16_t sample;
        std::memcpy(&sample, sound.mPcm.data() + i, sizeof sample);
        ASSERT_LT(std::abs(sample), 20000) << "frame " << i / 2;
    }
}

std::vector<uint8_t> ReadToEnd(VorbisStream& stream) {
    std::vector<uint8_t> pcm;
    uint8_t chunk[3000];  // not a multiple of the packet size: reads end mid-packet
    size_t got = 0;
    while (stream.Read(chunk, got) == VorbisStream::ReadResult::kData) pcm.insert(pcm.end(), chunk, chunk + got);
    return pcm;
}

TEST(VorbisStream, RewindingGivesTheSameSamplesAgainSoLoopsAreSeamless) {
    for (const int channels : {1, 2, 3}) {
        const std::vector<uint8_t> bytes = Tests::EncodeSineOgg(channels, 44100, 0.3, 440.0);
        DecodedSound whole;
        ASSERT_TRUE(VorbisDecoder::DecodeMemory(bytes, whole));
        VorbisStream stream;
        ASSERT_TRUE(stream.OpenMemory(bytes, "loop.ogg"));
        EXPECT_EQ(stream.GetChannels(), std::min(channels, 2));
        EXPECT_EQ(ReadToEnd(stream), whole.mPcm) << channels;
        ASSERT_TRUE(stream.Rewind());
        EXPECT_EQ(ReadToEnd(stream), whole.mPcm) << channels << " after rewinding";
    }
}

// Rewrites the granule position (the stream length) of the last page, with a valid checksum.
void ClaimLength(std::vector<uint8_t>& bytes, ogg_int64_t frames) {
    size_t last = bytes.size() - 4;
    while (last > 0 && std::memcmp(bytes.data() + last, "OggS", 4) != 0) --last;
    ogg_page page;
    page.header = bytes.data() + last;
    page.header_len = 27 + bytes[last + 26];
    page.body = page.header + page.header_len;
    page.body_len = static_cast<long>(bytes.size() - last) - page.header_len;
    for (int i = 0; i < 8; ++i) page.header[6 + i] = static_cast<uint8_t>(frames >> (8 * i));
    ogg_page_checksum_set(&page);
}

TEST(VorbisDecoder, RefusesStreamsClaimingMoreThanTenMinutes) {
    Tests::LogCapture log;
    std::vector<uint8_t> bytes = Tests::EncodeSineOgg(1, 8000, 0.5, 440.0);
    ClaimLength(bytes, ogg_int64_t{8000} * 601);
    DecodedSound sound;
    EXPECT_FALSE(VorbisDecoder::DecodeMemory(bytes, sound, "endless.ogg"));
    EXPECT_TRUE(log.Contains("Sound file too long: endless.ogg"));

    ClaimLength(bytes, ogg_int64_t{1} << 62);  // would overflow a naive size computation
    EXPECT_FALSE(VorbisDecoder::DecodeMemory(bytes, sound, "huge.ogg"));
    EXPECT_TRUE(sound.mPcm.empty());
}

} // namespace
} // namespace Velmora::Audio
