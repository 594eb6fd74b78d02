#pragma once

#include "Reverb.h"
#include "Signal.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Velmora::AudioGen {

/// What an instrument is asked to play.
struct Voice {
    double mFrequency; ///< Hz (drums read it as their tuning)
    double mDuration;  ///< seconds the key is held; the instrument adds its own release tail
    double mVelocity;  ///< 0 … 1
    double mScoop;     ///< semitones the pitch slides up into the note (0: none)
    uint64_t mSeed;    ///< for the instrument's noise, unique per note
};

/// Renders one note (with its release tail) as a mono clip starting at the note's onset.
using Instrument = std::function<Mono(const Voice&)>;

/// One note of a track, in musical time.
struct NoteEvent {
    double mBeat;     ///< onset in beats from the start of the loop (before swing)
    double mLength;   ///< written length in beats
    double mPitch;    ///< MIDI note number
    double mVelocity; ///< 0 … 1
    double mScoop;    ///< semitones of slide into the note
};

/// One instrument's part with its place in the mix.
struct Track {
    std::string mName;
    Instrument mInstrument;
    double mGainDb = 0.0;
    double mPan = 0.0;            ///< −1 left … 1 right
    double mReverbSend = 0.0;     ///< linear send level into the room
    double mDelaySend = 0.0;      ///< linear send level into the echo
    double mTimingJitter = 0.004; ///< seconds of random timing deviation (deviation of a normal)
    double mVelocityJitter = 0.05;
    bool mSwing = true; ///< follows the song's swing
    std::vector<NoteEvent> mNotes;

    Track(std::string name, Instrument instrument);
    /// Sets the mix placement and returns the track for chaining.
    Track& Place(double gainDb, double pan, double reverbSend, double delaySend = 0.0);
    /// Sets the humanisation and returns the track for chaining.
    Track& Humanize(double timingSeconds, double velocityJitter);

    /// Adds one note.
    void Add(double beat, double length, double pitch, double velocity, double scoop = 0.0);
    /// Adds a written phrase (see Notation) at beat; legato scales each sounding length;
    /// transpose shifts every pitch by semitones.
    void AddPhrase(double beat, const std::string& phrase, double velocity, double legato = 0.95, int transpose = 0);
    /// Adds a chord; with strum, each higher note starts strum beats after the one below.
    void AddChord(double beat, double length, const std::vector<int>& pitches, double velocity, double strum = 0.0);
};

/// A looping piece: tempo, form length, the tracks and the shared effects.
struct Song {
    std::string mName;
    double mBpm = 100.0;
    int mBeatsPerBar = 4;
    int mBars = 32;
    double mSwing = 0.5; ///< where the off-beat eighth falls within the beat (0.5 straight, 0.667 triplet)
    ReverbSettings mReverb;
    double mReverbReturn = 1.0; ///< linear level of the room in the mix
    double mDelayBeats = 0.75;
    double mDelayFeedback = 0.35;
    double mLoudnessDb = -17.0; ///< RMS the master is scaled to before limiting
    uint64_t mSeed = 1;
    std::vector<Track> mTracks;

    /// Seconds from the loop start to a beat position, with swing applied when swung.
    double BeatToSeconds(double beat, bool swung) const;
    /// Length of one loop in beats.
    double LoopBeats() const { return static_cast<double>(mBars * mBeatsPerBar); }
    /// Length of one loop in seconds.
    double LoopSeconds() const { return BeatToSeconds(LoopBeats(), false); }
};

} // namespace Velmora::AudioGen
