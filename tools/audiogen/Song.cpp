#include "Song.h"

#include "Notation.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Velmora::AudioGen {

Track::Track(std::string name, Instrument instrument) : mName(std::move(name)), mInstrument(std::move(instrument)) {}

Track& Track::Place(double gainDb, double pan, double reverbSend, double delaySend) {
    mGainDb = gainDb;
    mPan = pan;
    mReverbSend = reverbSend;
    mDelaySend = delaySend;
    return *this;
}

Track& Track::Humanize(double timingSeconds, double velocityJitter) {
    mTimingJitter = timingSeconds;
    mVelocityJitter = velocityJitter;
    return *this;
}

void Track::Add(double beat, double length, double pitch, double velocity, double scoop) {
    mNotes.push_back(NoteEvent{beat, length, pitch, velocity, scoop});
}

void Track::AddPhrase(double beat, const std::string& phrase, double velocity, double legato, int transpose) {
    for (const PhraseNote& note : Notation::ParsePhrase(phrase)) {
        const double sounding = note.mLength * legato * (note.mStaccato ? 0.5 : 1.0);
        Add(beat + note.mBeat, sounding, note.mPitch + transpose, std::min(1.0, velocity * note.mAccent), note.mScoop);
    }
}

void Track::AddChord(double beat, double length, const std::vector<int>& pitches, double velocity, double strum) {
    for (size_t i = 0; i < pitches.size(); ++i) {
        const double offset = strum * static_cast<double>(i);
        Add(beat + offset, std::max(0.05, length - offset), pitches[i], velocity);
    }
}

double Song::BeatToSeconds(double beat, bool swung) const {
    const double whole = std::floor(beat);
    double fraction = beat - whole;
    // Triplet positions (thirds of a beat) are already swung and stay where they are written.
    const bool triplet = std::fabs(fraction * 3.0 - std::round(fraction * 3.0)) < 1e-6;
    if (swung && mSwing != 0.5 && !triplet) {
        fraction = fraction < 0.5 ? fraction / 0.5 * mSwing : mSwing + (fraction - 0.5) / 0.5 * (1.0 - mSwing);
    }
    return (whole + fraction) * 60.0 / mBpm;
}

} // namespace Velmora::AudioGen
