#include "Drums.h"

#include "Oscillator.h"
#include "Random.h"
#include "SvFilter.h"

#include <algorithm>
#include <cmath>

namespace Velmora::AudioGen {
namespace {

Mono Blank(double seconds) { return Mono(static_cast<size_t>(Signal::ToSamples(seconds)), 0.0f); }

double Time(size_t i) { return static_cast<double>(i) / kSampleRate; }

/// Attack ramp of a few samples so that no hit starts with a step.
double Onset(double t, double attack) { return t < attack ? t / attack : 1.0; }

/// Six detuned square waves, the classic recipe for a metallic cymbal source.
struct MetalSource {
    Oscillator mSquares[6] = {Oscillator(Waveform::Square, 0.1), Oscillator(Waveform::Square, 0.7),
                              Oscillator(Waveform::Square, 0.3), Oscillator(Waveform::Square, 0.9),
                              Oscillator(Waveform::Square, 0.5), Oscillator(Waveform::Square, 0.2)};
    double mScale;

    explicit MetalSource(double scale) : mScale(scale) {}
    float Next() {
        static constexpr double kFrequencies[6] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
        float sum = 0.0f;
        for (int k = 0; k < 6; ++k) {
            sum += mSquares[k].Next(kFrequencies[k] * mScale);
        }
        return sum / 6.0f;
    }
};

} // namespace

Mono Drums::Kick(const Voice& voice) {
    Mono out = Blank(0.5);
    Random random(voice.mSeed);
    SvFilter click(2500.0, 0.7);
    double phase = 0.0;
    const double v = voice.mVelocity;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double frequency = voice.mFrequency * (1.0 + 2.5 * std::exp(-t / 0.03));
        phase += frequency / kSampleRate;
        const double body = Oscillator::Sine(phase) * std::exp(-t / (0.16 + 0.1 * v));
        const double tick = click.Low(static_cast<float>(random.Bipolar())) * std::exp(-t / 0.004) * 0.6 * v;
        out[i] = static_cast<float>(std::tanh(1.6 * (body + tick)) * v * Onset(t, 0.0015));
    }
    return out;
}

Mono Drums::Snare(const Voice& voice) {
    Mono out = Blank(0.4);
    Random random(voice.mSeed);
    SvFilter wires(4200.0 + 1500.0 * voice.mVelocity, 0.9);
    SvFilter lowCut(900.0, 0.7);
    const double v = voice.mVelocity;
    double p1 = 0.0;
    double p2 = 0.25;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        p1 += 180.0 * (1.0 + 0.25 * std::exp(-t / 0.012)) / kSampleRate;
        p2 += 332.0 / kSampleRate;
        const double tone =
            Oscillator::Sine(p1) * std::exp(-t / 0.05) + 0.5 * Oscillator::Sine(p2) * std::exp(-t / 0.03);
        const float noise = lowCut.High(static_cast<float>(random.Bipolar()));
        const double hiss = (0.6 * wires.Band(noise) + 0.4 * noise) * std::exp(-t / (0.09 + 0.05 * v));
        out[i] = static_cast<float>((0.55 * tone + 0.8 * hiss) * v * Onset(t, 0.001));
    }
    return out;
}

Mono Drums::Rim(const Voice& voice) {
    Mono out = Blank(0.12);
    Random random(voice.mSeed);
    SvFilter band(2600.0, 2.0);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double wood = 0.6 * Oscillator::Sine(t * 470.0) * std::exp(-t / 0.022) +
            0.4 * Oscillator::Sine(t * 1630.0) * std::exp(-t / 0.01);
        const double tick = band.Band(static_cast<float>(random.Bipolar())) * std::exp(-t / 0.006);
        out[i] = static_cast<float>((wood + 1.2 * tick) * voice.mVelocity * Onset(t, 0.0007));
    }
    return out;
}

Mono Drums::HiHat(const Voice& voice) {
    const bool open = voice.mDuration > 0.1;
    const double decay = open ? std::min(0.45, voice.mDuration * 0.6) : 0.03 + 0.015 * voice.mVelocity;
    Mono out = Blank(decay * 7.0 + 0.01);
    Random random(voice.mSeed);
    MetalSource metal(1.65);
    SvFilter band(8200.0, 1.2);
    SvFilter lowCut(6000.0, 0.7);
    SvFilter highCut(10500.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const float source = static_cast<float>(0.6 * metal.Next() + 0.5 * random.Bipolar());
        const float shaped = highCut.Low(lowCut.High(band.Band(source) + 0.3f * source));
        out[i] = static_cast<float>(shaped * std::exp(-t / decay) * voice.mVelocity * 1.4 * Onset(t, 0.0008));
    }
    return out;
}

Mono Drums::Ride(const Voice& voice) {
    Mono out = Blank(1.8);
    Random random(voice.mSeed);
    // Fixed partials give the cymbal one identity; the seed only varies the noise.
    static constexpr double kPartials[] = {3110.0, 3722.0, 4355.0, 5021.0, 5460.0, 6250.0, 7013.0, 7702.0};
    constexpr size_t kCount = std::size(kPartials);
    double level[kCount];
    double fall[kCount];
    for (size_t k = 0; k < kCount; ++k) {
        level[k] = 1.0 / (1.0 + 0.15 * k);
        fall[k] = std::exp(-1.0 / ((0.9 - 0.07 * k) * kSampleRate));
    }
    SvFilter noiseBand(6000.0, 0.8);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        double ring = 0.0;
        for (size_t k = 0; k < kCount; ++k) {
            ring += Oscillator::Sine(t * kPartials[k] + 0.13 * k) * level[k];
            level[k] *= fall[k];
        }
        const double ping = Oscillator::Sine(t * 612.0) * std::exp(-t / 0.25);
        const double hiss = noiseBand.Band(static_cast<float>(random.Bipolar())) * std::exp(-t / 0.05);
        out[i] = static_cast<float>((0.09 * ring + 0.12 * ping + 0.5 * hiss) * voice.mVelocity * Onset(t, 0.001));
    }
    return out;
}

Mono Drums::Crash(const Voice& voice) {
    Mono out = Blank(2.6);
    Random random(voice.mSeed);
    MetalSource metal(2.3);
    SvFilter band(6000.0, 0.6);
    SvFilter highCut(10000.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const float source = static_cast<float>(0.5 * metal.Next() + 0.7 * random.Bipolar());
        const double env = std::exp(-t / 0.7) * (0.7 + 0.3 * std::exp(-t / 0.05));
        out[i] = static_cast<float>(highCut.Low(band.Band(source)) * env * voice.mVelocity * Onset(t, 0.002));
    }
    return out;
}

Mono Drums::BrushTap(const Voice& voice) {
    Mono out = Blank(0.25);
    Random random(voice.mSeed);
    SvFilter band(2800.0, 0.7);
    SvFilter highCut(7000.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double env = Onset(t, 0.003) * std::exp(-t / 0.055);
        const double thump = Oscillator::Sine(t * 190.0) * std::exp(-t / 0.03) * 0.25;
        out[i] = static_cast<float>((highCut.Low(band.Band(static_cast<float>(random.Bipolar()))) + thump) * env *
                                    voice.mVelocity);
    }
    return out;
}

Mono Drums::BrushSweep(const Voice& voice) {
    const double length = std::max(0.1, voice.mDuration);
    Mono out = Blank(length + 0.05);
    Random random(voice.mSeed);
    SvFilter band(2000.0, 0.8);
    SvFilter highCut(7500.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double x = std::min(1.0, t / length);
        if (i % 16 == 0) {
            band.Set(1600.0 + 1800.0 * x, 0.8);
        }
        // A swell that peaks two-thirds of the way through the stroke and fades to nothing.
        const double env = std::pow(std::sin(kPi * x), 2.0) * (0.6 + 0.4 * x);
        out[i] = static_cast<float>(highCut.Low(band.Band(static_cast<float>(random.Bipolar()))) * env *
                                    voice.mVelocity * 0.5);
    }
    return out;
}

Mono Drums::Shaker(const Voice& voice) {
    Mono out = Blank(0.18);
    Random random(voice.mSeed);
    SvFilter band(6500.0, 1.0);
    SvFilter highCut(10000.0, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double env = Onset(t, 0.012) * std::exp(-t / 0.035);
        out[i] = static_cast<float>(highCut.Low(band.Band(static_cast<float>(random.Bipolar()))) * env *
                                    voice.mVelocity * 1.2);
    }
    return out;
}

Mono Drums::Tom(const Voice& voice) {
    Mono out = Blank(0.6);
    Random random(voice.mSeed);
    SvFilter band(1200.0, 1.0);
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        phase += voice.mFrequency * (1.0 + 0.6 * std::exp(-t / 0.02)) / kSampleRate;
        const double body = Oscillator::Sine(phase) * std::exp(-t / 0.22);
        const double stick = band.Band(static_cast<float>(random.Bipolar())) * std::exp(-t / 0.015);
        out[i] = static_cast<float>(std::tanh(1.3 * (body + 0.5 * stick)) * voice.mVelocity * Onset(t, 0.001));
    }
    return out;
}

} // namespace Velmora::AudioGen
