#include "SongRenderer.h"

#include "Limiter.h"
#include "Random.h"
#include "StereoDelay.h"
#include "SvFilter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Velmora::AudioGen {
namespace {

constexpr double kCeilingDb = -1.0;

void AddInto(Stereo& target, const Stereo& source, double gain) {
    for (size_t i = 0; i < target.Frames(); ++i) {
        target.mLeft[i] += static_cast<float>(source.mLeft[i] * gain);
        target.mRight[i] += static_cast<float>(source.mRight[i] * gain);
    }
}

/// Removes rumble and DC below ~25 Hz; run inside ProcessLooped so it too wraps cleanly.
void HighPass(Stereo& buffer) {
    SvFilter left(25.0, 0.707);
    SvFilter right(25.0, 0.707);
    for (size_t i = 0; i < buffer.Frames(); ++i) {
        buffer.mLeft[i] = left.High(buffer.mLeft[i]);
        buffer.mRight[i] = right.High(buffer.mRight[i]);
    }
}

} // namespace

Stereo SongRenderer::Render(const Song& song) {
    const size_t frames = static_cast<size_t>(Signal::ToSamples(song.LoopSeconds()));
    Buses buses{Stereo::Silence(frames), Stereo::Silence(frames), Stereo::Silence(frames)};
    // AUDIOGEN_LEVELS=1 prints each track's level in the dry mix, to balance an arrangement.
    const bool report = std::getenv("AUDIOGEN_LEVELS") != nullptr;
    for (size_t i = 0; i < song.mTracks.size(); ++i) {
        const double before = report ? Signal::Rms(buses.mDry) : 0.0;
        RenderTrack(song, i, buses);
        if (report) {
            const double after = Signal::Rms(buses.mDry);
            std::fprintf(stderr, "%s %-10s %6.1f dB\n", song.mName.c_str(), song.mTracks[i].mName.c_str(),
                         Signal::GainToDb(std::sqrt(std::max(0.0, after * after - before * before))));
        }
    }
    return Master(song, buses);
}

void SongRenderer::RenderTrack(const Song& song, size_t trackIndex, Buses& buses) {
    const Track& track = song.mTracks[trackIndex];
    Random random(Random::Derive(song.mSeed, trackIndex + 1));
    const double gain = Signal::DbToGain(track.mGainDb);
    for (size_t n = 0; n < track.mNotes.size(); ++n) {
        const NoteEvent& note = track.mNotes[n];
        const double start = song.BeatToSeconds(note.mBeat, track.mSwing);
        const double end = song.BeatToSeconds(note.mBeat + note.mLength, track.mSwing);
        const double jitter = std::clamp(random.Gaussian(), -2.5, 2.5) * track.mTimingJitter;
        const double velocity =
            std::clamp(note.mVelocity * (1.0 + track.mVelocityJitter * random.Gaussian()), 0.02, 1.0);
        const Voice voice{Signal::NoteToHz(note.mPitch), std::max(0.01, end - start), velocity, note.mScoop,
                          Random::Derive(song.mSeed ^ (trackIndex << 32), n)};
        const Mono clip = track.mInstrument(voice);
        const long offset = Signal::ToSamples(start + jitter);
        Signal::MixPanned(buses.mDry, clip, offset, gain, track.mPan, true);
        if (track.mReverbSend > 0.0) {
            Signal::MixPanned(buses.mReverb, clip, offset, gain * track.mReverbSend, track.mPan, true);
        }
        if (track.mDelaySend > 0.0) {
            Signal::MixPanned(buses.mDelay, clip, offset, gain * track.mDelaySend, track.mPan, true);
        }
    }
}

Stereo SongRenderer::Master(const Song& song, Buses& buses) {
    const StereoDelay delay(song.BeatToSeconds(song.mDelayBeats, false), song.mDelayFeedback, 3500.0);
    const Stereo echoes = Signal::ProcessLooped(buses.mDelay, [&delay](Stereo& b) { delay.Process(b); });
    AddInto(buses.mDry, echoes, 1.0);
    AddInto(buses.mReverb, echoes, 0.5);

    const ReverbSettings settings = song.mReverb;
    const Stereo room = Signal::ProcessLooped(buses.mReverb, [&settings](Stereo& b) {
        Reverb reverb(settings);
        reverb.Process(b);
    });
    AddInto(buses.mDry, room, song.mReverbReturn);

    Stereo mix = Signal::ProcessLooped(buses.mDry, HighPass);
    const double rms = Signal::Rms(mix);
    if (rms > 0.0) {
        Signal::Scale(mix, Signal::DbToGain(song.mLoudnessDb) / rms);
    }
    const Limiter limiter(Signal::DbToGain(kCeilingDb), 0.004, 0.12);
    return Signal::ProcessLooped(mix, [&limiter](Stereo& b) { limiter.Process(b); });
}

} // namespace Velmora::AudioGen
