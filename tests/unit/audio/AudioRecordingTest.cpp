#include "support/TestSupport.h"
#include "unit/audio/OggTestFile.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>

namespace Velmora::Audio {
namespace {

std::string Quote(const std::string& text) { return "'" + text + "'"; }

struct ProbeRun {
    int mStatus = -1;
    std::string mOutput;
};

// Runs the probe program with its own environment prefix (see tests/probe/AudioProbe.cpp).
ProbeRun RunProbe(const std::string& environment, const std::string& root, const std::string& sound, double seconds,
                  const std::string& mode = "") {
    const std::string command = "env -u ALSOFT_DRIVERS " + environment + " " + Quote(VELMORA_AUDIO_PROBE) + " " +
        Quote(root) + " " + Quote(sound) + " " + std::to_string(seconds) + " " + mode;
    ProbeRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) run.mOutput += chunk;
    const int status = pclose(pipe);
    run.mStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

uint32_t ReadLittle(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

// The first channel of a 16-bit or 32-bit float WAV file (plain or extensible), as -1..1.
std::vector<double> ReadWavFirstChannel(const std::string& path, uint32_t& rate) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<double> samples;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return samples;
    uint32_t format = 0, channels = 0, bits = 0;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const size_t size = std::min<size_t>(ReadLittle(bytes, at + 4, 4), bytes.size() - at - 8);
        if (id == "fmt " && size >= 16) {
            format = ReadLittle(bytes, at + 8, 2);
            channels = ReadLittle(bytes, at + 10, 2);
            rate = ReadLittle(bytes, at + 12, 4);
            bits = ReadLittle(bytes, at + 22, 2);
            if (format == 0xfffe && size >= 26) format = ReadLittle(bytes, at + 32, 2); // sub-format GUID
        } else if (id == "data" && channels > 0) {
            const size_t frameBytes = channels * bits / 8;
            for (size_t frame = at + 8; frame + frameBytes <= at + 8 + size; frame += frameBytes) {
                if (format == 1 && bits == 16) {
                    samples.push_back(static_cast<int16_t>(ReadLittle(bytes, frame, 2)) / 32768.0);
                } else if (format == 3 && bits == 32) {
                    float value;
                    std::memcpy(&value, bytes.data() + frame, sizeof value);
                    samples.push_back(value);
                }
            }
        }
        at += 8 + size + (size & 1);
    }
    return samples;
}

// Signal power at one frequency (Goertzel filter over the whole recording).
double PowerAt(const std::vector<double>& samples, double frequency, double rate) {
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / rate);
    double previous = 0.0, beforePrevious = 0.0;
    for (const double sample : samples) {
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

// Plays the Ogg file as SOUND (a name under data/audio) through the probe, on OpenAL Soft's
// wave writer at 44.1 kHz; the first channel of the recording.
std::vector<double> Record(const std::vector<uint8_t>& ogg, const std::string& sound, double seconds,
                           const std::string& mode, ProbeRun& run) {
    const std::string root = Tests::MakeTempDir();
    Tests::WriteBytes(root + "/data/audio/" + sound, ogg);
    const std::string recording = root + "/out.wav";
    Tests::WriteFile(root + "/alsoft.conf",
                     "[general]\ndrivers=wave\nfrequency=44100\n[wave]\nfile=" + recording + "\n");
    run = RunProbe("ALSOFT_CONF=" + Quote(root + "/alsoft.conf"), root, sound, seconds, mode);
    uint32_t rate = 0;
    std::vector<double> samples = ReadWavFirstChannel(recording, rate);
    EXPECT_EQ(rate, 44100u);
    return samples;
}

TEST(AudioRecording, AnEffectPlayedThroughTheWaveWriterIsThereInTheRecording) {
    ProbeRun run;
    const std::vector<double> samples =
        Record(Tests::EncodeSineOgg(1, 44100, 0.5, 440.0), "SFX/tone.ogg", 0.8, "", run);
    ASSERT_EQ(run.mStatus, 0) << run.mOutput;
    EXPECT_NE(run.mOutput.find("available 1"), std::string::npos) << run.mOutput;
    EXPECT_NE(run.mOutput.find("buffer loaded"), std::string::npos) << run.mOutput;

    ASSERT_GT(samples.size(), 44100u / 2);
    double peak = 0.0;
    for (const double sample : samples) peak = std::max(peak, std::abs(sample));
    EXPECT_GT(peak, 0.05); // 0.5 amplitude at the default effect volume 0.3
    const double tone = PowerAt(samples, 440.0, 44100);
    for (const double other : {220.0, 330.0, 550.0, 880.0, 1000.0}) {
        EXPECT_GT(tone, 100.0 * PowerAt(samples, other, 44100)) << other << " Hz";
    }
}

TEST(AudioRecording, StreamedMusicLoopsWithoutAGapOrAClick) {
    // A quarter second holding exactly 110 periods: end and start join in phase.
    ProbeRun run;
    const std::vector<double> all =
        Record(Tests::EncodeSineOgg(1, 44100, 0.25, 440.0), "BGM/loop.ogg", 1.6, "music", run);
    ASSERT_EQ(run.mStatus, 0) << run.mOutput;
    EXPECT_EQ(run.mOutput.find("loops 0"), std::string::npos) << run.mOutput;

    const uint32_t rate = 44100;
    ASSERT_GT(all.size(), rate);
    // The recording starts when the device opens, before the music does. Four loop points lie in
    // the second after the music's first twentieth; the sine's own steepest step is A·2π·440/44100.
    const auto start = std::find_if(all.begin(), all.end(), [](double sample) { return std::abs(sample) > 0.01; });
    ASSERT_GT(all.end() - start, rate / 20 + rate) << "the music is there for over a second";
    const std::vector<double> middle(start + rate / 20, start + rate / 20 + rate);
    double peak = 0.0, steepest = 0.0;
    int quiet = 0, longestQuiet = 0;
    for (size_t i = 1; i < middle.size(); ++i) {
        peak = std::max(peak, std::abs(middle[i]));
        steepest = std::max(steepest, std::abs(middle[i] - middle[i - 1]));
        quiet = std::abs(middle[i]) < 0.002 ? quiet + 1 : 0;
        longestQuiet = std::max(longestQuiet, quiet);
    }
    ASSERT_GT(peak, 0.05);
    EXPECT_LT(steepest, 2.0 * peak * 2.0 * std::numbers::pi * 440.0 / rate) << "a click";
    EXPECT_LT(longestQuiet, 10) << "a gap";
}

TEST(AudioRecording, WithoutADeviceTheGameRunsOnInSilence) {
    const std::string root = Tests::MakeTempDir();
    Tests::WriteBytes(root + "/data/audio/SFX/tone.ogg", Tests::EncodeSineOgg(1, 22050, 0.1, 440.0));
    const ProbeRun run = RunProbe("ALSOFT_DRIVERS=velmora-no-such-driver", root, "SFX/tone.ogg", 0.0);
    ASSERT_EQ(run.mStatus, 0) << run.mOutput;
    EXPECT_NE(run.mOutput.find("log [AUDIO:1] No audio device ("), std::string::npos) << run.mOutput;
    EXPECT_NE(run.mOutput.find("the game runs without sound"), std::string::npos);
    EXPECT_NE(run.mOutput.find("available 0"), std::string::npos);
    EXPECT_NE(run.mOutput.find("buffer empty"), std::string::npos);
    EXPECT_NE(run.mOutput.find("volume 1.25"), std::string::npos);
    EXPECT_NE(run.mOutput.find("done"), std::string::npos);
}

} // namespace
} // namespace Velmora::Audio
