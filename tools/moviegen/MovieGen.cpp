// moviegen: renders the opening movie (frames drawn with Cairo, the score from the audio
// generator's synthesiser) and encodes it as Ogg Theora with Vorbis sound.
//   moviegen OUT.ogg [PREVIEW_DIR]
// With a preview folder, every second's first frame is also written there as PNG.

#include "Director.h"
#include "MovieScore.h"
#include "MovieWriter.h"
#include "Png.h"
#include "Timeline.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

using namespace Velmora;
using namespace Velmora::MovieGen;

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: moviegen <out.ogg> [preview-dir]\n");
        return 2;
    }
    const std::string out = argv[1];
    const std::string preview = argc == 3 ? argv[2] : "";
    const auto start = std::chrono::steady_clock::now();
    std::filesystem::create_directories(std::filesystem::path(out).parent_path());
    MovieWriter writer(out, MovieWriter::Settings{});
    if (!writer.Ok()) return 1;
    writer.SetAudio(MovieScore::Render());
    Director director;
    Tools::Canvas canvas(kWidth, kHeight);
    for (int frame = 0; frame < kFrames; ++frame) {
        director.Render(canvas, static_cast<double>(frame) / kFps);
        writer.AddFrame(canvas.Surface(), frame + 1 == kFrames);
        if (!preview.empty() && frame % kFps == 0) {
            char name[32];
            std::snprintf(name, sizeof name, "/frame_%03d.png", frame);
            Tools::SaveSurface(canvas.Surface(), preview + name);
        }
    }
    if (!writer.Finish()) {
        std::fprintf(stderr, "moviegen: writing %s failed\n", out.c_str());
        return 1;
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %d x %d, %d frames at %d fps (%.1f s), %ju bytes, made in %.1f s\n", out.c_str(), kWidth, kHeight,
                kFrames, kFps, kSeconds, static_cast<uintmax_t>(std::filesystem::file_size(out)), elapsed);
    return 0;
}
