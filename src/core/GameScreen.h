#pragma once

namespace Velmora {

class Message;

/// Base of every screen on the Game's screen stack. Only the top screen receives broadcasts;
/// a screen passes messages on to the one beneath it through mBelow when it wants to.
class GameScreen {
public:
    virtual ~GameScreen() = default;
    /// True while another screen lies above this one.
    virtual void SetPaused(bool paused) { mPaused = paused; }
    /// Called when the screen enters the stack (at the end of the frame it was pushed in).
    virtual void Initialize() {}
    /// Called when it leaves the stack, just before it is deleted.
    virtual void Deinitialize() {}
    /// Receives every broadcast after the systems, while this screen is on top.
    virtual void HandleMessage(Message&) {}

    GameScreen* mBelow = nullptr;
    bool mPaused = false;
};

} // namespace Velmora
