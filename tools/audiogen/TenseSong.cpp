#include "TenseSong.h"

#include "Basses.h"
#include "Drums.h"
#include "Keys.h"
#include "Leads.h"
#include "Notation.h"

#include <string>
#include <vector>

namespace Velmora::AudioGen {
namespace {

// One chord per bar; "A7sus4 A7" splits a bar in halves.
const std::vector<std::string> kChords = {
    "Dm",     "Dm",     "Bbmaj7", "A7sus4 A7", "Dm",     "Dm",     "Gm6",   "A7", // A
    "Dm",     "Dm",     "Bbmaj7", "A7sus4 A7", "Dm",     "Dm",     "Gm6",   "A7", // A'
    "Bbmaj7", "Bbmaj7", "Gm",     "Gm",        "Ebmaj7", "Ebmaj7", "Em7b5", "A7", // B
    "Dm",     "Dm",     "Bbmaj7", "A7",        "Dm",     "Dm",     "Gm6",   "A7", // A''
};

// The hesitant opening motif: a pickup and one note, then silence.
const char* const kMotif =
    "r:2.5 A4:0.5 D5:1 | r:4 | r:2.5 A4:0.5 F5:1 | E5:2 r:2 | "
    "r:2.5 A4:0.5 D5:1 | r:4 | r:2 G4:0.5 Bb4:0.5 D5:1 | C#5:2 r:2";

const char* const kMelody =
    "r:1 D5:0.5 r:0.5 F5:0.75 E5:0.25 D5:1 | A4:2 r:2 | r:1 D5:0.5 F5 A5:1 G5:0.5 F5 | E5:3 r:1 | "
    "r:1 F5:0.5 r:0.5 E5:0.75 D5:0.25 C5:1 | A4:2 r:1 Bb4:0.5 C5 | D5:1.5 Bb4:0.5 G4:1 Bb4 | A4:3 r:1";

const char* const kBridge =
    "F4~:1.5 A4:0.5 D5:2 | C5:1 A4 F4:2 | G4:1.5 Bb4:0.5 D5:1.5 F5:0.5 | E5~:3 r:1 | "
    "G5:1.5 F5:0.5 Eb5:1 D5 | Bb4~:3 r:1 | Bb4:1 D5 G5:1.5 F5:0.5 | E5:2 C#5:1 A4";

const char* const kReprise =
    "r:1 D5:0.5 r:0.5 F5:0.75 E5:0.25 D5:1 | A4:2 r:2 | r:1 D5:0.5 F5 A5:2 | G5:0.5 F5 E5:2 r:1 | "
    "r:4 | r:2 F4:0.5 A4 D5:1 | r:2 Bb4:1 G4 | A4:2 r:2";

std::vector<Chord> BarChords(size_t bar) { return Notation::ParseBar(kChords[bar]); }

Track Bass() {
    Track track("bass", Basses::Round);
    track.Place(0.0, 0.0, 0.05).Humanize(0.003, 0.04);
    for (size_t bar = 0; bar < kChords.size(); ++bar) {
        const double b = 4.0 * bar;
        const std::vector<Chord> chords = BarChords(bar);
        const int root = Notation::RootAtOrAbove(chords.front(), 31);
        // A 3+3+2 pulse; the bridge walks a step towards the next bar's root.
        track.Add(b, 1.2, root, 0.85);
        track.Add(b + 1.5, 1.2, root, 0.6);
        track.Add(b + 3.0, 0.45, root, 0.7);
        if (bar >= 16 && bar < 24) {
            track.Add(b + 3.5, 0.4, root + 7, 0.5);
        }
    }
    return track;
}

Track Pad() {
    Track track("pad", Leads::Pad);
    track.Place(-9.0, 0.0, 0.5).Humanize(0.0, 0.02);
    for (size_t bar = 0; bar < kChords.size(); ++bar) {
        const std::vector<Chord> chords = BarChords(bar);
        const double part = 4.0 / static_cast<double>(chords.size());
        const double level = bar >= 16 && bar < 24 ? 0.75 : 0.55;
        for (size_t c = 0; c < chords.size(); ++c) {
            track.AddChord(4.0 * bar + part * c, part, Notation::Voice(chords[c], 58.0, false), level);
        }
    }
    return track;
}

Track Pizzicato() {
    Track track("pizzicato", Basses::Upright);
    track.Place(-8.0, 0.35, 0.25, 0.25).Humanize(0.006, 0.12);
    static constexpr int kOrder[8] = {0, 2, 1, 2, 0, 3, 1, 2};
    for (size_t bar = 8; bar < kChords.size(); ++bar) {
        if (bar >= 16 && bar < 24 && bar % 2 == 1) {
            continue; // the bridge breathes every other bar
        }
        const std::vector<int> notes = Notation::Voice(BarChords(bar).back(), 64.0, false);
        for (int step = 0; step < 8; ++step) {
            const int pitch = notes[static_cast<size_t>(kOrder[step]) % notes.size()];
            track.Add(4.0 * bar + 0.5 * step, 0.3, pitch, step % 2 == 0 ? 0.55 : 0.38);
        }
    }
    return track;
}

std::vector<Track> Percussion() {
    Track kick("kick", Drums::Kick);
    kick.Place(-3.0, 0.0, 0.0).Humanize(0.002, 0.05);
    Track rim("rim", Drums::Rim);
    rim.Place(-1.0, -0.2, 0.3).Humanize(0.004, 0.1);
    Track shaker("shaker", Drums::Shaker);
    shaker.Place(-5.0, 0.3, 0.15).Humanize(0.005, 0.15);
    Track hat("hat", Drums::HiHat);
    hat.Place(-8.0, -0.3, 0.1).Humanize(0.003, 0.15);
    for (int bar = 0; bar < 32; ++bar) {
        const double b = 4.0 * bar;
        kick.Add(b, 0.5, 31, 0.75);
        if (bar % 4 != 0 || bar >= 8) {
            kick.Add(b + 2.5, 0.5, 31, 0.55);
        }
        rim.Add(b + 3.0, 0.2, 60, 0.6);
        if (bar % 2 == 1) {
            rim.Add(b + 3.75, 0.2, 60, 0.3);
        }
        for (int step = 0; step < 8 && bar >= 4; ++step) {
            shaker.Add(b + 0.5 * step, 0.2, 60, step % 2 == 1 ? 0.5 : 0.3);
        }
        for (int step = 0; step < 16 && bar >= 16; ++step) {
            hat.Add(b + 0.25 * step, 0.05, 60, step % 4 == 2 ? 0.5 : 0.22);
        }
    }
    return {kick, rim, shaker, hat};
}

} // namespace

Song TenseSong::Build() {
    Song song;
    song.mName = "vm_tense";
    song.mBpm = 96.0;
    song.mBars = static_cast<int>(kChords.size());
    song.mSeed = 0x7e45e;
    song.mReverb.mRoomSize = 0.85;
    song.mReverb.mDamping = 0.5;
    song.mReverbReturn = 0.9;
    song.mDelayBeats = 0.75;
    song.mDelayFeedback = 0.42;
    song.mLoudnessDb = -19.0;
    song.mTracks.push_back(Bass());
    song.mTracks.push_back(Pad());
    song.mTracks.push_back(Pizzicato());
    for (Track& track : Percussion()) {
        song.mTracks.push_back(std::move(track));
    }
    Track vibes("vibes", Keys::Vibes);
    vibes.Place(-4.0, -0.15, 0.35, 0.3).Humanize(0.008, 0.08);
    vibes.AddPhrase(0.0, kMotif, 0.6);
    vibes.AddPhrase(32.0, kMelody, 0.7);
    vibes.AddPhrase(96.0, kReprise, 0.65);
    song.mTracks.push_back(std::move(vibes));
    Track sax("sax", Leads::Sax);
    sax.Place(-7.0, 0.1, 0.4, 0.15).Humanize(0.01, 0.06);
    sax.AddPhrase(64.0, kBridge, 0.5, 0.98, -12);
    song.mTracks.push_back(std::move(sax));
    return song;
}

} // namespace Velmora::AudioGen
