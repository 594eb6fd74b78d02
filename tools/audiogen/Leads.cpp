#include "Leads.h"

#include "Adsr.h"
#include "Oscillator.h"
#include "Random.h"
#include "SvFilter.h"

#include <algorithm>
#include <cmath>

namespace Velmora::AudioGen {
namespace {

double Time(size_t i) { return static_cast<double>(i) / kSampleRate; }

/// Pitch at time t: slides up from scoop semitones below, then vibrato that fades in.
double Pitch(const Voice& voice, double t, double vibratoCents, double vibratoRate) {
    const double slide = -voice.mScoop * std::exp(-t / 0.045);
    const double fadeIn = std::clamp((t - 0.22) / 0.4, 0.0, 1.0);
    const double vibrato = vibratoCents / 100.0 * fadeIn * Oscillator::Sine(t * vibratoRate);
    return voice.mFrequency * std::pow(2.0, (slide + vibrato) / 12.0);
}

} // namespace

Mono Leads::Sax(const Voice& voice) {
    const double v = voice.mVelocity;
    Adsr amp(0.035, 0.4, 0.78, 0.08, voice.mDuration);
    Oscillator saw(Waveform::Saw);
    Oscillator pulse(Waveform::Square, 0.1, 0.42);
    SvFilter body(1000.0, 0.8);
    SvFilter formant1(620.0, 2.2);
    SvFilter formant2(1650.0, 3.0);
    SvFilter breathBand(2400.0, 1.2);
    Random random(voice.mSeed);
    Mono out(static_cast<size_t>(Signal::ToSamples(amp.TotalSeconds())), 0.0f);
    double f = voice.mFrequency;
    double level = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        level = amp.Next();
        if (i % 16 == 0) {
            f = Pitch(voice, t, 22.0, 5.1);
            body.Set(f * 1.3 + (400.0 + 2600.0 * v) * level, 0.8);
        }
        const float source = static_cast<float>(0.7 * saw.Next(f) + 0.3 * pulse.Next(f));
        const float lowPassed = body.Low(source);
        const double reed = lowPassed + 0.9 * formant1.Band(lowPassed) + 0.7 * formant2.Band(lowPassed);
        const double breath = breathBand.Band(static_cast<float>(random.Bipolar())) * 0.07;
        out[i] = static_cast<float>(std::tanh(1.4 * reed) * level * (0.45 + 0.55 * v) + breath * level);
    }
    return out;
}

Mono Leads::MutedTrumpet(const Voice& voice) {
    const double v = voice.mVelocity;
    Adsr amp(0.03, 0.3, 0.75, 0.07, voice.mDuration);
    Oscillator saw(Waveform::Saw);
    SvFilter lowCut(550.0, 0.7);
    SvFilter body(2000.0, 0.7);
    SvFilter nasal1(1450.0, 4.0);
    SvFilter nasal2(2750.0, 5.0);
    Mono out(static_cast<size_t>(Signal::ToSamples(amp.TotalSeconds())), 0.0f);
    double f = voice.mFrequency;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double level = amp.Next();
        if (i % 16 == 0) {
            f = Pitch(voice, t, 14.0, 5.6);
            body.Set(f * 2.0 + 1800.0 * level * v, 0.7);
        }
        const float thin = lowCut.High(body.Low(saw.Next(f)));
        const double horn = 0.45 * thin + 1.1 * nasal1.Band(thin) + 0.7 * nasal2.Band(thin);
        out[i] = static_cast<float>(std::tanh(1.5 * horn) * level * (0.4 + 0.6 * v));
    }
    return out;
}

Mono Leads::SynthLead(const Voice& voice) {
    const double v = voice.mVelocity;
    Adsr amp(0.006, 0.25, 0.8, 0.09, voice.mDuration);
    Oscillator sawA(Waveform::Saw, 0.0);
    Oscillator sawB(Waveform::Saw, 0.37);
    Oscillator square(Waveform::Square, 0.5);
    SvFilter filter(2000.0, 1.6);
    Mono out(static_cast<size_t>(Signal::ToSamples(amp.TotalSeconds())), 0.0f);
    double f = voice.mFrequency;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        if (i % 16 == 0) {
            f = Pitch(voice, t, 18.0, 5.8);
            filter.Set(f * 2.5 + 2500.0 * v * std::exp(-t / 0.15) + 600.0, 1.6);
        }
        const float raw =
            static_cast<float>(0.4 * sawA.Next(f * 1.004) + 0.4 * sawB.Next(f * 0.996) + 0.35 * square.Next(f * 0.5));
        out[i] = static_cast<float>(std::tanh(1.3 * filter.Low(raw)) * amp.Next() * (0.45 + 0.55 * v));
    }
    return out;
}

Mono Leads::BrassStab(const Voice& voice) {
    const double v = voice.mVelocity;
    Adsr amp(0.008, 0.18, 0.45, 0.1, voice.mDuration);
    Oscillator saws[3] = {Oscillator(Waveform::Saw, 0.0), Oscillator(Waveform::Saw, 0.31),
                          Oscillator(Waveform::Saw, 0.67)};
    static constexpr double kDetune[3] = {0.994, 1.0, 1.0061};
    SvFilter filter(1000.0, 1.0);
    Mono out(static_cast<size_t>(Signal::ToSamples(amp.TotalSeconds())), 0.0f);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double f = voice.mFrequency * std::pow(2.0, -0.25 * std::exp(-t / 0.02) / 12.0);
        if (i % 16 == 0) {
            filter.Set(f * 1.2 + 3800.0 * v * std::exp(-t / 0.09) + 300.0, 1.0);
        }
        float sum = 0.0f;
        for (int k = 0; k < 3; ++k) {
            sum += saws[k].Next(f * kDetune[k]);
        }
        out[i] = static_cast<float>(std::tanh(0.9 * filter.Low(sum / 3.0f) * 1.5) * amp.Next() * (0.4 + 0.6 * v));
    }
    return out;
}

Mono Leads::Pad(const Voice& voice) {
    const double f = voice.mFrequency;
    Adsr amp(0.7, 1.2, 0.8, 1.1, voice.mDuration);
    Oscillator saws[3] = {Oscillator(Waveform::Saw, 0.0), Oscillator(Waveform::Saw, 0.5),
                          Oscillator(Waveform::Triangle, 0.25)};
    static constexpr double kDetune[3] = {0.9948, 1.0052, 1.0};
    SvFilter filter(800.0, 0.8);
    Mono out(static_cast<size_t>(Signal::ToSamples(amp.TotalSeconds())), 0.0f);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        if (i % 32 == 0) {
            filter.Set(std::min(f * 3.0, 700.0) + 350.0 * (0.5 + 0.5 * Oscillator::Sine(t * 0.17)), 0.8);
        }
        float sum = 0.0f;
        for (int k = 0; k < 3; ++k) {
            sum += saws[k].Next(f * kDetune[k]);
        }
        out[i] = static_cast<float>(filter.Low(sum / 3.0f) * amp.Next() * (0.4 + 0.6 * voice.mVelocity));
    }
    return out;
}

} // namespace Velmora::AudioGen
