// Tests of the synthesiser's building blocks: the parts whose faults would be audible as
// clipping, clicks at the loop seam, detuned notes or miscounted rhythms.

#include "Limiter.h"
#include "Notation.h"
#include "Oscillator.h"
#include "PluckString.h"
#include "Random.h"
#include "Reverb.h"
#include "Signal.h"
#include "Song.h"
#include "SongRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace Velmora::AudioGen {
namespace {

Stereo LoudNoise(size_t frames, uint64_t seed) {
    Random random(seed);
    Stereo buffer = Stereo::Silence(frames);
    for (size_t i = 0; i < frames; ++i) {
        // Bursts up to +14 dB over full scale between quiet passages.
        const double level = (i / 4000) % 3 == 0 ? 5.0 : 0.1;
        buffer.mLeft[i] = static_cast<float>(level * random.Bipolar());
        buffer.mRight[i] = static_cast<float>(level * random.Bipolar());
    }
    return buffer;
}

TEST(Limiter, NeverExceedsItsCeilingAndLeavesQuietPassagesAlone) {
    const double ceiling = Signal::DbToGain(-1.0);
    Stereo buffer = LoudNoise(60000, 7);
    const Stereo original = buffer;
    Limiter(ceiling, 0.004, 0.01).Process(buffer);
    EXPECT_LE(Signal::Peak(buffer), ceiling + 1e-6);
    // Well after a burst has released, a quiet passage passes unchanged.
    const size_t quiet = 4000 * 2 + 3500;
    EXPECT_NEAR(buffer.mLeft[quiet], original.mLeft[quiet], 1e-4);
}

TEST(Limiter, RampsTheGainDownBeforeAPeakInsteadOfClippingIt) {
    Stereo buffer = Stereo::Silence(4000);
    for (size_t i = 0; i < buffer.Frames(); ++i) {
        buffer.mLeft[i] = buffer.mRight[i] = static_cast<float>(0.5 * std::sin(i * 0.05));
    }
    buffer.mLeft[2000] = 3.0f;
    Limiter(0.9, 0.004, 0.1).Process(buffer);
    EXPECT_LE(Signal::Peak(buffer), 0.9 + 1e-6);
    // The sine just before the spike is already turned down (look-ahead), not cut square.
    EXPECT_LT(std::fabs(buffer.mRight[1990]), 0.5 * std::fabs(std::sin(1990 * 0.05)) + 1e-6);
    EXPECT_GT(std::fabs(buffer.mRight[1990]), 0.0);
}

TEST(ProcessLooped, AReverbTailRunningPastTheEndComesBackAtTheStart) {
    // Three seconds: longer than the room's tail, as every loop of the game is.
    Stereo period = Stereo::Silence(3 * 44100);
    period.mLeft[3 * 44100 - 100] = period.mRight[3 * 44100 - 100] = 1.0f;
    const Stereo wet = Signal::ProcessLooped(period, [](Stereo& b) { Reverb(ReverbSettings{}).Process(b); });
    ASSERT_EQ(wet.Frames(), period.Frames());
    double head = 0.0;
    for (size_t i = 0; i < 4410; ++i) {
        head += std::fabs(wet.mLeft[i]);
    }
    EXPECT_GT(head, 1e-3);
    // The seam is continuous: the step across it is no larger than a typical step.
    double steps = 0.0;
    for (size_t i = 1; i < wet.Frames(); ++i) {
        steps += std::fabs(wet.mLeft[i] - wet.mLeft[i - 1]);
    }
    const double seam = std::fabs(wet.mLeft[0] - wet.mLeft[wet.Frames() - 1]);
    EXPECT_LT(seam, steps / static_cast<double>(wet.Frames()));
}

TEST(SongRenderer, ANoteOverTheLoopEndWrapsIntoTheBeginning) {
    Song song;
    song.mBpm = 120.0;
    song.mBars = 1;
    song.mReverbReturn = 0.0;
    Track track("tone", [](const Voice& voice) {
        Mono clip(static_cast<size_t>(Signal::ToSamples(voice.mDuration)), 0.0f);
        for (size_t i = 0; i < clip.size(); ++i) {
            clip[i] = static_cast<float>(0.5 * std::sin(2.0 * kPi * voice.mFrequency * i / kSampleRate));
        }
        return clip;
    });
    track.Humanize(0.0, 0.0);
    track.Add(3.5, 1.0, 69, 1.0); // the last half beat of the bar and half a beat past it
    song.mTracks.push_back(track);
    const Stereo loop = SongRenderer::Render(song);
    ASSERT_EQ(loop.Frames(), static_cast<size_t>(Signal::ToSamples(2.0)));
    EXPECT_GT(Signal::Peak(loop), 0.1);
    EXPECT_GT(std::fabs(loop.mLeft[Signal::ToSamples(0.1)]), 0.0f);
    EXPECT_LE(Signal::Peak(loop), Signal::DbToGain(-1.0) + 1e-6);
}

TEST(Notation, ParsesNotesRestsMarksAndTriplets) {
    int pitch = 0;
    ASSERT_TRUE(Notation::ParsePitch("C4", pitch));
    EXPECT_EQ(pitch, 60);
    ASSERT_TRUE(Notation::ParsePitch("Bb3", pitch));
    EXPECT_EQ(pitch, 58);
    ASSERT_TRUE(Notation::ParsePitch("Cb4", pitch));
    EXPECT_EQ(pitch, 59);
    EXPECT_FALSE(Notation::ParsePitch("H2", pitch));

    const std::vector<PhraseNote> notes = Notation::ParsePhrase("r:2 A4:0.5 C5 D5~!:1/3 E5. F5 | G4:4");
    ASSERT_EQ(notes.size(), 6u);
    EXPECT_DOUBLE_EQ(notes[0].mBeat, 2.0);
    EXPECT_DOUBLE_EQ(notes[1].mLength, 0.5); // a length carries over to the next token
    EXPECT_DOUBLE_EQ(notes[2].mLength, 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(notes[2].mScoop, 1.0);
    EXPECT_DOUBLE_EQ(notes[2].mAccent, 1.25);
    EXPECT_TRUE(notes[3].mStaccato);
    EXPECT_NEAR(notes[5].mBeat, 4.0, 1e-9);
    EXPECT_NEAR(Notation::PhraseLength(notes), 8.0, 1e-9);
}

TEST(Notation, VoicesChordsNearTheCentre) {
    const Chord chord = Notation::ParseChord("Gm7");
    EXPECT_EQ(chord.mRoot, 7);
    const std::vector<int> voicing = Notation::Voice(chord, 62.0, false);
    ASSERT_EQ(voicing.size(), 4u);
    double mean = 0.0;
    for (const int p : voicing) {
        mean += p;
        const int pc = p % 12;
        EXPECT_TRUE(pc == 7 || pc == 10 || pc == 2 || pc == 5) << p;
    }
    EXPECT_NEAR(mean / 4.0, 62.0, 3.0);
    EXPECT_EQ(Notation::ParseBar("Gm7 C7b9").size(), 2u);
}

TEST(Song, SwingDelaysOffBeatEighthsButKeepsTriplets) {
    Song song;
    song.mBpm = 60.0;
    song.mSwing = 0.667;
    EXPECT_NEAR(song.BeatToSeconds(2.5, true), 2.667, 1e-9);
    EXPECT_NEAR(song.BeatToSeconds(2.5, false), 2.5, 1e-9);
    EXPECT_NEAR(song.BeatToSeconds(1.0 / 3.0, true), 1.0 / 3.0, 1e-9);
    EXPECT_NEAR(song.BeatToSeconds(3.0, true), 3.0, 1e-9);
}

TEST(Oscillator, BandLimitedSawIsCentredAndBounded) {
    Oscillator saw(Waveform::Saw);
    double sum = 0.0;
    double peak = 0.0;
    const int n = 44100;
    for (int i = 0; i < n; ++i) {
        const double s = saw.Next(1234.5);
        sum += s;
        peak = std::max(peak, std::fabs(s));
    }
    EXPECT_NEAR(sum / n, 0.0, 0.01);
    EXPECT_LE(peak, 1.1);
    EXPECT_NEAR(Oscillator::Sine(0.25), 1.0, 1e-6);
    EXPECT_NEAR(Oscillator::Sine(1.75), -1.0, 1e-6);
}

TEST(PluckString, SoundsAtItsPitch) {
    Random random(3);
    PluckString string(110.0, 2.0, 0.5, random);
    std::vector<double> out(8192);
    for (double& s : out) {
        s = string.Next();
    }
    // The autocorrelation peaks at the period (401 samples for 110 Hz), not a sample off.
    auto correlate = [&out](size_t lag) {
        double sum = 0.0;
        for (size_t i = 2000; i + lag < out.size(); ++i) {
            sum += out[i] * out[i + lag];
        }
        return sum;
    };
    const double period = kSampleRate / 110.0;
    size_t best = 300;
    for (size_t lag = 300; lag < 500; ++lag) {
        if (correlate(lag) > correlate(best)) {
            best = lag;
        }
    }
    EXPECT_NEAR(static_cast<double>(best), period, 1.0);
}

} // namespace
} // namespace Velmora::AudioGen
