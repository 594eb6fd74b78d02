#pragma once

namespace Velmora {
class Game;
}

namespace Velmora::App {

/// Connects the game to every layer: the systems it registers at start-up and their order, the
/// frame loop's hooks (input filters, focus, resize, hot keys, rendering) and the screens the
/// logic manager pushes. Call once, before Game::Initialize.
void ConnectGame(Game& game);

} // namespace Velmora::App
