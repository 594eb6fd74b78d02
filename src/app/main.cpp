#include "app/CommandLine.h"
#include "app/SystemRegistry.h"
#include "core/Game.h"
#include "core/LogFile.h"
#include "core/LogRecord.h"
#include "core/Path.h"
#include "core/UserFiles.h"
#include "replay/RunPlayer.h"
#include "replay/RunRecorder.h"
#include "replay/RunVerifier.h"
#include "replay/ScreenReplay.h"

#include <SDL.h>

#include <malloc.h>
#include <cstdio>
#include <iostream>

namespace {

// Recorded runs played without a window: the logic alone, as fast as it goes.
int Verify(const std::vector<std::string>& paths) {
    // No window to show a critical error in: it goes to standard error like the rest.
    Velmora::LogRecord::SetCriticalHandler([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    std::string error;
    if (!Velmora::Replay::RunPlayer::Prepare(error)) {
        std::fprintf(stderr, "velmora: error: %s\n", error.c_str());
        return 2;
    }
    return Velmora::Replay::VerifyRuns(paths, std::cout);
}

int Play(Velmora::Game& game, const Velmora::App::CommandLine& options) {
    Velmora::LogFile::Open(Velmora::UserStateFolder());
    Velmora::App::ConnectGame(game);
    std::string error;
    if (!options.mReplay.empty()) {
        if (!Velmora::Replay::ScreenReplay::Start(options.mReplay, error)) {
            std::fprintf(stderr, "velmora: error: %s: %s\n", options.mReplay.c_str(), error.c_str());
            Velmora::LogFile::Close();
            return 1;
        }
    } else {
        Velmora::Replay::RunRecorder& recorder = Velmora::Replay::RunRecorder::GetInstance();
        recorder.SetTarget(options.mRecord);
        recorder.Connect();
    }
    game.Initialize();
    game.Run();
    game.Shutdown();
    Velmora::LogFile::Close();
    return 0;
}

} // namespace

// SDL 1.2 renames main.
int main(int argc, char** argv) {
    // Blocks of 128 KB and more get pages of their own, handed back when freed. By default the
    // threshold rises to the size of each such block freed, later large blocks then come from the
    // heap, and the heap keeps their pages once they are freed: some 4 MB more resident in play.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    const Velmora::App::CommandLine options = Velmora::App::ParseCommandLine(argc, argv);
    if (options.mHelp || !options.mError.empty()) {
        if (!options.mError.empty()) std::fprintf(stderr, "velmora: %s\n", options.mError.c_str());
        std::fputs(Velmora::App::UsageText(), options.mHelp ? stdout : stderr);
        return options.mHelp ? 0 : 2;
    }
    const std::string program = Velmora::ProgramPath();
    Velmora::Game& game = Velmora::Game::GetInstance();
    game.SetRootPath(Velmora::FindRootPath(program, Velmora::IsDirectory));
    game.mInstalled = game.GetRootPath() == Velmora::InstalledRootPath(program);
    if (options.mVerifyMode) return Verify(options.mVerify);
    return Play(game, options);
}
