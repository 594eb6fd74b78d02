#include "audio/AudioManager.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "support/TestSupport.h"
#include "unit/audio/OggTestFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
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
        setenv("ALSOFT_DRIVERS", "null", 0);  // ctest sets it; a bare run of the binary needs it too
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
    const SoundHandle second = mAudio.LoadSample("SFX/blip.ogg");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_NE(*first, 0u);
    EXPECT_EQ(mAudio.GetDecodeCount(), 1);

    // Music has a cache of its own: the same file is read again, as a track to stream.
    const SoundHandle music = mAudio.LoadMusic("SFX/blip.ogg");
    EXPECT_NE(music, first);
    EXPECT_NE(*music, 0u);
    EXPECT_EQ(mAudio.LoadMusic("SFX/blip.ogg"), music);
    EXPECT_EQ(mAudio.GetDecodeCount(), 2);
}

TEST_F(AudioManagerTest, BufferFormatFollowsTheChannelCount) {
    const auto channels = [](ALuint buffer) {
        ALint count = 0, bits = 0;
        alGetBufferi(buffer, AL_CHANNELS, &count);
        alGetBufferi(buffer, AL_BITS, &bits);
        EXPECT_EQ(bits, 16);
        return count;
    };
    EXPECT_EQ(channels(*mAudio.LoadSample("SFX/blip.ogg")), 1);
    EXPECT_EQ(channels(*mAudio.LoadSample("BGM/stereo.ogg")), 2);
    EXPECT_EQ(channels(*mAudio.LoadSample("BGM/surround.ogg")), 2);
    ALint frequency = 0;
    alGetBufferi(*mAudio.LoadSample("BGM/stereo.ogg"), AL_FREQUENCY, &frequency);
    EXPECT_EQ(frequency, 22050);
    // Streamed music takes the same formats: OpenAL accepts every buffer of the ring.
    for (const char* name : {"SFX/blip.ogg", "BGM/stereo.ogg", "BGM/surround.ogg"}) {
        alGetError();
        mAudio.PlayMusic(*mAudio.LoadMusic(name));
        EXPECT_EQ(alGetError(), AL_NO_ERROR) << name;
        ALint queued = 0;
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
    EXPECT_TRUE(log.Contains("/data/audio/SFX/corrupt.ogg"));
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
    for (const ALuint source : mAudio.GetSampleSources()) {
        ALint buffer = 0;
        alGetSourcei(source, AL_BUFFER, &buffer);
        EXPECT_EQ(static_cast<ALuint>(buffer), blip);
    }
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
    EXPECT_FLOAT_EQ(mAudio.GetMusicVolume(), 0.3f);
    EXPECT_FLOAT_EQ(mAudio.SetMusicVolume(1.7), 1.0f);
    EXPECT_FLOAT_EQ(mAudio.GetMusicVolume(), 1.0f);
    EXPECT_FLOAT_EQ(mAudio.SetSampleVolume(-0.2), 0.0f);
    EXPECT_FLOAT_EQ(mAudio.SetSampleVolume(0.55), 0.55f);
    EXPECT_FLOAT_EQ(mAudio.SetSampleVolume(std::nan("")), 0.55f);  // garbage keeps the setting

    ALfloat gain = 0.0f;
    alGetSourcef(mAudio.GetMusicSource(), AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 1.0f);
    alGetSourcef(mAudio.GetSampleSources().at(0), AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 0.55f);
    mAudio.PlaySample(blip);  // new effects start at the stored volume
    alGetSourcef(mAudio.GetSampleSources().back(), AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 0.55f);
}

TEST_F(AudioManagerTest, SoundsStartedWhilePausedWaitForResume) {
    const ALuint longTone = *mAudio.LoadSample("SFX/long.ogg");
    const ALuint music = *mAudio.LoadMusic("BGM/stereo.ogg");
    mAudio.PlaySample(longTone);
    mAudio.PlayMusic(music);
    mAudio.PauseAll();
    const ALuint first = mAudio.GetSampleSources().at(0);
    EXPECT_EQ(StateOf(first), AL_PAUSED);
    EXPECT_EQ(StateOf(mAudio.GetMusicSource()), AL_PAUSED);

    // The paused effect keeps its source; the new one gets another and stays paused.
    mAudio.PlaySample(longTone);
    ASSERT_EQ(mAudio.GetSampleSources().size(), 2u);
    EXPECT_EQ(StateOf(mAudio.GetSampleSources()[1]), AL_PAUSED);
    mAudio.PlayMusic(music);
    EXPECT_EQ(StateOf(mAudio.GetMusicSource()), AL_PAUSED);

    mAudio.ResumeAll();
    EXPECT_FALSE(mAudio.IsPaused());
    for (const ALuint source : mAudio.GetSampleSources()) EXPECT_EQ(StateOf(source), AL_PLAYING);
    EXPECT_EQ(StateOf(mAudio.GetMusicSource()), AL_PLAYING);
}

TEST_F(AudioManagerTest, MusicStreamsThroughARingOfBuffersAndLoopsUntilReplacedOrStopped) {
    const ALuint music = *mAudio.LoadMusic("BGM/stereo.ogg");
    mAudio.PlayMusic(music);
    const ALuint source = mAudio.GetMusicSource();
    ALint looping = 0, buffer = 0, queued = 0;
    alGetSourcei(source, AL_LOOPING, &looping);
    alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
    EXPECT_EQ(looping, AL_FALSE) << "a looping source would replay its queue";
    EXPECT_EQ(queued, MusicStream::kBufferCount);
    EXPECT_EQ(StateOf(source), AL_PLAYING);
    // The one-second track plays on past its end, refilled frame by frame.
    MessageUpdateLoop frame(0.01);
    for (int i = 0; i < 150; ++i) {
        mAudio.HandleMessage(frame);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(StateOf(source), AL_PLAYING);
    EXPECT_GE(mAudio.GetMusicStream().GetLoopCount(), 1);
    alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
    EXPECT_EQ(queued, MusicStream::kBufferCount);

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
    EXPECT_EQ(log.mLines, (std::vector<std::string>{"[AUDIO:1] Damaged Vorbis data in " +
                                                    Game::GetInstance().DataPath("audio", "BGM/damaged.ogg") +
                                                    "; the music stops"}));
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
        audio.PlaySampleHandle(early);  // no device yet: nothing happens
        audio.PlayMusic(1);
        EXPECT_EQ(audio.GetDecodeCount(), 0);
        audio.Initialize();
        EXPECT_NE(*early, 0u);
        EXPECT_NE(*track, 0u);
        EXPECT_EQ(audio.LoadSample("early.ogg"), early);
    }  // the destructor closes the device again
    Game::GetInstance().SetRootPath(saved);
}

} // namespace
} // namespace Velmora::Audio
