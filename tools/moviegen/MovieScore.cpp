#include "MovieScore.h"

#include "Basses.h"
#include "Drums.h"
#include "Keys.h"
#include "Leads.h"
#include "Notation.h"
#include "SongRenderer.h"
#include "Timeline.h"

#include <string>
#include <vector>

namespace Velmora::MovieGen {

using namespace AudioGen;

namespace {

// One chord per bar (two when split); the city, the building, the briefcase, the rings, the end.
const std::vector<std::string> kChords = {
    "Dm", "Dm", "Bbmaj7",              // city
    "A7sus4 A7", "Dm", "Gm6",          // building
    "Bbmaj7", "A7",                    // briefcase
    "Dm", "Bbmaj7", "Gm6 A7",          // rings
    "Dm",                              // title
};

const char* const kVibesMotif = "r:2 A4:0.5 D5:1.5 | r:1 F5:1 E5:2 | r:2 D5:0.5 C5 Bb4:1 | A4:3 r:1";
const char* const kTrumpetLine = "r:1 D5:1 F5:0.5 E5 D5:1 | Bb4:3 r:1 | r:1 Bb4:0.5 C5 D5:1 F5 | E5:2 C#5:1 A4";

std::vector<Chord> BarChords(size_t bar) { return Notation::ParseBar(kChords[bar]); }

Track PadTrack() {
    Track track("pad", Leads::Pad);
    track.Place(-8.0, 0.0, 0.55).Humanize(0.0, 0.02);
    for (size_t bar = 0; bar < kChords.size(); ++bar) {
        const std::vector<Chord> chords = BarChords(bar);
        const double part = 4.0 / static_cast<double>(chords.size());
        const double level = bar < 3 ? 0.45 : bar < 8 ? 0.55 : 0.62;
        for (size_t c = 0; c < chords.size(); ++c) {
            track.AddChord(4.0 * bar + part * c, part, Notation::Voice(chords[c], 57.0, false), level);
        }
    }
    return track;
}

Track BassTrack() {
    Track track("bass", Basses::Upright);
    track.Place(-3.0, 0.0, 0.12).Humanize(0.004, 0.06);
    for (size_t bar = 1; bar < kChords.size(); ++bar) {
        const int root = Notation::RootAtOrAbove(BarChords(bar).front(), 33);
        if (bar + 1 == kChords.size()) {
            track.Add(4.0 * bar, 3.5, root, 0.8);
            continue;
        }
        track.Add(4.0 * bar, 1.5, root, 0.8);
        track.Add(4.0 * bar + 2.5, 1.0, root + 7, 0.55);
    }
    return track;
}

// Brushes for the walk through the city and the building; a heartbeat at the briefcase.
std::vector<Track> Percussion() {
    Track sweep("sweep", Drums::BrushSweep);
    sweep.Place(-9.0, -0.2, 0.3).Humanize(0.003, 0.08);
    Track tap("tap", Drums::BrushTap);
    tap.Place(-7.0, 0.2, 0.3).Humanize(0.004, 0.1);
    Track heart("heart", Drums::Kick);
    heart.Place(-2.0, 0.0, 0.1).Humanize(0.0, 0.02);
    for (int bar = 2; bar < 11; ++bar) {
        sweep.Add(4.0 * bar, 1.8, 60, 0.5);
        sweep.Add(4.0 * bar + 2.0, 1.8, 60, 0.45);
        if (bar >= 3) {
            tap.Add(4.0 * bar + 1.0, 0.2, 60, 0.45);
            tap.Add(4.0 * bar + 3.0, 0.2, 60, 0.5);
        }
    }
    for (int beat = 0; beat < 8; beat += 1) {
        heart.Add(24.0 + beat, 0.3, 28, 0.75);
        heart.Add(24.0 + beat + 0.4, 0.3, 28, 0.5);
    }
    return {sweep, tap, heart};
}

Track PizzicatoTrack() {
    Track track("pizzicato", Basses::Upright);
    track.Place(-9.0, 0.35, 0.3, 0.2).Humanize(0.006, 0.1);
    static constexpr int kOrder[8] = {0, 2, 1, 2, 0, 3, 1, 2};
    for (size_t bar = 6; bar < 8; ++bar) {
        const std::vector<int> notes = Notation::Voice(BarChords(bar).back(), 64.0, false);
        for (int step = 0; step < 8; ++step) {
            track.Add(4.0 * bar + 0.5 * step, 0.3, notes[static_cast<size_t>(kOrder[step]) % notes.size()],
                      step % 2 == 0 ? 0.5 : 0.35);
        }
    }
    return track;
}

// A bell with a long echo on every beat the picture sends out a ring, and one under the title.
Track BellTrack() {
    Track track("bell", Keys::Bell);
    track.Place(-6.0, 0.0, 0.45, 0.55).Humanize(0.0, 0.03);
    const int pitches[] = {86, 81, 77, 86, 81, 74};
    const double start = kRingsStart / kBeat;
    for (size_t i = 0; i < std::size(kRingBeats); ++i) {
        track.Add(start + kRingBeats[i], 1.5, pitches[i], 0.7);
    }
    track.Add(44.0, 3.0, 62, 0.55);
    return track;
}

} // namespace

Song MovieScore::Build() {
    Song song;
    song.mName = "movie_opening";
    song.mBpm = kBpm;
    song.mBars = kBars + 1;
    song.mSeed = 0x0b5c0e;
    song.mReverb.mRoomSize = 0.88;
    song.mReverb.mDamping = 0.45;
    song.mReverbReturn = 1.0;
    song.mDelayBeats = 0.75;
    song.mDelayFeedback = 0.45;
    song.mLoudnessDb = -18.0;
    song.mTracks.push_back(PadTrack());
    song.mTracks.push_back(BassTrack());
    for (Track& track : Percussion()) song.mTracks.push_back(std::move(track));
    song.mTracks.push_back(PizzicatoTrack());
    song.mTracks.push_back(BellTrack());
    Track vibes("vibes", Keys::Vibes);
    vibes.Place(-4.0, -0.15, 0.4, 0.3).Humanize(0.008, 0.06);
    vibes.AddPhrase(0.0, kVibesMotif, 0.6);
    vibes.AddChord(44.0, 4.0, {62, 65, 69, 76}, 0.45, 0.12);
    song.mTracks.push_back(std::move(vibes));
    Track trumpet("trumpet", Leads::MutedTrumpet);
    trumpet.Place(-6.0, 0.1, 0.45, 0.2).Humanize(0.01, 0.05);
    trumpet.AddPhrase(16.0, kTrumpetLine, 0.55, 0.97);
    song.mTracks.push_back(std::move(trumpet));
    return song;
}

Stereo MovieScore::Render() {
    Stereo track = SongRenderer::Render(Build());
    const size_t length = static_cast<size_t>(Signal::ToSamples(kSeconds));
    track.mLeft.resize(length);
    track.mRight.resize(length);
    Signal::FadeEdges(track.mLeft, 0.05, kFadeOut + 0.5);
    Signal::FadeEdges(track.mRight, 0.05, kFadeOut + 0.5);
    return track;
}

} // namespace Velmora::MovieGen
