#include "CreditsBluesSong.h"

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
    "G7", "C9", "G7", "G7", "C9", "C9", "G7", "E7", "Am7", "D9", "G7 E7", "Am7 D7",
};

// A riff head in the AAB shape of a blues verse.
const char* const kHead =
    "r:0.5 D5 F5 F#5 G5:1 D5 | r:0.5 E5 G5 E5 Bb4~:1 G4 | r:0.5 D5 F5 F#5 G5:1 A5:0.5 G5 | E5:1 D5 r:2 | "
    "r:0.5 G5 Bb5 B5 C6:1 G5 | r:0.5 A5 C6 A5 Eb5~:1 C5 | r:0.5 D5 F5 F#5 G5:1 D5 | E5:1 G#5 B5 D6 | "
    "C6:1 A5:0.5 G5 E5:1 C5 | D5:0.5 F#5 A5 C6 B5:1 A5 | G5:1.5 F5:0.5 E5:1 D5:0.5 B4 | A4:1 C5 D5 r:1";

// The organ's chorus: longer lines answering the riff.
const char* const kOrganLine =
    "B4:0.5 D5 G5:2 F5:0.5 D5 | E5:1 C5 Bb4~:2 | B4:0.5 D5 G5:1 A5:0.5 B5 A5:1 | G5:3 r:1 | "
    "E5:0.5 G5 C6:2 Bb5:0.5 G5 | A5:1 G5 Eb5~:2 | D5:0.5 G5 B5:1 A5:0.5 G5 E5:1 | D5:1 E5 G#5:2 | "
    "A5:1.5 G5:0.5 E5:1 C5 | F#5:1.5 A5:0.5 C6:1 A5 | B5:1 A5:0.5 G5 E5:1 G#4 | A4:1 C5 F#5 D5";

std::vector<std::string> Form() {
    std::vector<std::string> bars;
    for (int chorus = 0; chorus < 3; ++chorus) {
        bars.insert(bars.end(), kChorus.begin(), kChorus.end());
    }
    return bars;
}

std::vector<Track> Percussion(size_t bars) {
    Track kick("kick", Drums::Kick);
    kick.Place(-4.0, 0.0, 0.0).Humanize(0.003, 0.05);
    Track snare("snare", Drums::Snare);
    snare.Place(-1.0, 0.05, 0.3).Humanize(0.004, 0.06);
    Track hat("hat", Drums::HiHat);
    hat.Place(-7.0, -0.3, 0.1).Humanize(0.004, 0.08);
    Track ride("ride", Drums::Ride);
    ride.Place(-6.0, 0.35, 0.2).Humanize(0.004, 0.08);
    Track crash("crash", Drums::Crash);
    crash.Place(-9.0, 0.4, 0.2).Humanize(0.0, 0.0);
    for (size_t bar = 0; bar < bars; ++bar) {
        const double b = 4.0 * bar;
        const bool lastChorus = bar >= 24;
        kick.Add(b, 0.3, 31, 0.8);
        kick.Add(b + 2.0, 0.3, 31, 0.75);
        kick.Add(b + 2.5, 0.3, 31, 0.4);
        snare.Add(b + 1.0, 0.2, 60, 0.75);
        snare.Add(b + 3.0, 0.2, 60, 0.8);
        snare.Add(b + 3.5, 0.1, 60, 0.2);
        Track& cymbal = lastChorus ? ride : hat;
        for (int eighth = 0; eighth < 8; ++eighth) {
            const double level = eighth % 2 == 0 ? 0.65 : 0.4;
            cymbal.Add(b + 0.5 * eighth, 0.05, 60, level);
        }
        if (bar % 12 == 0) {
            crash.Add(b, 1.0, 60, 0.7);
        }
    }
    return {kick, snare, hat, ride, crash};
}

const std::vector<BluesKit::Pattern>& PianoRhythms() {
    // Shuffle comping on the swung off-beats, with a push into the next bar.
    static const std::vector<BluesKit::Pattern> patterns = {
        {{0.5, 0.3, 0.8}, {1.5, 0.3, 0.9}, {2.5, 0.3, 0.8}, {3.5, 0.3, 0.9}},
        {{0.0, 0.4, 0.9}, {1.5, 0.3, 0.85}, {2.5, 0.7, 0.8}},
        {{0.5, 0.3, 0.8}, {1.5, 0.8, 0.9}, {3.0, 0.3, 0.75}, {3.5, 0.4, 0.9}},
    };
    return patterns;
}

} // namespace

Song CreditsBluesSong::Build() {
    Song song;
    song.mName = "vm_blues_credits";
    song.mBpm = 120.0;
    song.mSwing = 0.667;
    const std::vector<std::string> form = Form();
    song.mBars = static_cast<int>(form.size());
    song.mSeed = 0xc4ed175;
    song.mReverb.mRoomSize = 0.7;
    song.mReverb.mDamping = 0.45;
    song.mReverbReturn = 0.75;
    song.mDelayBeats = 1.0;
    song.mDelayFeedback = 0.2;
    song.mLoudnessDb = -17.0;

    Track bass("bass", Basses::Upright);
    bass.Place(0.0, 0.0, 0.05).Humanize(0.004, 0.05);
    BluesKit::BoogieBass(bass, form, 31, 0.85);
    song.mTracks.push_back(std::move(bass));

    Track piano("piano", Keys::Piano);
    piano.Place(-4.0, -0.3, 0.25).Humanize(0.006, 0.08);
    BluesKit::Comp(piano, form, 65.0, true, PianoRhythms(), 0x71a0, 0.65);
    song.mTracks.push_back(std::move(piano));

    Track organ("organ", Keys::Organ);
    organ.Place(-13.0, 0.3, 0.3).Humanize(0.0, 0.0);
    BluesKit::Comp(organ, form, 60.0, false, {{{0.0, 3.9, 1.0}}}, 0x0e6a, 0.5);
    organ.AddPhrase(48.0, kOrganLine, 0.9, 0.9);
    song.mTracks.push_back(std::move(organ));

    for (Track& track : Percussion(form.size())) {
        song.mTracks.push_back(std::move(track));
    }
    Track sax("sax", Leads::Sax);
    sax.Place(-3.0, 0.1, 0.3, 0.08).Humanize(0.01, 0.06);
    sax.AddPhrase(0.0, kHead, 0.8, 0.9, -12);
    sax.AddPhrase(96.0, kHead, 0.9, 0.9, -12);
    song.mTracks.push_back(std::move(sax));
    Track doubled("sax octave", Leads::MutedTrumpet);
    doubled.Place(-12.0, -0.2, 0.3).Humanize(0.01, 0.06);
    doubled.AddPhrase(96.0, kHead, 0.7, 0.9);
    song.mTracks.push_back(std::move(doubled));
    return song;
}

} // namespace Velmora::AudioGen
