#include "TitleBluesSong.h"

#include "Basses.h"
#include "BluesKit.h"
#include "Drums.h"
#include "Keys.h"
#include "Leads.h"

#include <string>
#include <vector>

namespace Velmora::AudioGen {
namespace {

const std::vector<std::string> kChorus = {
    "Cm9", "Fm9", "Cm9", "Gm7 C7b9", "Fm9", "Fm9", "Cm9", "Cm9", "Ab13", "G7#9", "Cm9 Ab13", "Dm7b5 G7b9",
};

// The head: lazy phrases with blue notes (F#, Gb) and scoops.
const char* const kHead =
    "r:1 G4:0.5 Bb4 C5~:1.5 Bb4:0.5 | G4:1 Eb4 F4:2 | r:0.5 C5 Eb5 F5 F#5~ G5:1.5 | Eb5:1 C5 Bb4 G4 | "
    "r:1 Ab4:0.5 C5 Eb5~:2 | D5:0.5 C5 Ab4:1 F4:2 | r:1 G4:0.5 Bb4 C5:1 Eb5 | D5:1.5 C5:0.5 G4:2 | "
    "r:0.5 Eb5 F5 Gb5 F5:1 Eb5 | D5:1 B4 Bb4~ G4 | C5:2 r:0.5 Eb4 F4 Gb4 | G4:2 Ab4:1 B4";

// The second chorus: busier, with triplet turns, as a tenor would stretch out.
const char* const kSolo =
    "C5:0.5 Eb5 G5:1 F5:1/3 Gb5 F5 Eb5:1 | C5:1 Ab4:0.5 C5 Eb5:1 C5 | r:0.5 G4 Bb4 C5 Eb5:1 F5~ | "
    "G5:1.5 F5:0.5 Eb5 D5 Db5 C5 | Ab5~:2 G5:0.5 F5 Eb5:1 | C5:1 Eb5:0.5 F5 Ab5~:2 | "
    "G5:1 Eb5:0.5 C5 Bb4:1 G4 | C5:1 r:1 G4:0.5 Bb4 C5:1 | Eb5:0.5 F5 Gb5 Ab5:1.5 Gb5:0.5 F5 | "
    "D5:1.5 F5:0.5 Ab5:1 G5 | Eb5:1 C5 r:1 Ab4:0.5 C5 | B4:1 D5 F5 Ab4:0.5 B4";

std::vector<std::string> Form() {
    std::vector<std::string> bars = kChorus;
    bars.insert(bars.end(), kChorus.begin(), kChorus.end());
    return bars;
}

Track Brushes(const std::string& name, Instrument instrument) {
    Track track(name, std::move(instrument));
    track.Humanize(0.008, 0.12);
    return track;
}

std::vector<Track> Percussion(size_t bars) {
    Track sweep = Brushes("sweep", Drums::BrushSweep);
    sweep.Place(-1.0, -0.25, 0.2);
    Track tap = Brushes("tap", Drums::BrushTap);
    tap.Place(-1.0, 0.1, 0.3);
    Track ride = Brushes("ride", Drums::Ride);
    ride.Place(-8.0, 0.4, 0.25);
    Track pedal = Brushes("pedal", Drums::HiHat);
    pedal.Place(-8.0, -0.35, 0.1);
    Track kick = Brushes("kick", Drums::Kick);
    kick.Place(-10.0, 0.0, 0.0);
    for (size_t bar = 0; bar < bars; ++bar) {
        const double b = 4.0 * bar;
        sweep.Add(b, 1.9, 60, 0.7);
        sweep.Add(b + 2.0, 1.9, 60, 0.65);
        tap.Add(b + 1.0, 0.2, 60, 0.75);
        tap.Add(b + 3.0, 0.2, 60, 0.8);
        tap.Add(b + 3.5, 0.2, 60, 0.3);
        pedal.Add(b + 1.0, 0.05, 60, 0.45);
        pedal.Add(b + 3.0, 0.05, 60, 0.45);
        for (int beat = 0; beat < 4; ++beat) {
            kick.Add(b + beat, 0.3, 28, 0.35);
        }
        if (bar >= 12) {
            // The second chorus lifts with the ride's "ding, ding-da" figure.
            static constexpr double kRide[6][2] = {{0, 0.6}, {1, 0.75}, {1.5, 0.4}, {2, 0.6}, {3, 0.75}, {3.5, 0.4}};
            for (const auto& hit : kRide) {
                ride.Add(b + hit[0], 0.3, 60, hit[1]);
            }
        }
    }
    return {sweep, tap, ride, pedal, kick};
}

const std::vector<BluesKit::Pattern>& Rhythms() {
    static const std::vector<BluesKit::Pattern> patterns = {
        {{0.0, 1.2, 1.0}, {1.5, 0.45, 0.8}},
        {{0.0, 3.6, 0.9}},
        {{0.5, 1.0, 0.9}, {2.0, 1.0, 0.8}, {3.5, 0.45, 0.7}},
        {{1.0, 0.8, 0.85}, {2.5, 1.3, 0.9}},
        {{0.0, 1.4, 1.0}, {2.5, 0.45, 0.75}, {3.0, 0.9, 0.85}},
    };
    return patterns;
}

} // namespace

Song TitleBluesSong::Build() {
    Song song;
    song.mName = "vm_blues_title";
    song.mBpm = 70.0;
    song.mSwing = 0.667;
    const std::vector<std::string> form = Form();
    song.mBars = static_cast<int>(form.size());
    song.mSeed = 0xb1e5;
    song.mReverb.mRoomSize = 0.78;
    song.mReverb.mDamping = 0.55;
    song.mReverbReturn = 0.85;
    song.mDelayBeats = 1.5;
    song.mDelayFeedback = 0.25;
    song.mLoudnessDb = -19.0;

    Track bass("bass", Basses::Upright);
    bass.Place(-1.0, 0.05, 0.08).Humanize(0.006, 0.06);
    BluesKit::WalkBass(bass, form, 31, 0x3a1c, 0.85);
    song.mTracks.push_back(std::move(bass));

    Track piano("rhodes", Keys::ElectricPiano);
    piano.Place(-7.0, -0.2, 0.35).Humanize(0.01, 0.08);
    BluesKit::Comp(piano, form, 63.0, true, Rhythms(), 0x9e11, 0.6);
    song.mTracks.push_back(std::move(piano));

    for (Track& track : Percussion(form.size())) {
        song.mTracks.push_back(std::move(track));
    }
    Track trumpet("trumpet", Leads::MutedTrumpet);
    trumpet.Place(-4.0, 0.15, 0.35, 0.15).Humanize(0.015, 0.07);
    trumpet.AddPhrase(0.0, kHead, 0.75, 0.92);
    song.mTracks.push_back(std::move(trumpet));
    Track sax("sax", Leads::Sax);
    sax.Place(-4.0, 0.1, 0.35, 0.1).Humanize(0.015, 0.07);
    sax.AddPhrase(48.0, kSolo, 0.75, 0.92, -12);
    song.mTracks.push_back(std::move(sax));
    return song;
}

} // namespace Velmora::AudioGen
