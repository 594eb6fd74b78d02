#include "InterfaceSounds.h"

#include "Drums.h"
#include "EffectTools.h"
#include "Keys.h"
#include "Leads.h"
#include "Oscillator.h"
#include "Random.h"
#include "SvFilter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace Velmora::AudioGen {
namespace {

double Time(size_t i) { return static_cast<double>(i) / kSampleRate; }

Voice Note(double pitch, double duration, double velocity, uint64_t seed = 1) {
    return Voice{Signal::NoteToHz(pitch), duration, velocity, 0.0, seed};
}

ReverbSettings Hall() {
    ReverbSettings room;
    room.mRoomSize = 0.75;
    room.mDamping = 0.45;
    room.mPreDelay = 0.015;
    return room;
}

/// Plays a list of (pitch, start, length) notes on an instrument into out.
void Play(Mono& out, Mono (*instrument)(const Voice&), std::initializer_list<std::array<double, 3>> notes,
          double velocity, double gain) {
    uint64_t seed = 11;
    for (const auto& n : notes) {
        EffectTools::Place(out, instrument(Note(n[0], n[2], velocity, seed++)), n[1], gain);
    }
}

} // namespace

Mono InterfaceSounds::WinLevel() {
    Mono out = EffectTools::Blank(2.2);
    // G4 C5 E5 | G5 E5 | C6 held, at roughly 160 BPM triplets.
    Play(out, Leads::SynthLead,
         {{67, 0.0, 0.1}, {72, 0.11, 0.1}, {76, 0.22, 0.1}, {79, 0.33, 0.2}, {76, 0.55, 0.1}, {84, 0.66, 1.0}}, 0.8,
         0.5);
    Play(out, Keys::Bell,
         {{67, 0.0, 0.1}, {72, 0.11, 0.1}, {76, 0.22, 0.1}, {79, 0.33, 0.2}, {76, 0.55, 0.1}, {84, 0.66, 0.6}}, 0.6,
         0.25);
    Play(out, Leads::BrassStab, {{60, 0.66, 0.9}, {64, 0.66, 0.9}, {67, 0.66, 0.9}, {72, 0.66, 0.9}, {48, 0.66, 0.9}},
         0.9, 0.3);
    EffectTools::Place(out, Drums::Kick(Note(33, 0.2, 0.9)), 0.66, 0.6);
    EffectTools::Place(out, Drums::Crash(Note(60, 1.0, 0.6)), 0.66, 0.35);
    EffectTools::AddRoom(out, Hall(), 0.35, 1.0);
    EffectTools::Finish(out, -1.5, 0.002, 0.3);
    return out;
}

Mono InterfaceSounds::Lose() {
    Mono out = EffectTools::Blank(2.6);
    EffectTools::Place(out, Drums::Kick(Note(28, 0.3, 1.0)), 0.0, 0.8);
    EffectTools::Place(out, Drums::Tom(Note(39, 0.3, 0.9)), 0.0, 0.5);
    // C diminished seventh over a low C: the sound of a trap closing.
    Play(out, Leads::BrassStab, {{48, 0.0, 0.7}, {60, 0.0, 0.7}, {63, 0.0, 0.7}, {66, 0.0, 0.7}, {69, 0.0, 0.7}}, 0.9,
         0.35);
    Play(out, Leads::MutedTrumpet, {{67, 0.25, 0.3}, {66, 0.58, 0.3}, {65, 0.91, 0.3}, {64, 1.24, 1.0}}, 0.8, 0.6);
    EffectTools::AddRoom(out, Hall(), 0.35, 1.0);
    EffectTools::Finish(out, -1.5, 0.002, 0.3);
    return out;
}

Mono InterfaceSounds::Phew() {
    Mono out = EffectTools::Blank(1.6);
    Random random(0x9e3f);
    SvFilter breath(1800.0, 1.4);
    SvFilter soft(5000.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        if (i % 16 == 0) {
            breath.Set(350.0 + 1500.0 * std::exp(-t / 0.45), 1.4);
        }
        const double swell = std::min(1.0, t / 0.22) * std::exp(-std::max(0.0, t - 0.22) / 0.35);
        out[i] = static_cast<float>(soft.Low(breath.Band(static_cast<float>(random.Bipolar()))) * swell * 0.9);
    }
    // F major 9, rolled softly on the electric piano under a pad.
    Play(out, Keys::ElectricPiano,
         {{53, 0.35, 1.4}, {57, 0.38, 1.4}, {60, 0.41, 1.4}, {64, 0.44, 1.4}, {67, 0.47, 1.4}}, 0.45, 0.35);
    Play(out, Leads::Pad, {{41, 0.3, 0.9}, {60, 0.3, 0.9}, {69, 0.3, 0.9}}, 0.6, 0.25);
    EffectTools::AddRoom(out, Hall(), 0.4, 1.2);
    // The pad's long release would linger for seconds; the sigh should be over in three.
    out.resize(std::min(out.size(), static_cast<size_t>(Signal::ToSamples(3.0))));
    EffectTools::Finish(out, -3.0, 0.01, 0.8);
    return out;
}

Mono InterfaceSounds::PowerChange() {
    Mono out = EffectTools::Blank(0.35);
    Oscillator saw(Waveform::Saw);
    SvFilter sweep(300.0, 3.0);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double x = t / 0.35;
        const double f = 110.0 * std::pow(8.0, x);
        if (i % 8 == 0) {
            sweep.Set(400.0 + 5000.0 * x * x, 3.0);
        }
        out[i] = static_cast<float>(sweep.Low(saw.Next(f)) * std::sin(kPi * x) * 0.5);
    }
    Play(out, Leads::SynthLead, {{72, 0.15, 0.06}, {76, 0.21, 0.06}, {79, 0.27, 0.06}, {84, 0.33, 0.25}}, 0.8, 0.4);
    Play(out, Keys::Bell, {{96, 0.33, 0.3}, {91, 0.36, 0.3}}, 0.5, 0.2);
    EffectTools::AddRoom(out, Hall(), 0.25, 0.6);
    EffectTools::Finish(out, -2.0, 0.003, 0.2);
    return out;
}

Mono InterfaceSounds::ItemGet() {
    Mono out = EffectTools::Blank(0.2);
    Play(out, Keys::Bell, {{83, 0.0, 0.08}, {88, 0.08, 0.5}}, 0.85, 0.6);
    Play(out, Keys::Vibes, {{95, 0.08, 0.3}, {100, 0.12, 0.3}}, 0.5, 0.25);
    EffectTools::AddRoom(out, Hall(), 0.25, 0.8);
    EffectTools::Finish(out, -2.0, 0.001, 0.25);
    return out;
}

Mono InterfaceSounds::Blip(bool mid) {
    const double f = mid ? 659.3 : 392.0;
    Mono out = EffectTools::Blank(0.07);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double pitch = f * (1.0 + 0.04 * std::exp(-t / 0.006));
        const double tone = Oscillator::Sine(t * pitch) + 0.18 * Oscillator::Sine(2.0 * t * pitch + 0.1);
        out[i] = static_cast<float>(tone * std::min(1.0, t / 0.002) * std::exp(-t / 0.018));
    }
    EffectTools::Finish(out, -6.0, 0.0015, 0.012);
    return out;
}

} // namespace Velmora::AudioGen
