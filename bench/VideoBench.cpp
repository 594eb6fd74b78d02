// The opening movie through the video player.
//
//   decode  — every frame of data/video/movie_opening_halfsize.ogg decoded and converted to RGB
//             as fast as it can be, each frame taken as soon as it is ready (the clip's clock is
//             moved to each frame, so none is late): once on the benchmark's thread in its
//             processor time, once through one worker thread in wall-clock time; frames per
//             second and the multiple of real time.
//   convert — the YUV to RGB conversion alone over one frame a second of the movie (32 frames), in megapixels per
//             second, against a plain copy of the same frames' RGB bytes in the same run.

#include "core/Path.h"
#include "video/TheoraMemoryFileDataSource.h"
#include "video/TheoraVideoClip.h"
#include "video/TheoraVideoManager.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

using namespace Velmora;
using namespace Velmora::Video;

namespace {

void Quiet(const std::string&) {}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::vector<std::uint8_t> MovieBytes() {
    const std::string root = FindRootPath(ProgramPath(), IsDirectory);
    std::ifstream file(root + "/data/video/movie_opening_halfsize.ogg", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TheoraVideoClip* OpenMovie(TheoraVideoManager& manager, const std::vector<std::uint8_t>& bytes) {
    return manager.createVideoClip(std::make_unique<TheoraMemoryFileDataSource>(bytes, "movie"));
}

// Takes every frame of the clip as soon as it is ready, moving the clip's clock to it so none is
// late; decode(clip) makes the next frame ready (or waits for a worker to). Returns the frames.
template <typename Decode>
int PlayThrough(TheoraVideoManager& manager, const std::vector<std::uint8_t>& bytes, Decode decode) {
    TheoraVideoClip* clip = OpenMovie(manager, bytes);
    const float step = 1.0f / clip->getFps();
    int frames = 0;
    while (!clip->isDone()) {
        decode(*clip);
        // Only a frame that is ready may be made due: a clock ahead of the decoder drops frames.
        if (clip->getNumReadyFrames() == 0) continue;
        // A hair past the frame's time, so rounding never leaves it not yet due.
        clip->getTimer()->seek(step * static_cast<float>(frames + 1) + 1e-4f);
        if (TheoraVideoFrame* frame = clip->getNextFrame()) {
            benchmark::DoNotOptimize(frame->getBuffer()[0]);
            clip->popFrame();
            ++frames;
        }
    }
    manager.destroyVideoClip(clip);
    return frames;
}

void ReportFrames(benchmark::State& state, int frames) {
    state.counters["frames"] = frames;
    state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["x_real_time"] = benchmark::Counter(frames / 24.0, benchmark::Counter::kIsIterationInvariantRate);
}

// The worker's own work, on this thread: timed by this thread's processor time, so other
// programs on the machine do not count.
void BM_DecodeMovie(benchmark::State& state) {
    TheoraVideoManager::setLogFunction(&Quiet);
    const std::vector<std::uint8_t> bytes = MovieBytes();
    TheoraVideoManager manager(0);
    int frames = 0;
    for (auto _ : state) frames = PlayThrough(manager, bytes, [](TheoraVideoClip& clip) { clip.decodeNextFrame(); });
    ReportFrames(state, frames);
}
BENCHMARK(BM_DecodeMovie)->Unit(benchmark::kMillisecond);

// The same through one worker thread, in wall-clock time (this thread yields while it waits).
void BM_DecodeMovieOnWorker(benchmark::State& state) {
    TheoraVideoManager::setLogFunction(&Quiet);
    const std::vector<std::uint8_t> bytes = MovieBytes();
    TheoraVideoManager manager(1);
    int frames = 0;
    for (auto _ : state) frames = PlayThrough(manager, bytes, [](TheoraVideoClip&) { std::this_thread::yield(); });
    ReportFrames(state, frames);
}
BENCHMARK(BM_DecodeMovieOnWorker)->Unit(benchmark::kMillisecond)->UseRealTime();

// Y'CbCr 4:2:0 planes of a decoded RGB frame (the inverse of the player's conversion), so the
// conversion is timed on the movie's own pictures.
struct Planes {
    std::vector<std::uint8_t> mY, mU, mV;
    TheoraYuvPicture Picture(int width, int height) const {
        return {{{{mY.data(), width, height, width}, {mU.data(), width / 2, height / 2, width / 2},
                  {mV.data(), width / 2, height / 2, width / 2}}}, 0, 0, width, height};
    }
};

Planes ToPlanes(const std::uint8_t* rgb, int width, int height) {
    Planes planes{std::vector<std::uint8_t>(static_cast<size_t>(width * height)),
                  std::vector<std::uint8_t>(static_cast<size_t>(width * height / 4)),
                  std::vector<std::uint8_t>(static_cast<size_t>(width * height / 4))};
    for (int i = 0; i < width * height; ++i) {
        const std::uint8_t* p = rgb + 3 * i;
        planes.mY[i] = static_cast<std::uint8_t>(16.5 + 0.257 * p[0] + 0.504 * p[1] + 0.098 * p[2]);
        const int chroma = (i / width / 2) * (width / 2) + (i % width) / 2;
        planes.mU[chroma] = static_cast<std::uint8_t>(128.5 - 0.148 * p[0] - 0.291 * p[1] + 0.439 * p[2]);
        planes.mV[chroma] = static_cast<std::uint8_t>(128.5 + 0.439 * p[0] - 0.368 * p[1] - 0.071 * p[2]);
    }
    return planes;
}

struct FrameSet {
    int mWidth = 0, mHeight = 0;
    std::vector<std::vector<std::uint8_t>> mRgb;
    std::vector<Planes> mPlanes;
};

const FrameSet& MovieFrames() {
    static const FrameSet frames = [] {
        TheoraVideoManager::setLogFunction(&Quiet);
        const std::vector<std::uint8_t> bytes = MovieBytes();
        TheoraVideoManager manager(0);
        TheoraVideoClip* clip = OpenMovie(manager, bytes);
        FrameSet set{clip->getWidth(), clip->getHeight(), {}, {}};
        const float step = 1.0f / clip->getFps();
        for (int n = 0; clip->decodeNextFrame(); ++n) {
            clip->getTimer()->seek(step * static_cast<float>(n + 1) + 1e-4f);
            TheoraVideoFrame* frame = clip->getNextFrame();
            if (!frame) break;
            if (n % 24 == 12) {
                const std::uint8_t* rgb = frame->getBuffer();
                set.mRgb.emplace_back(rgb, rgb + static_cast<size_t>(set.mWidth * set.mHeight * 3));
                set.mPlanes.push_back(ToPlanes(rgb, set.mWidth, set.mHeight));
            }
            clip->popFrame();
        }
        return set;
    }();
    return frames;
}

void BM_ConvertFrames(benchmark::State& state) {
    const FrameSet& frames = MovieFrames();
    const TheoraYuvConverter converter;
    const size_t bytes = static_cast<size_t>(frames.mWidth * frames.mHeight * 3);
    std::vector<std::uint8_t> out(bytes);
    // This thread's processor time, so other programs on the machine do not count.
    const auto timeAll = [&](auto&& each) {
        const double start = ThreadSeconds();
        for (size_t i = 0; i < frames.mRgb.size(); ++i) each(i);
        benchmark::ClobberMemory();
        return ThreadSeconds() - start;
    };
    double convert = 0.0, copy = 0.0;
    for (auto _ : state) {
        convert += timeAll([&](size_t i) {
            converter.convertToRgb(frames.mPlanes[i].Picture(frames.mWidth, frames.mHeight), out.data(), frames.mWidth * 3);
        });
        copy += timeAll([&](size_t i) { std::memcpy(out.data(), frames.mRgb[i].data(), bytes); });
    }
    const double pixels = static_cast<double>(frames.mWidth) * frames.mHeight * frames.mRgb.size() * state.iterations();
    state.counters["frames"] = static_cast<double>(frames.mRgb.size());
    state.counters["convert_MP_per_s"] = pixels / convert / 1e6;
    state.counters["copy_MP_per_s"] = pixels / copy / 1e6;
    state.counters["ratio"] = convert / copy;
}
BENCHMARK(BM_ConvertFrames)->Unit(benchmark::kMillisecond);

} // namespace
