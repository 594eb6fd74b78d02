#include "Signal.h"

#include <algorithm>
#include <cmath>

namespace Velmora::AudioGen {

Stereo Stereo::Silence(size_t frames) { return Stereo{Mono(frames, 0.0f), Mono(frames, 0.0f)}; }

long Signal::ToSamples(double seconds) { return std::lround(seconds * kSampleRate); }

double Signal::NoteToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

double Signal::DbToGain(double db) { return std::pow(10.0, db / 20.0); }

double Signal::GainToDb(double gain) { return gain > 1e-10 ? 20.0 * std::log10(gain) : -200.0; }

void Signal::Mix(Mono& dst, const Mono& src, long offset, double gain, bool wrap) {
    const long size = static_cast<long>(dst.size());
    const long count = static_cast<long>(src.size());
    if (size == 0 || count == 0) {
        return;
    }
    const float g = static_cast<float>(gain);
    long from = 0;
    long at = offset;
    if (wrap) {
        at = ((at % size) + size) % size;
    } else if (at < 0) {
        from = -at;
        at = 0;
    }
    // Contiguous runs up to the end of dst; with wrap, the rest continues from dst's start.
    while (from < count) {
        const long run = std::min(count - from, size - at);
        if (run <= 0) {
            return;
        }
        for (long i = 0; i < run; ++i) {
            dst[static_cast<size_t>(at + i)] += src[static_cast<size_t>(from + i)] * g;
        }
        from += run;
        if (!wrap) {
            return;
        }
        at = 0;
    }
}

void Signal::MixPanned(Stereo& dst, const Mono& src, long offset, double gain, double pan, bool wrap) {
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
    Mix(dst.mLeft, src, offset, gain * std::cos(angle), wrap);
    Mix(dst.mRight, src, offset, gain * std::sin(angle), wrap);
}

double Signal::Peak(const Mono& samples) {
    double peak = 0.0;
    for (const float s : samples) {
        peak = std::max(peak, static_cast<double>(std::fabs(s)));
    }
    return peak;
}

double Signal::Peak(const Stereo& samples) { return std::max(Peak(samples.mLeft), Peak(samples.mRight)); }

double Signal::Rms(const Mono& samples) {
    if (samples.empty()) {
        return 0.0;
    }
    double sum = 0.0;
    for (const float s : samples) {
        sum += static_cast<double>(s) * s;
    }
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

double Signal::Rms(const Stereo& samples) {
    const double l = Rms(samples.mLeft);
    const double r = Rms(samples.mRight);
    return std::sqrt(0.5 * (l * l + r * r));
}

void Signal::Scale(Mono& samples, double gain) {
    for (float& s : samples) {
        s = static_cast<float>(s * gain);
    }
}

void Signal::Scale(Stereo& samples, double gain) {
    Scale(samples.mLeft, gain);
    Scale(samples.mRight, gain);
}

void Signal::FadeEdges(Mono& samples, double fadeInSeconds, double fadeOutSeconds) {
    const size_t size = samples.size();
    const size_t in = std::min(size, static_cast<size_t>(std::max(0L, ToSamples(fadeInSeconds))));
    const size_t out = std::min(size, static_cast<size_t>(std::max(0L, ToSamples(fadeOutSeconds))));
    for (size_t i = 0; i < in; ++i) {
        samples[i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / in));
    }
    for (size_t i = 0; i < out; ++i) {
        const double x = static_cast<double>(i + 1) / out;
        samples[size - out + i] *= static_cast<float>(0.5 + 0.5 * std::cos(kPi * x));
    }
}

void Signal::Normalize(Mono& samples, double peakDb) {
    if (samples.empty()) {
        return;
    }
    double mean = 0.0;
    for (const float s : samples) {
        mean += s;
    }
    mean /= static_cast<double>(samples.size());
    for (float& s : samples) {
        s = static_cast<float>(s - mean);
    }
    const double peak = Peak(samples);
    if (peak > 0.0) {
        Scale(samples, DbToGain(peakDb) / peak);
    }
}

void Signal::TrimTail(Mono& samples, double floorDb, double tailSeconds) {
    const double floor = DbToGain(floorDb) * Peak(samples);
    size_t last = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::fabs(samples[i]) > floor) {
            last = i;
        }
    }
    samples.resize(std::min(samples.size(), last + 1 + static_cast<size_t>(ToSamples(tailSeconds))));
}

Stereo Signal::ProcessLooped(const Stereo& period, const std::function<void(Stereo&)>& process) {
    const size_t n = period.Frames();
    Stereo work = Stereo::Silence(3 * n);
    for (size_t copy = 0; copy < 3; ++copy) {
        std::copy(period.mLeft.begin(), period.mLeft.end(), work.mLeft.begin() + copy * n);
        std::copy(period.mRight.begin(), period.mRight.end(), work.mRight.begin() + copy * n);
    }
    process(work);
    Stereo result;
    result.mLeft.assign(work.mLeft.begin() + n, work.mLeft.begin() + 2 * n);
    result.mRight.assign(work.mRight.begin() + n, work.mRight.begin() + 2 * n);
    return result;
}

} // namespace Velmora::AudioGen
