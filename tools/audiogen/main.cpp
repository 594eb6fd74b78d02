// audiogen: renders every sound effect and music loop of the game and writes them as Ogg Vorbis
// files under the given folder (normally <repo>/data/audio).

#include "Catalogue.h"
#include "VorbisWriter.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

using namespace Velmora::AudioGen;

namespace {

struct Outcome {
    bool mWritten = false;
    double mSeconds = 0.0;
    double mPeakDb = 0.0;
    double mRmsDb = 0.0;
};

Outcome RunJob(const Catalogue::Entry& entry, const std::string& root, int serial) {
    const Stereo clip = entry.mRender();
    Outcome outcome;
    outcome.mSeconds = static_cast<double>(clip.Frames()) / kSampleRate;
    outcome.mPeakDb = Signal::GainToDb(Signal::Peak(clip));
    outcome.mRmsDb = Signal::GainToDb(entry.mStereo ? Signal::Rms(clip) : Signal::Rms(clip.mLeft));
    std::vector<const Mono*> channels{&clip.mLeft};
    if (entry.mStereo) {
        channels.push_back(&clip.mRight);
    }
    outcome.mWritten = VorbisWriter::Write(root + "/" + entry.mName, channels, entry.mQuality, serial);
    return outcome;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: audiogen <output-dir>\n");
        return 2;
    }
    const std::string root = argv[1];
    // AUDIOGEN_ONLY=text renders just the files whose names contain the text (for tuning one piece).
    std::vector<Catalogue::Entry> entries = Catalogue::Entries();
    if (const char* only = std::getenv("AUDIOGEN_ONLY")) {
        std::erase_if(entries, [only](const Catalogue::Entry& e) { return e.mName.find(only) == std::string::npos; });
    }
    std::vector<Outcome> outcomes(entries.size());
    std::atomic<size_t> next{0};
    const auto start = std::chrono::steady_clock::now();
    // The long music jobs come first in the catalogue, so two workers finish at about the same time.
    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    std::vector<std::thread> threads;
    for (unsigned w = 0; w < workers; ++w) {
        threads.emplace_back([&] {
            for (size_t i = next++; i < entries.size(); i = next++) {
                outcomes[i] = RunJob(entries[i], root, static_cast<int>(0x5e1a0 + i));
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    bool ok = true;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Outcome& o = outcomes[i];
        const auto bytes = o.mWritten ? std::filesystem::file_size(root + "/" + entries[i].mName) : 0;
        std::printf("%-28s %6.2f s  peak %6.1f dBFS  rms %6.1f dBFS  %8ju bytes%s\n", entries[i].mName.c_str(),
                    o.mSeconds, o.mPeakDb, o.mRmsDb, static_cast<uintmax_t>(bytes), o.mWritten ? "" : "  FAILED");
        ok = ok && o.mWritten;
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu files in %.1f s\n", entries.size(), elapsed);
    return ok ? 0 : 1;
}
