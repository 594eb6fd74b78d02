#include "audio/AudioManager.h"
#include "audio/VorbisDecoder.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "support/TestSupport.h"
#include "unit/audio/OggTestFile.h"

#include <gtest/gtest.h>
#include <ogg/ogg.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace Velmora::Audio {
namespace {

ALint StateOf(ALuint source) {
    ALint state = 0;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}

// A manager on OpenAL Soft's null device (no sound hardware), with its sounds in a temporary
// data/audio folder that the game's root points at.
class AudioManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ALSOFT_DRIVERS", "null", 0); // ctest sets it; a bare run of the binary needs it too
        mSavedRoot = Game::GetInstance().GetRootPath();
        const std::string root = Tests::MakeTempDir();
        Game::GetInstance().SetRootPath(root);
        const std::string audio = root + "/data/audio/";
        Tests::WriteBytes(audio + "SFX/blip.ogg", Tests::EncodeSineOgg(1, 22050, 0.05, 880.0));
        Tests::WriteBytes(audio + "SFX/long.ogg", Tests::EncodeSineOgg(1, 22050, 3.0, 440.0));
        Tests::WriteBytes(audio + "BGM/stereo.ogg", Tests::EncodeSineOgg(2, 22050, 1.0, 220.0));
        Tests::WriteBytes(audio + "BGM/surround.ogg", Tests::EncodeSineOgg(3, 22050, 0.2, 220.0));
        Tests::WriteFile(audio + "SFX/corrupt.ogg", "OggS but nothing a decoder could use");
        mAudio.Initialize();
        ASSERT_TRUE(mAudio.IsAvailable());
    }
    void TearDown() override {
        mAudio.Deinitialize();
        Game::GetInstance().SetRootPath(mSavedRoot);
    }

    // Waits (up to two seconds) until no effect source is playing.
    bool WaitForSilence() {
        for (int i = 0; i < 200; ++i) {
            bool playing = false;
            for (const ALuint source : mAudio.GetSampleSources()) playing |= StateOf(source) == AL_PLAYING;
            if (!playing) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    AudioManager mAudio;
    std::string mSavedRoot;
};

TEST_F(AudioManagerTest, CachesEachNameOncePerKind) {
    const SoundHandle first = mAudio.LoadSample("SFX/blip.ogg");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(*first, 0u);
    EXPECT_EQ(mAudio.LoadSample("SFX/blip.ogg"), first);
    EXPECT_EQ(mAudio.GetDecodeCount(), 1);

    // Music has a cache of its own: the same file is read again, as a track to stream.
    const SoundHandle music = mAudio.LoadMusic("SFX/blip.ogg");
    EXPECT_NE(music, first);
    EXPECT_NE(*music, 0u);
    EXPECT_EQ(mAudio.LoadMusic("SFX/blip.ogg"), music);
    EXPECT_EQ(mAudio.GetDecodeCount(), 2);
}

TEST_F(AudioManagerTest, BufferFormatFollowsTheChannelCount) {
    for (const auto& [name, channels] :
         {std::pair{"SFX/blip.ogg", 1}, {"BGM/stereo.ogg", 2}, {"BGM/surround.ogg", 2}}) {
        ALint count = 0, queued = 0;
        alGetBufferi(*mAudio.LoadSample(name), AL_CHANNELS, &count);
        EXPECT_EQ(count, channels) << name;
        // Streamed music takes the same formats: OpenAL accepts every buffer of the ring.
        alGetError();
        mAudio.PlayMusic(*mAudio.LoadMusic(name));
        EXPECT_EQ(alGetError(), AL_NO_ERROR) << name;
        alGetSourcei(mAudio.GetMusicSource(), AL_BUFFERS_QUEUED, &queued);
        EXPECT_EQ(queued, MusicStream::kBufferCount) << name;
    }
}

TEST_F(AudioManagerTest, MissingAndCorruptFilesGiveSilentHandles) {
    Tests::LogCapture log;
    const SoundHandle missing = mAudio.LoadSample("SFX/nothere.ogg");
    const SoundHandle corrupt = mAudio.LoadSample("SFX/corrupt.ogg");
    ASSERT_NE(missing, nullptr);
    ASSERT_NE(corrupt, nullptr);
    EXPECT_EQ(*missing, 0u);
    EXPECT_EQ(*corrupt, 0u);
    EXPECT_TRUE(log.Contains("[AUDIO:1] Not an Ogg Vorbis file: "));
    mAudio.PlaySampleHandle(missing);
    mAudio.PlaySampleHandle(corrupt);
    mAudio.PlaySampleHandle(nullptr);
    mAudio.PlaySample(0);
    EXPECT_TRUE(mAudio.GetSampleSources().empty());
}

TEST_F(AudioManagerTest, EffectSourcePoolGrowsOnDemandAndReusesFinishedSources) {
    const ALuint blip = *mAudio.LoadSample("SFX/blip.ogg");
    for (int i = 0; i < 10; ++i) mAudio.PlaySample(blip);
    ASSERT_EQ(mAudio.GetSampleSources().size(), 10u);
    ASSERT_TRUE(WaitForSilence());
    for (int i = 0; i < 10; ++i) mAudio.PlaySample(blip);
    EXPECT_EQ(mAudio.GetSampleSources().size(), 10u);

    // A source that is still playing is never taken over.
    ASSERT_TRUE(WaitForSilence());
    const ALuint longTone = *mAudio.LoadSample("SFX/long.ogg");
    for (int i = 0; i < 11; ++i) mAudio.PlaySample(longTone);
    EXPECT_EQ(mAudio.GetSampleSources().size(), 11u);
    for (const ALuint source : mAudio.GetSampleSources()) EXPECT_EQ(StateOf(source), AL_PLAYING);
}

TEST_F(AudioManagerTest, VolumesAreClampedStoredAndApplied) {
    const ALuint blip = *mAudio.LoadSample("SFX/blip.ogg");
    mAudio.PlaySample(blip);
    EXPECT_FLOAT_EQ(mAudio.SetMusicVolume(1.7), 1.0f);
    EXPECT_FLOAT_EQ(mAudio.SetSampleVolume(-0.2), 0.0f);
    EXPECT_FLOAT_EQ(mAudio.SetSampleVolume(0.55), 0.55f);
    EXPECT_FLOAT_EQ(mAudio.SetSampleVolume(std::nan("")), 0.55f); // garbage keeps the setting

    ALfloat gain = 0.0f;
    alGetSourcef(mAudio.GetMusicSource(), AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 1.0f);
    alGetSourcef(mAudio.GetSampleSources().at(0), AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 0.55f);
    mAudio.PlaySample(blip); // new effects start at the stored volume
    alGetSourcef(mAudio.GetSampleSources().back(), AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 0.55f);
}

TEST_F(AudioManagerTest, SoundsStartedWhilePausedWaitForResume) {
    const ALuint longTone = *mAudio.LoadSample("SFX/long.ogg");
    const ALuint music = *mAudio.LoadMusic("BGM/stereo.ogg");
    mAudio.PlaySample(longTone);
    mAudio.PlayMusic(music);
    mAudio.PauseAll();
    EXPECT_EQ(StateOf(mAudio.GetSampleSources().at(0)), AL_PAUSED);

    // The paused effect keeps its source; the new one gets another and stays paused.
    mAudio.PlaySample(longTone);
    ASSERT_EQ(mAudio.GetSampleSources().size(), 2u);
    EXPECT_EQ(StateOf(mAudio.GetSampleSources()[1]), AL_PAUSED);
    mAudio.PlayMusic(music);
    EXPECT_EQ(StateOf(mAudio.GetMusicSource()), AL_PAUSED);

    mAudio.ResumeAll();
    for (const ALuint source : mAudio.GetSampleSources()) EXPECT_EQ(StateOf(source), AL_PLAYING);
    EXPECT_EQ(StateOf(mAudio.GetMusicSource()), AL_PLAYING);
}

TEST_F(AudioManagerTest, MusicStreamsThroughARingOfBuffersUntilReplacedOrStopped) {
    const ALuint music = *mAudio.LoadMusic("BGM/stereo.ogg");
    mAudio.PlayMusic(music);
    const ALuint source = mAudio.GetMusicSource();
    ALint looping = 0, buffer = 0, queued = 0;
    alGetSourcei(source, AL_LOOPING, &looping);
    alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
    EXPECT_EQ(looping, AL_FALSE) << "a looping source would replay its queue";
    EXPECT_EQ(queued, MusicStream::kBufferCount);
    EXPECT_EQ(StateOf(source), AL_PLAYING);
    // (AudioRecording.StreamedMusicLoopsWithoutAGapOrAClick plays a track on past its end.)

    mAudio.PlayMusic(0);
    EXPECT_EQ(StateOf(source), AL_STOPPED);
    alGetSourcei(source, AL_BUFFER, &buffer);
    EXPECT_EQ(buffer, 0);

    mAudio.PlayMusic(music);
    mAudio.StopMusic();
    EXPECT_EQ(StateOf(source), AL_STOPPED);
}

TEST_F(AudioManagerTest, AMusicFileDamagedMidStreamStopsThatTrackWithOneLine) {
    std::vector<uint8_t> bytes = Tests::EncodeSineOgg(2, 22050, 4.0, 220.0);
    const size_t middle = bytes.size() / 2;
    for (size_t i = middle; i < middle + 16; ++i) bytes[i] ^= 0xff;
    Tests::WriteBytes(Game::GetInstance().DataPath("audio", "BGM/damaged.ogg"), bytes);
    Tests::LogCapture log;
    mAudio.PlayMusic(*mAudio.LoadMusic("BGM/damaged.ogg"));
    MessageUpdateLoop frame(0.01);
    for (int i = 0; i < 500 && mAudio.GetMusicStream().IsActive(); ++i) {
        mAudio.HandleMessage(frame);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(mAudio.GetMusicStream().IsActive());
    EXPECT_EQ(StateOf(mAudio.GetMusicSource()), AL_STOPPED);
    EXPECT_EQ(
        log.mLines,
        (std::vector<std::string>{"[AUDIO:1] Damaged Vorbis data in " +
                                  Game::GetInstance().DataPath("audio", "BGM/damaged.ogg") + "; the music stops"}));
}

TEST(AudioManager, LoadsBeforeTheDeviceOpensAreFilledInPlace) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    const std::string saved = Game::GetInstance().GetRootPath();
    const std::string root = Tests::MakeTempDir();
    Game::GetInstance().SetRootPath(root);
    Tests::WriteBytes(root + "/data/audio/early.ogg", Tests::EncodeSineOgg(1, 22050, 0.05, 880.0));
    {
        AudioManager audio;
        const SoundHandle early = audio.LoadSample("early.ogg");
        const SoundHandle track = audio.LoadMusic("early.ogg");
        ASSERT_NE(early, nullptr);
        EXPECT_EQ(*early, 0u);
        EXPECT_EQ(*track, 0u);
        audio.PlaySampleHandle(early); // no device yet: nothing happens
        audio.PlayMusic(1);
        EXPECT_EQ(audio.GetDecodeCount(), 0);
        audio.Initialize();
        EXPECT_NE(*early, 0u);
        EXPECT_NE(*track, 0u);
        EXPECT_EQ(audio.LoadSample("early.ogg"), early);
    } // the destructor closes the device again
    Game::GetInstance().SetRootPath(saved);
}

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

std::vector<uint8_t> ReadToEnd(VorbisStream& stream) {
    std::vector<uint8_t> pcm;
    uint8_t chunk[3000]; // not a multiple of the packet size: reads end mid-packet
    size_t got = 0;
    while (stream.Read(chunk, got) == VorbisStream::ReadResult::kData) pcm.insert(pcm.end(), chunk, chunk + got);
    return pcm;
}

TEST(VorbisDecoder, DecodesWholeOrStreamedIntoSixteenBitPcmWithSurroundFoldedToStereo) {
    struct Case {
        int mChannels;
        long mRate;
        double mSeconds, mFrequency;
    };
    for (const Case& c : {Case{1, 22050, 0.5, 440.0}, Case{2, 44100, 0.25, 1000.0}, Case{3, 22050, 0.2, 300.0},
                          Case{6, 22050, 0.2, 300.0}}) {
        const std::vector<uint8_t> bytes = Tests::EncodeSineOgg(c.mChannels, c.mRate, c.mSeconds, c.mFrequency);
        DecodedSound sound;
        ASSERT_TRUE(VorbisDecoder::DecodeMemory(bytes, sound)) << c.mChannels;
        EXPECT_EQ(sound.mChannels, std::min(c.mChannels, 2)) << c.mChannels;
        EXPECT_EQ(sound.mRate, c.mRate);
        EXPECT_EQ(Frames(sound), static_cast<size_t>(c.mSeconds * c.mRate)) << c.mChannels;
        EXPECT_NEAR(CountZeroCrossings(sound), 2 * c.mFrequency * c.mSeconds, 6) << c.mChannels;
        // Music streams the same samples, and gives them again after rewinding: loops are seamless.
        VorbisStream stream;
        ASSERT_TRUE(stream.OpenMemory(bytes, "loop.ogg"));
        EXPECT_EQ(ReadToEnd(stream), sound.mPcm) << c.mChannels;
        ASSERT_TRUE(stream.Rewind());
        EXPECT_EQ(ReadToEnd(stream), sound.mPcm) << c.mChannels << " after rewinding";
    }
}

TEST(VorbisDecoder, RejectsMissingGarbageAndBrokenFilesSoftly) {
    Tests::LogCapture log;
    DecodedSound sound;
    EXPECT_FALSE(VorbisDecoder::DecodeFile("/nonexistent/velmora/sound.ogg", sound));
    EXPECT_TRUE(log.mLines.empty()); // a missing file is silent

    const std::vector<uint8_t> garbage(3000, 0x5a);
    EXPECT_FALSE(VorbisDecoder::DecodeMemory(garbage, sound, "garbage.ogg"));
    EXPECT_TRUE(log.Contains("[AUDIO:1] Not an Ogg Vorbis file: garbage.ogg"));
    EXPECT_FALSE(VorbisDecoder::DecodeMemory({}, sound));

    const std::vector<uint8_t> good = Tests::EncodeSineOgg(1, 22050, 0.5, 440.0);
    const std::vector<uint8_t> headersOnly(good.begin(), good.begin() + 200);
    EXPECT_FALSE(VorbisDecoder::DecodeMemory(headersOnly, sound));
    EXPECT_TRUE(sound.mPcm.empty());
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

    ClaimLength(bytes, ogg_int64_t{1} << 62); // would overflow a naive size computation
    EXPECT_FALSE(VorbisDecoder::DecodeMemory(bytes, sound, "huge.ogg"));
    EXPECT_TRUE(sound.mPcm.empty());
}

} // namespace
} // namespace Velmora::Audio
