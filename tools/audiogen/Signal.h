#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace Velmora::AudioGen {

/// Every file is rendered and encoded at this rate (Hz).
constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;

/// One channel of samples, nominally within [-1, 1].
using Mono = std::vector<float>;

/// Two channels of equal length.
struct Stereo {
    Mono mLeft;
    Mono mRight;

    /// Two silent channels of the given length.
    static Stereo Silence(size_t frames);
    size_t Frames() const { return mLeft.size(); }
};

/// Buffer helpers shared by instruments, effects and the mixer.
class Signal {
public:
    /// Seconds to whole samples (rounded).
    static long ToSamples(double seconds);
    /// MIDI note number (69 = A4 = 440 Hz; fractions allowed) to Hz.
    static double NoteToHz(double note);
    /// Decibels to a linear gain.
    static double DbToGain(double db);
    /// A linear level to decibels (−200 for silence).
    static double GainToDb(double gain);

    /// Adds src × gain into dst starting at offset; with wrap, samples past either end of dst
    /// wrap around (dst is one period of a loop), otherwise they are dropped.
    static void Mix(Mono& dst, const Mono& src, long offset, double gain, bool wrap);
    /// As Mix, into both channels with an equal-power pan (−1 mLeft … 1 mRight).
    static void MixPanned(Stereo& dst, const Mono& src, long offset, double gain, double pan, bool wrap);

    /// Largest absolute sample.
    static double Peak(const Mono& samples);
    static double Peak(const Stereo& samples);
    /// Root mean square over all samples (both channels for stereo).
    static double Rms(const Mono& samples);
    static double Rms(const Stereo& samples);

    /// Multiplies every sample by gain.
    static void Scale(Mono& samples, double gain);
    static void Scale(Stereo& samples, double gain);
    /// Raised-cosine fades at both ends, so a clip starts and ends on silence.
    static void FadeEdges(Mono& samples, double fadeInSeconds, double fadeOutSeconds);
    /// Removes the mean, then scales so the peak sits at peakDb (dBFS).
    static void Normalize(Mono& samples, double peakDb);
    /// Cuts trailing samples quieter than floorDb, keeping tailSeconds after the last loud one.
    static void TrimTail(Mono& samples, double floorDb, double tailSeconds);

    /// Runs a stateful in-place process over a loop so that its output loops too: the period is
    /// repeated three times, processed, and the middle copy is returned. Any effect whose memory
    /// (reverb tail, limiter release, filter state) fades within one period comes out periodic.
    static Stereo ProcessLooped(const Stereo& period, const std::function<void(Stereo&)>& process);
};

} // namespace Velmora::AudioGen
