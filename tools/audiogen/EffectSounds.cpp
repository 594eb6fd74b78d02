#include "EffectSounds.h"

#include "EffectTools.h"
#include "Oscillator.h"
#include "Random.h"
#include "SvFilter.h"

#include <algorithm>
#include <cmath>

namespace Velmora::AudioGen {
namespace {

double Time(size_t i) { return static_cast<double>(i) / kSampleRate; }

ReverbSettings SmallRoom() {
    ReverbSettings room;
    room.mRoomSize = 0.45;
    room.mDamping = 0.5;
    room.mPreDelay = 0.008;
    return room;
}

/// One shard of glass: three inharmonic ring modes with a quick decay.
Mono Shard(Random& random, double brightness) {
    const double base = random.Uniform(2300.0, 4200.0 + 2500.0 * brightness);
    const double ratios[3] = {1.0, random.Uniform(1.48, 1.66), random.Uniform(2.2, 2.6)};
    const double decay = random.Uniform(0.015, 0.09 + 0.05 * brightness);
    Mono out = EffectTools::Blank(decay * 7.0);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        double sum = 0.0;
        for (int m = 0; m < 3; ++m) {
            const double f = base * ratios[m];
            if (f < 11000.0) {
                sum += Oscillator::Sine(t * f + 0.21 * m) * std::exp(-t / (decay / (1.0 + 0.6 * m))) / (1.0 + m);
            }
        }
        out[i] = static_cast<float>(sum * std::min(1.0, t / 0.0008));
    }
    return out;
}

} // namespace

Mono EffectSounds::SoundGun() {
    Mono out = EffectTools::Blank(1.5);
    Random random(0x6a17);
    SvFilter air(2500.0, 0.8);
    SvFilter tickBand(1800.0, 1.0);
    double phase = 0.0;
    static constexpr double kModes[3][3] = {{221.0, 0.35, 0.38}, {333.0, 0.2, 0.26}, {497.0, 0.12, 0.17}};
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        phase += (62.0 + 130.0 * std::exp(-t / 0.05)) / kSampleRate;
        const double body = Oscillator::Sine(phase) * std::exp(-t / 0.13);
        if (i % 16 == 0) {
            air.Set(300.0 + 2400.0 * std::exp(-t / 0.04), 0.8);
        }
        const float noise = static_cast<float>(random.Bipolar());
        const double push = air.Low(noise) * std::exp(-t / 0.035) * 0.9;
        const double tick = tickBand.Band(noise) * std::exp(-t / 0.006) * 0.5;
        double ring = 0.0;
        const double droop = 1.0 - 0.03 * std::exp(-t / 0.1);
        for (const auto& mode : kModes) {
            ring += mode[1] * Oscillator::Sine(t * mode[0] * droop) * std::exp(-t / mode[2]);
        }
        // The pulse's signature: a fast flutter on the ringing tail.
        const double flutter = 1.0 - 0.35 * (0.5 + 0.5 * Oscillator::Sine(t * 17.0)) * std::min(1.0, t / 0.05);
        out[i] = static_cast<float>(std::tanh(1.5 * (body + push + tick + ring * flutter)));
    }
    EffectTools::AddRoom(out, SmallRoom(), 0.35, 0.4);
    EffectTools::Finish(out, -1.5, 0.0015, 0.08);
    return out;
}

Mono EffectSounds::ShockGun() {
    Mono out = EffectTools::Blank(1.6);
    Random random(0x5b0c);
    SvFilter bangFilter(6000.0, 0.7);
    SvFilter buzzBand(1300.0, 2.0);
    SvFilter crackleHigh(2200.0, 0.7);
    SvFilter crackleLow(6500.0, 0.7);
    SvFilter master(9000.0, 0.7);
    Oscillator buzz(Waveform::Saw);
    double crackle = 0.0;
    double crackleLevel = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        if (i % 16 == 0) {
            bangFilter.Set(600.0 + 5400.0 * std::exp(-t / 0.07), 0.7);
        }
        const double bang = bangFilter.Low(static_cast<float>(random.Bipolar())) * std::exp(-t / 0.06);
        const double carrier = 60.0 + 90.0 * std::exp(-t / 0.2);
        const double zap = Oscillator::Sine(t * carrier + 0.6 * std::exp(-t / 0.3) * Oscillator::Sine(t * carrier * 2.71)) *
                           std::exp(-t / 0.25);
        const double hum = buzzBand.Band(buzz.Next(97.0 + 6.0 * random.Bipolar())) * std::exp(-t / 0.35);
        // Crackles arrive at random, densely at first and ever more sparsely.
        const double rate = 20.0 + 500.0 * std::exp(-t / 0.2);
        if (random.Uniform() < rate / kSampleRate) {
            crackleLevel = random.Uniform(0.3, 1.0) * (0.4 + 0.6 * std::exp(-t / 0.4));
        }
        crackle = crackleLow.Low(crackleHigh.High(static_cast<float>(random.Bipolar() * crackleLevel)));
        crackleLevel *= 0.9985;
        out[i] = master.Low(static_cast<float>(std::tanh(1.3 * (0.9 * bang + 0.7 * zap + 0.9 * hum + 1.2 * crackle))));
    }
    EffectTools::AddRoom(out, SmallRoom(), 0.3, 0.4);
    EffectTools::Finish(out, -1.5, 0.0015, 0.1);
    return out;
}

Mono EffectSounds::Footstep(int variant) {
    const bool second = variant % 2 == 1;
    Mono out = EffectTools::Blank(0.2);
    Random random(second ? 0xf002 : 0xf001);
    SvFilter heelBand(second ? 2100.0 : 1750.0, 1.3);
    SvFilter toeBand(second ? 3100.0 : 2700.0, 1.5);
    SvFilter soft(6500.0, 0.7);  // a soft shoe: no hiss above the click
    const double toeAt = second ? 0.038 : 0.046;
    const double thumpHz = second ? 112.0 : 96.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const float noise = static_cast<float>(random.Bipolar());
        const double heel = heelBand.Band(noise) * std::exp(-t / 0.011);
        const double thump = 0.6 * Oscillator::Sine(t * thumpHz) * std::exp(-t / 0.022);
        const double toeTime = t - toeAt;
        const double toe = toeTime < 0.0 ? 0.0 : 0.45 * toeBand.Band(noise) * std::exp(-toeTime / 0.008) * std::min(1.0, toeTime / 0.001);
        out[i] = soft.Low(static_cast<float>((heel + thump) * std::min(1.0, t / 0.001) + toe));
    }
    EffectTools::AddRoom(out, SmallRoom(), 0.15, 0.15);
    EffectTools::Finish(out, -9.0, 0.001, 0.03);
    return out;
}

Mono EffectSounds::GlassShatter(int variant) {
    Random random(0x61a55 + static_cast<uint64_t>(variant) * 7919);
    const double spread = 0.14 + 0.05 * variant;
    const double brightness = 0.4 + 0.3 * variant;
    const int shards = 70 + 15 * variant;
    Mono out = EffectTools::Blank(1.6);
    SvFilter crackFilter(8000.0, 0.7);
    SvFilter sprayHigh(4000.0, 0.7);
    SvFilter sprayLow(10000.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const float noise = static_cast<float>(random.Bipolar());
        const double crack = crackFilter.Low(noise) * std::exp(-t / 0.004);
        const double thud = 0.5 * Oscillator::Sine(t * (140.0 + 20.0 * variant)) * std::exp(-t / 0.03);
        const double spray = 0.22 * sprayLow.Low(sprayHigh.High(noise)) * std::exp(-t / (0.12 + 0.03 * variant));
        out[i] = static_cast<float>((crack + thud + spray) * std::min(1.0, t / 0.0008));
    }
    for (int s = 0; s < shards; ++s) {
        // Most shards fly at once; a few land and bounce later.
        const double at = s < shards * 3 / 4 ? -spread * std::log(1.0 - random.Uniform() * 0.98) : random.Uniform(0.25, 1.1);
        const double gain = std::pow(random.Uniform(), 1.5) * 0.5 * std::exp(-at / 0.6) + 0.03;
        EffectTools::Place(out, Shard(random, brightness), 0.002 + at, gain);
    }
    EffectTools::AddRoom(out, SmallRoom(), 0.3, 0.5);
    EffectTools::Finish(out, -1.5, 0.0008, 0.15);
    return out;
}

Mono EffectSounds::Alarm() {
    constexpr double kTone = 0.17;
    constexpr int kTones = 4;
    Mono out = EffectTools::Blank(kTone * kTones + 0.15);
    Oscillator square(Waveform::Square, 0.0, 0.5);
    Oscillator saw(Waveform::Saw, 0.3);
    SvFilter body(3200.0, 0.9);
    SvFilter horn(1500.0, 1.5);
    double frequency = 960.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const int index = std::min(kTones - 1, static_cast<int>(t / kTone));
        const double target = index % 2 == 0 ? 960.0 : 720.0;
        frequency += (target - frequency) * 0.004;  // a 5 ms glide between the tones
        const double local = t - index * kTone;
        // The tones follow each other without a gap; only the first one fades in.
        double gate = index == 0 ? std::min(1.0, local / 0.004) : 1.0;
        if (index == kTones - 1 && local > kTone) {
            gate *= std::exp(-(local - kTone) / 0.03);
        }
        const float raw = static_cast<float>(0.6 * square.Next(frequency) + 0.4 * saw.Next(frequency * 1.003));
        const float filtered = body.Low(raw);
        out[i] = static_cast<float>(std::tanh(1.2 * (filtered + 0.8 * horn.Band(filtered))) * gate);
    }
    EffectTools::AddRoom(out, SmallRoom(), 0.2, 0.3);
    EffectTools::Finish(out, -2.0, 0.002, 0.06);
    return out;
}

Mono EffectSounds::Exclaim() {
    constexpr double kLength = 0.42;
    Mono out = EffectTools::Blank(kLength);
    // A minor-second cluster over a fifth reads as alarm without being the alarm itself.
    const double notes[] = {622.25, 659.26, 932.33};
    Oscillator voices[] = {Oscillator(Waveform::Saw, 0.1), Oscillator(Waveform::Saw, 0.6), Oscillator(Waveform::Square, 0.3, 0.4)};
    SvFilter brass(2600.0, 1.1);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double rise = 1.0 - 0.06 * std::exp(-t / 0.03);  // scoops up into the pitch
        double sum = 0.0;
        for (int v = 0; v < 3; ++v) sum += voices[v].Next(notes[v] * rise) / 3.0;
        brass.Set(1200.0 + 3400.0 * std::exp(-t / 0.12), 1.1);
        const double gate = std::min(1.0, t / 0.003) * std::exp(-t / 0.16);
        out[i] = static_cast<float>(std::tanh(1.6 * brass.Low(static_cast<float>(sum))) * gate);
    }
    EffectTools::AddRoom(out, SmallRoom(), 0.25, 0.3);
    EffectTools::Finish(out, -3.0, 0.002, 0.05);
    return out;
}

Mono EffectSounds::Question() {
    constexpr double kNote = 0.16;
    Mono out = EffectTools::Blank(kNote * 2 + 0.3);
    Oscillator tone(Waveform::Triangle, 0.0);
    Oscillator overtone(Waveform::Sine, 0.2);
    double frequency = 440.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const bool second = t >= kNote;
        const double local = second ? t - kNote : t;
        // The second note (a fourth up) bends up a little more at its end, like a raised voice.
        const double target = second ? 587.33 * (1.0 + 0.05 * std::min(1.0, local / 0.25)) : 440.0;
        frequency += (target - frequency) * 0.01;
        const double gate = std::min(1.0, local / 0.004) * std::exp(-local / (second ? 0.18 : 0.07));
        out[i] = static_cast<float>((0.8 * tone.Next(frequency) + 0.2 * overtone.Next(frequency * 2.0)) * gate);
    }
    EffectTools::AddRoom(out, SmallRoom(), 0.3, 0.3);
    EffectTools::Finish(out, -6.0, 0.002, 0.05);
    return out;
}

} // namespace Velmora::AudioGen
