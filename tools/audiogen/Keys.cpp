#include "Keys.h"

#include "Oscillator.h"
#include "Random.h"
#include "SvFilter.h"

#include <algorithm>
#include <cmath>

namespace Velmora::AudioGen {
namespace {

Mono Blank(double seconds) { return Mono(static_cast<size_t>(Signal::ToSamples(seconds)), 0.0f); }

double Time(size_t i) { return static_cast<double>(i) / kSampleRate; }

/// 1 while the key is held, then an exponential release; a short linear attack at the start.
double Gate(double t, double duration, double attack, double release) {
    const double on = t < attack ? t / attack : 1.0;
    return t < duration ? on : on * std::exp(-(t - duration) / release);
}

} // namespace

Mono Keys::ElectricPiano(const Voice& voice) {
    const double f = voice.mFrequency;
    const double v = voice.mVelocity;
    const double decay = std::clamp(2.2 * std::sqrt(220.0 / f), 0.5, 4.0);
    Mono out = Blank(voice.mDuration + 0.45);
    const bool tine = f * 15.0 < 15000.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double index = (0.4 + 1.5 * v) * std::exp(-t / 0.45) + 0.2;
        const double modulator = Oscillator::Sine(t * f);
        const double body = 0.5 * Oscillator::Sine(t * f + index * modulator / (2.0 * kPi)) +
            0.5 * Oscillator::Sine(t * f * 1.0012 + 0.3 + index * modulator / (2.0 * kPi));
        double bell = 0.0;
        if (tine) {
            bell = Oscillator::Sine(t * f + 0.6 * Oscillator::Sine(t * f * 14.0) / (2.0 * kPi)) * 0.22 * v *
                std::exp(-t / 0.05);
        }
        const double tremolo = 1.0 + 0.12 * Oscillator::Sine(t * 4.2);
        const double level = Gate(t, voice.mDuration, 0.002, 0.07) * std::exp(-t / decay);
        out[i] = static_cast<float>((body + bell) * tremolo * level * (0.35 + 0.65 * v));
    }
    return out;
}

Mono Keys::Organ(const Voice& voice) {
    const double f = voice.mFrequency;
    // Harmonic number and drawbar level; 16' is the sub-octave.
    static constexpr double kBars[][2] = {{0.5, 0.7}, {1.0, 1.0}, {1.5, 0.55}, {2.0, 0.6}, {3.0, 0.18}, {4.0, 0.12}};
    Random random(voice.mSeed);
    SvFilter click(3000.0, 0.8);
    Mono out = Blank(voice.mDuration + 0.12);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        // The rotor's Doppler shift: a little vibrato together with its amplitude swirl.
        const double rotor = Oscillator::Sine(t * 5.8 + 0.2);
        const double wobble = 0.0025 * rotor / (2.0 * kPi * 5.8);
        double sum = 0.0;
        for (const auto& bar : kBars) {
            const double partial = f * bar[0];
            if (partial < 9000.0) {
                sum += bar[1] * Oscillator::Sine(partial * (t + wobble));
            }
        }
        sum += 0.35 * Oscillator::Sine(f * 3.0 * t) * std::exp(-t / 0.18);
        const double tick = click.Band(static_cast<float>(random.Bipolar())) * std::exp(-t / 0.003) * 0.5;
        const double swirl = 1.0 + 0.1 * rotor;
        const double level = Gate(t, voice.mDuration, 0.004, 0.03);
        out[i] =
            static_cast<float>(std::tanh(0.45 * sum * swirl) * level * (0.5 + 0.5 * voice.mVelocity) + tick * level);
    }
    return out;
}

Mono Keys::Vibes(const Voice& voice) {
    const double f = voice.mFrequency;
    const double v = voice.mVelocity;
    const double ring = std::clamp(2.6 * std::sqrt(440.0 / f), 0.8, 4.0);
    Mono out = Blank(voice.mDuration + 0.6);
    Random random(voice.mSeed);
    SvFilter mallet(1800.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        double sum = Oscillator::Sine(t * f) * std::exp(-t / ring);
        sum += 0.28 * v * Oscillator::Sine(t * f * 3.99) * std::exp(-t / (ring * 0.22));
        if (f * 9.9 < 12000.0) {
            sum += 0.08 * v * Oscillator::Sine(t * f * 9.9) * std::exp(-t / 0.08);
        }
        sum += mallet.Low(static_cast<float>(random.Bipolar())) * std::exp(-t / 0.004) * 0.4 * v;
        const double motor = 1.0 - 0.22 * (0.5 + 0.5 * Oscillator::Sine(t * 5.3));
        out[i] = static_cast<float>(sum * motor * Gate(t, voice.mDuration, 0.001, 0.18) * (0.3 + 0.7 * v));
    }
    return out;
}

Mono Keys::Bell(const Voice& voice) {
    const double f = voice.mFrequency;
    const double v = voice.mVelocity;
    Mono out = Blank(voice.mDuration + 1.2);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        // High bells get a gentler index so their sidebands stay below ~12 kHz.
        const double index = (0.8 + 1.6 * v) * std::exp(-t / 0.35) * std::min(1.0, 900.0 / f);
        double tone = Oscillator::Sine(t * f + index * Oscillator::Sine(t * f * 3.5) / (2.0 * kPi));
        tone += 0.3 * Oscillator::Sine(t * f * 2.0) * std::exp(-t / 0.4);
        const double level = Gate(t, voice.mDuration, 0.0015, 0.5) * std::exp(-t / 0.9);
        out[i] = static_cast<float>(tone * level * (0.3 + 0.7 * v) * 0.7);
    }
    return out;
}

Mono Keys::Piano(const Voice& voice) {
    const double f = voice.mFrequency;
    const double v = voice.mVelocity;
    const double decay = std::clamp(3.0 * std::sqrt(130.0 / f), 0.6, 5.0);
    Mono out = Blank(voice.mDuration + 0.3);
    // Each partial of each of the two strings is a rotating phasor: cheaper than a table
    // lookup, and exact for the second or two a note lasts.
    struct Partial {
        double mX, mY, mCos, mSin, mLevel, mFall;
    };
    std::vector<Partial> bank;
    for (int k = 1; k <= 14; ++k) {
        const double fk = f * k * std::sqrt(1.0 + 0.0004 * k * k);
        if (fk > 7000.0) {
            break;
        }
        // Harder hits bring out more upper partials; uppers die sooner.
        const double level = std::pow(k, -(1.6 - 0.7 * v)) * (k == 1 ? 1.0 : 0.8);
        const double fall = std::exp(-1.0 / (decay / (1.0 + 0.35 * (k - 1)) * kSampleRate));
        for (const double detune : {1.0, 1.0009}) {
            const double w = 2.0 * kPi * fk * detune / kSampleRate;
            bank.push_back(
                Partial{std::cos(detune * 1.57), std::sin(detune * 1.57), std::cos(w), std::sin(w), level, fall});
        }
    }
    for (size_t i = 0; i < out.size(); ++i) {
        double sum = 0.0;
        for (Partial& p : bank) {
            const double x = p.mX * p.mCos - p.mY * p.mSin;
            p.mY = p.mX * p.mSin + p.mY * p.mCos;
            p.mX = x;
            sum += p.mLevel * p.mY;
            p.mLevel *= p.mFall;
        }
        out[i] = static_cast<float>(0.28 * sum * Gate(Time(i), voice.mDuration, 0.0015, 0.09) * (0.3 + 0.7 * v));
    }
    return out;
}

} // namespace Velmora::AudioGen
