#include "app/SystemRegistry.h"
#include "core/Game.h"
#include "core/LogFile.h"
#include "core/Path.h"
#include "core/UserFiles.h"

#include <SDL.h>

// SDL 1.2 renames main; the program takes no command-line arguments.
int main(int, char**) {
    const std::string program = Velmora::ProgramPath();
    Velmora::LogFile::Open(Velmora::UserStateFolder());
    Velmora::Game& game = Velmora::Game::GetInstance();
    game.SetRootPath(Velmora::FindRootPath(program, Velmora::IsDirectory));
    game.mInstalled = game.GetRootPath() == Velmora::InstalledRootPath(program);
    Velmora::App::ConnectGame(game);
    game.Initialize();
    game.Run();
    game.Shutdown();
    Velmora::LogFile::Close();
    return 0;
}
