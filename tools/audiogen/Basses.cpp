#include "Basses.h"

#include "Adsr.h"
#include "Oscillator.h"
#include "PluckString.h"
#include "Random.h"
#include "SvFilter.h"

#include <algorithm>
#include <cmath>

namespace Velmora::AudioGen {
namespace {

double Time(size_t i) { return static_cast<double>(i) / kSampleRate; }

} // namespace

Mono Basses::Upright(const Voice& voice) {
    const double f = voice.mFrequency;
    const double v = voice.mVelocity;
    Random random(voice.mSeed);
    PluckString string(f, 2.2, 0.25 + 0.25 * v, random);
    SvFilter tone(1400.0 + 600.0 * v, 0.7);
    SvFilter thumpFilter(260.0, 0.9);
    Mono out(static_cast<size_t>(Signal::ToSamples(voice.mDuration + 0.18)), 0.0f);
    const size_t release = static_cast<size_t>(Signal::ToSamples(voice.mDuration));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        if (i == release) {
            string.Damp(0.07);
        }
        const double gate = i < release ? 1.0 : std::exp(-(t - voice.mDuration) / 0.05);
        const double body = Oscillator::Sine(t * f) * std::exp(-t / 0.9) * gate;
        const double thump = thumpFilter.Low(static_cast<float>(random.Bipolar())) * std::exp(-t / 0.02);
        const double attack = std::min(1.0, t / 0.003);
        out[i] = static_cast<float>(tone.Low(static_cast<float>(0.8 * string.Next() + 0.55 * body + 0.6 * thump)) *
                                    attack * (0.45 + 0.55 * v));
    }
    return out;
}

Mono Basses::Round(const Voice& voice) {
    const double f = voice.mFrequency;
    const double v = voice.mVelocity;
    Adsr amp(0.004, 0.35, 0.55, 0.07, voice.mDuration);
    Oscillator saw(Waveform::Saw);
    Oscillator sine(Waveform::Sine);
    SvFilter filter(400.0, 1.1);
    Mono out(static_cast<size_t>(Signal::ToSamples(amp.TotalSeconds())), 0.0f);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        if (i % 8 == 0) {
            filter.Set(f * 1.8 + 900.0 * v * std::exp(-t / 0.07), 1.1);
        }
        const double tone = 0.75 * sine.Next(f) + 0.6 * filter.Low(saw.Next(f));
        out[i] = static_cast<float>(std::tanh(1.2 * tone) * amp.Next() * (0.5 + 0.5 * v));
    }
    return out;
}

Mono Basses::Drive(const Voice& voice) {
    const double f = voice.mFrequency;
    const double v = voice.mVelocity;
    Adsr amp(0.002, 0.2, 0.7, 0.03, voice.mDuration);
    Oscillator saw(Waveform::Saw);
    Oscillator pulse(Waveform::Square, 0.3, 0.38);
    Oscillator sub(Waveform::Sine);
    SvFilter filter(400.0, 1.4);
    Mono out(static_cast<size_t>(Signal::ToSamples(amp.TotalSeconds())), 0.0f);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        if (i % 8 == 0) {
            filter.Set(f * 1.5 + 2200.0 * v * std::exp(-t / 0.05), 1.4);
        }
        const float raw = static_cast<float>(0.55 * saw.Next(f) + 0.45 * pulse.Next(f * 1.003));
        const double tone = filter.Low(raw) + 0.6 * sub.Next(f);
        out[i] = static_cast<float>(std::tanh(1.6 * tone) * amp.Next() * (0.45 + 0.55 * v) * 0.8);
    }
    return out;
}

} // namespace Velmora::AudioGen
