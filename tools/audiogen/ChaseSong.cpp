#include "ChaseSong.h"

#include "Basses.h"
#include "Drums.h"
#include "Keys.h"
#include "Leads.h"
#include "Notation.h"

#include <cmath>
#include <string>
#include <vector>

namespace Velmora::AudioGen {
namespace {

const std::vector<std::string> kChords = {
    "Em", "Em", "C",  "D",  "Em", "Em", "C",  "B7", // drive
    "Em", "Em", "C",  "D",  "Em", "Em", "C",  "B7", // theme
    "Am", "Am", "Em", "Em", "C",  "D",  "B7", "B7", // bridge
    "Em", "C",  "Am", "B7", "Em", "C",  "Am", "B7", // build
    "Em", "Em", "C",  "D",  "Em", "Em", "C",  "B7", // theme again
    "Em", "Em", "C",  "D",  "Em", "Am", "C",  "B7", // call and response
};

const char* const kTheme =
    "E5:0.5 r:0.25 E5:0.25 G5:0.5 A5 B5:1.5 A5:0.25 G5 | F#5:0.75 E5 D5:0.5 E5:1 r:1 | "
    "E5:0.5 G5 C6:1 B5:0.5 A5 G5:1 | F#5:1 A5 D6:1.5 C6:0.5 | "
    "B5:0.5 r:0.25 B5:0.25 A5:0.5 G5 E5:1.5 G5:0.5 | F#5:0.5 G5 A5:1 B5:2 | "
    "C6:0.5 B5 A5 G5 A5:1 E5 | D#5:1 F#5 A5 B5";

const char* const kBridge =
    "A5:1.5 C6:0.5 B5:1 A5 | E5:3 r:1 | G5:1.5 B5:0.5 A5:1 G5 | E5:3 r:1 | "
    "E5:1 G5 C6:1.5 B5:0.5 | A5:1 F#5 D5:2 | D#5:1 F#5 B5 A5 | F#5:2 D#5";

const char* const kAnswer =
    "r:2 B5:0.5 A5 G5 E5 | r:2 G5:0.5 F#5 E5 D5 | r:2 E5:0.5 G5 C6 B5 | r:2 A5:0.5 F#5 D5 F#5 | "
    "E5:1.5 B5 G5:1 | A5:1.5 E6 D6:1 | C6:1 B5 A5 G5 | F#5:2 D#5:1 B4";

// Bass ostinato in sixteenths, semitones above the bar's root.
constexpr int kOstinato[16] = {0, 0, 12, 0, 0, 10, 0, 12, 0, 0, 12, 0, 7, 0, 10, 12};

bool InSection(size_t bar, size_t first) { return bar >= first && bar < first + 8; }

Track Bass() {
    Track track("bass", Basses::Drive);
    track.Place(-1.0, 0.0, 0.0).Humanize(0.002, 0.04);
    for (size_t bar = 0; bar < kChords.size(); ++bar) {
        const int root = Notation::RootAtOrAbove(Notation::ParseBar(kChords[bar]).front(), 33);
        for (int step = 0; step < 16; ++step) {
            const double velocity = step % 4 == 0 ? 0.95 : (step % 2 == 0 ? 0.7 : 0.55);
            track.Add(4.0 * bar + 0.25 * step, 0.2, root + kOstinato[step], velocity);
        }
    }
    return track;
}

void AddStab(Track& track, size_t bar, double beat, double length, double velocity) {
    const Chord chord = Notation::ParseBar(kChords[bar]).front();
    track.AddChord(4.0 * bar + beat, length, Notation::Voice(chord, 66.0, false), velocity);
}

Track Stabs() {
    Track track("stabs", Leads::BrassStab);
    track.Place(-5.0, 0.15, 0.3).Humanize(0.003, 0.05);
    for (size_t bar = 0; bar < kChords.size(); ++bar) {
        if (InSection(bar, 0) && bar % 4 == 3) {
            AddStab(track, bar, 2.5, 0.3, 0.8);
            AddStab(track, bar, 3.5, 0.4, 0.9);
        } else if (InSection(bar, 8) || InSection(bar, 32)) {
            AddStab(track, bar, 1.5, 0.3, 0.7);
            AddStab(track, bar, 3.5, 0.35, 0.75);
        } else if (InSection(bar, 16)) {
            AddStab(track, bar, 0.0, 1.2, 0.65);
            AddStab(track, bar, 1.5, 0.4, 0.6);
            AddStab(track, bar, 3.0, 0.8, 0.7);
        } else if (InSection(bar, 40) && bar < 44) {
            AddStab(track, bar, 0.0, 0.3, 0.9);
            AddStab(track, bar, 0.75, 0.3, 0.8);
            AddStab(track, bar, 1.5, 0.4, 0.85);
        }
    }
    return track;
}

Track Arpeggio() {
    Track track("arpeggio", Leads::SynthLead);
    track.Place(-11.0, -0.4, 0.2, 0.35).Humanize(0.002, 0.08);
    static constexpr int kOrder[8] = {0, 1, 2, 3, 2, 1, 0, 2};
    for (size_t bar = 24; bar < 32; ++bar) {
        const std::vector<int> notes = Notation::Voice(Notation::ParseBar(kChords[bar]).front(), 68.0, false);
        for (int step = 0; step < 16; ++step) {
            const int pitch = notes[static_cast<size_t>(kOrder[step % 8]) % notes.size()] + (step >= 8 ? 12 : 0);
            track.Add(4.0 * bar + 0.25 * step, 0.15, pitch, step % 4 == 0 ? 0.8 : 0.5);
        }
    }
    return track;
}

Track Pad() {
    Track track("pad", Leads::Pad);
    track.Place(-10.0, 0.0, 0.5).Humanize(0.0, 0.0);
    for (size_t bar = 16; bar < 32; ++bar) {
        const Chord chord = Notation::ParseBar(kChords[bar]).front();
        track.AddChord(4.0 * bar, 4.0, Notation::Voice(chord, 57.0, false), 0.6);
    }
    return track;
}

struct Kit {
    Track mKick{"kick", Drums::Kick};
    Track mSnare{"snare", Drums::Snare};
    Track mHat{"hat", Drums::HiHat};
    Track mCrash{"crash", Drums::Crash};
    Track mToms{"toms", Drums::Tom};
};

void AddGroove(Kit& kit, size_t bar) {
    const double b = 4.0 * bar;
    const bool build = InSection(bar, 24);
    const std::vector<double> kicks =
        build ? std::vector<double>{0.0, 1.0, 2.0, 3.0} : std::vector<double>{0.0, 1.5, 2.0, 3.5};
    for (const double k : kicks) {
        kit.mKick.Add(b + k, 0.3, 33, k == 0.0 ? 0.95 : 0.8);
    }
    kit.mSnare.Add(b + 1.0, 0.2, 60, 0.9);
    kit.mSnare.Add(b + 3.0, 0.2, 60, 0.9);
    kit.mSnare.Add(b + 1.75, 0.1, 60, 0.25);
    kit.mSnare.Add(b + 3.25, 0.1, 60, 0.2);
    for (int step = 0; step < 16; ++step) {
        const bool open = step == 14 && bar % 2 == 1;
        kit.mHat.Add(b + 0.25 * step, open ? 0.5 : 0.05, 60, step % 4 == 0 ? 0.75 : (step % 2 == 0 ? 0.55 : 0.35));
    }
}

/// The last beat of every eighth bar: four descending sixteenth toms.
void AddFill(Kit& kit, size_t bar) {
    static constexpr double kTuning[4] = {196.0, 165.0, 131.0, 104.0};
    for (int step = 0; step < 4; ++step) {
        kit.mToms.Add(4.0 * bar + 3.0 + 0.25 * step, 0.2, 60, 0.75 + 0.05 * step);
        kit.mToms.mNotes.back().mPitch = 69.0 + 12.0 * std::log2(kTuning[step] / 440.0);
    }
}

/// Snare roll through the end of the build: eighths, then sixteenths, growing louder.
void AddRoll(Kit& kit) {
    for (int step = 0; step < 8; ++step) {
        kit.mSnare.Add(4.0 * 30 + 0.5 * step, 0.1, 60, 0.35 + 0.03 * step);
    }
    for (int step = 0; step < 16; ++step) {
        kit.mSnare.Add(4.0 * 31 + 0.25 * step, 0.1, 60, 0.5 + 0.025 * step);
    }
}

std::vector<Track> Percussion() {
    Kit kit;
    kit.mKick.Place(-2.0, 0.0, 0.0).Humanize(0.001, 0.03);
    kit.mSnare.Place(0.0, 0.05, 0.25).Humanize(0.002, 0.05);
    kit.mHat.Place(-8.0, -0.3, 0.05).Humanize(0.002, 0.08);
    kit.mCrash.Place(-8.0, 0.4, 0.2).Humanize(0.0, 0.0);
    kit.mToms.Place(-6.0, -0.2, 0.25).Humanize(0.002, 0.04);
    for (size_t bar = 0; bar < kChords.size(); ++bar) {
        AddGroove(kit, bar);
        if (bar % 8 == 0) {
            kit.mCrash.Add(4.0 * bar, 1.0, 60, 0.8);
        }
        if (bar % 8 == 7 && bar != 31) {
            AddFill(kit, bar);
        }
    }
    AddRoll(kit);
    return {kit.mKick, kit.mSnare, kit.mHat, kit.mCrash, kit.mToms};
}

} // namespace

Song ChaseSong::Build() {
    Song song;
    song.mName = "vm_chase";
    song.mBpm = 152.0;
    song.mBars = static_cast<int>(kChords.size());
    song.mSeed = 0xc4a5e;
    song.mReverb.mRoomSize = 0.6;
    song.mReverb.mDamping = 0.5;
    song.mReverbReturn = 0.7;
    song.mDelayBeats = 0.75;
    song.mDelayFeedback = 0.3;
    song.mLoudnessDb = -16.0;
    song.mTracks.push_back(Bass());
    song.mTracks.push_back(Stabs());
    song.mTracks.push_back(Arpeggio());
    song.mTracks.push_back(Pad());
    for (Track& track : Percussion()) {
        song.mTracks.push_back(std::move(track));
    }
    Track lead("lead", Leads::SynthLead);
    lead.Place(-5.0, 0.0, 0.3, 0.2).Humanize(0.003, 0.05);
    lead.AddPhrase(32.0, kTheme, 0.8, 0.9);
    lead.AddPhrase(64.0, kBridge, 0.75, 0.95);
    lead.AddPhrase(128.0, kTheme, 0.85, 0.9);
    lead.AddPhrase(160.0, kAnswer, 0.85, 0.9);
    song.mTracks.push_back(std::move(lead));
    Track low("lead low", Leads::Sax);
    low.Place(-10.0, 0.25, 0.25).Humanize(0.004, 0.05);
    low.AddPhrase(128.0, kTheme, 0.7, 0.9, -12);
    song.mTracks.push_back(std::move(low));
    return song;
}

} // namespace Velmora::AudioGen
