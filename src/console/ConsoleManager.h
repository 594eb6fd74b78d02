#pragma once

#include "core/ISystem.h"
#include "debug/TweakVar.h"

#include <SDL.h>

#include <cstddef>
#include <deque>
#include <string>

struct lua_State;

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Debug {

/// The drop-down console: it keeps the log's history (every written log line, cut into pieces
/// of 80 characters, the newest 500 pieces) and runs typed lines as Lua through the script
/// manager. The back-quote key opens and closes it; while it is open it takes Backspace,
/// Return (run the line), Page Up and Page Down (scroll by 8 lines) and printable characters,
/// but never a key pressed with Ctrl or Alt. It draws itself over everything in the "console"
/// font.
class ConsoleManager : public ISystem {
public:
    /// Longest history entry and the most input characters shown.
    static constexpr size_t kLineLength = 80;
    /// Lines Page Up and Page Down scroll.
    static constexpr int kPageLines = 8;
    /// Draw layers of the panel and the text: above every other overlay.
    static constexpr int kPanelLayer = 9000;
    static constexpr int kTextLayer = 9002;
    /// The panel's share of the window's height, from the top.
    static constexpr double kPanelShare = 0.45;
    /// Left margin of the text, pixels.
    static constexpr double kMargin = 4.0;

    /// The game's console, created on first use, never deleted.
    static ConsoleManager& GetInstance();
    ConsoleManager() = default;
    ConsoleManager(const ConsoleManager&) = delete;
    ConsoleManager& operator=(const ConsoleManager&) = delete;

    /// Starts keeping the log's lines.
    void Initialize() override;
    /// Stops keeping them.
    void Deinitialize() override;
    /// MessageUpdateLoop moves the cursor's blink while the console is open;
    /// Graphics::MessageRenderOverlay draws it.
    void HandleMessage(Message& message) override;

    /// Appends a log line to the history in pieces of at most kLineLength characters, dropping
    /// the oldest entries beyond mMaxLines.
    void AddLine(const std::string& text);
    /// A key-down event from the frame loop; true when the console took it.
    bool HandleKey(const SDL_KeyboardEvent& key);
    /// Opens (also marking the console as shown once) or closes the console.
    void SetVisible(bool visible);
    bool IsVisible() const { return mVisible; }
    /// The input line as drawn: ">" + the input + the cursor ("_" or a blank), at most its last
    /// kLineLength characters.
    std::string GetInputLine() const;
    /// Draws the panel, the history lines that fit and the input line into a window of that
    /// size in pixels.
    void Draw(Graphics::Renderer& renderer, int width, int height) const;

    /// Registers Engine.Console in a script state: with an argument the console opens (any
    /// value but nil and false) or closes; it returns whether the console is open.
    static void RegisterBindings(lua_State* state);

    TweakVar<bool> mVisible{"Console/mVisible", "group=Console label=Display", false};
    bool mActive = false;             ///< has been open at least once
    size_t mMaxLines = 500;           ///< most history entries kept
    int mScroll = 0;                  ///< lines scrolled back from the newest, 0 … entries − 1
    double mBlink = 0.0;              ///< cursor phase, 0 ≤ mBlink < 1 seconds
    std::deque<std::string> mHistory; ///< oldest first
    std::string mInput;               ///< the line being typed

private:
    bool HandleOpenKey(const SDL_keysym& key);
    void RunInput();
    void ScrollBy(int lines);
    static int ScriptConsole(lua_State* state);

    int mSink = 0; // the log sink's handle while initialised
};

} // namespace Velmora::Debug
