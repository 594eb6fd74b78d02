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

// Plays the Ogg file as SOUND (a name under data/audio) through the probe, on OpenAL Soft's wave
// writer at 44.1 kHz in 16-bit stereo; the first channel of the recording, as -1..1.
std::vector<double> Record(const std::vector<uint8_t>& ogg, const std::string& sound, double seconds,
                           const std::string& mode, ProbeRun& run) {
    const std::string root = Tests::MakeTempDir();
    Tests::WriteBytes(root + "/data/audio/" + sound, ogg);
    const std::string recording = root + "/out.wav";
    const std::string conf = "[general]\ndrivers=wave\nfrequency=44100\nchannels=stereo\nsample-type=int16\n";
    Tests::WriteFile(root + "/alsoft.conf", conf + "[wave]\nfile=" + recording + "\n");
    run = RunProbe("ALSOFT_CONF=" + Quote(root + "/alsoft.conf"), root, sound, seconds, mode);
    std::ifstream in(recording, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<double> samples;
    const size_t data = bytes.find("data");
    for (size_t at = data + 8; data != std::string::npos && at + 4 <= bytes.size(); at += 4) {
        int16_t sample;
        std::memcpy(&sample, bytes.data() + at, sizeof sample);
        samples.push_back(sample / 32768.0);
    }
    return samples;
}

TEST(AudioRecording, AnEffectPlayedThroughTheWaveWriterIsThereInTheRecording) {
    ProbeRun run;
    const std::vector<double> samples =
        Record(Tests::EncodeSineOgg(1, 44100, 0.5, 440.0), "SFX/tone.ogg", 0.8, "", run);
    ASSERT_EQ(run.mStatus, 0) << run.mOutput;
    double peak = 0.0;
    for (const double sample : samples) peak = std::max(peak, std::abs(sample));
    EXPECT_GT(peak, 0.05); // 0.5 amplitude at the default effect volume 0.3
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
    EXPECT_NE(run.mOutput.find("available 0"), std::string::npos);
    EXPECT_NE(run.mOutput.find("buffer empty"), std::string::npos);
    EXPECT_NE(run.mOutput.find("volume 1.25"), std::string::npos);
}

} // namespace
} // namespace Velmora::Audio
