#include "app/SystemRegistry.h"
#include "core/Game.h"
#include "core/Path.h"

#include <SDL.h>

// SDL 1.2 renames main; the program takes no command-line arguments.
int main(int, char**) {
    Velmora::Game& game = Velmora::Game::GetInstance();
    game.SetRootPath(Velmora::FindRootPath(Velmora::ProgramPath(), Velmora::IsDirectory));
    Velmora::App::ConnectGame(game);
    game.Initialize();
    game.Run();
    game.Shutdown();
    return 0;
}
