// Arbitrary bytes as a movie held in memory: the clip either refuses them with the player's
// exception or plays them to the end (or, looping, for a bounded number of steps) without
// crashing, hanging, reading out of bounds or leaking; every frame handed out lies inside its
// buffer and every sound block is finite.
#include "video/TheoraAudioInterface.h"
#include "video/TheoraException.h"
#include "video/TheoraMemoryFileDataSource.h"
#include "video/TheoraVideoClip.h"
#include "video/TheoraVideoManager.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using namespace Velmora::Video;

// Bounds the steps of a clip that loops, or whose frames are stamped far in the future; large
// pictures get fewer, so one input stays well inside the fuzzer's time limit.
constexpr int kMaxSteps = 120;
constexpr long kMaxPixelsConverted = 5L * 1000 * 1000;

// Each instance checks the sound blocks of one clip.
class CheckedAudio : public TheoraAudioInterface, public TheoraAudioInterfaceFactory {
public:
    explicit CheckedAudio(int channels = 0) : TheoraAudioInterface(nullptr, 0, 0), mChannels(channels) {}
    TheoraAudioInterface* createInstance(TheoraVideoClip*, int channels, int frequency) override {
        if (channels < 1 || frequency < 1) __builtin_trap();
        return new CheckedAudio(channels);
    }
    void insertData(float** data, int count) override {
        for (int c = 0; c < mChannels; ++c) {
            for (int i = 0; i < count; ++i) {
                if (!std::isfinite(data[c][i])) __builtin_trap();
            }
        }
    }

private:
    int mChannels;
};

// Plays to the end or the step limit; the first and last byte of every frame are read.
void Play(TheoraVideoManager& manager, TheoraVideoClip& clip) {
    unsigned checksum = 0;
    const long pixels = static_cast<long>(clip.getStride()) * clip.getHeight();
    const int steps = static_cast<int>(std::min<long>(kMaxSteps, 1 + kMaxPixelsConverted / pixels));
    for (int step = 0; step < steps && !clip.isDone(); ++step) {
        clip.decodeNextFrame();
        manager.update(0.05f);
        while (TheoraVideoFrame* frame = clip.getNextFrame()) {
            const size_t bytes = static_cast<size_t>(frame->getStride()) * frame->getHeight() * 3;
            checksum += frame->getBuffer()[0] + frame->getBuffer()[bytes - 1];
            clip.popFrame();
        }
    }
    (void)checksum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TheoraVideoManager::setLogFunction([](const std::string&) {});
    TheoraVideoManager manager(0);
    CheckedAudio audio;
    manager.setAudioInterfaceFactory(&audio);
    try {
        auto source = std::make_unique<TheoraMemoryFileDataSource>(std::span<const uint8_t>(data, size), "fuzz.ogg");
        TheoraVideoClip* clip = manager.createVideoClip(std::move(source), TheoraOutputMode::Rgb, 4);
        clip->setAutoRestart(size % 2 == 1);
        Play(manager, *clip);
    } catch (const TheoraGenericException&) {}
    return 0;
}
