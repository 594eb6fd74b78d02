#pragma once

#include "interface/PadInput.h"
#include "interface/Widget.h"

#include <AL/al.h>

#include <functional>
#include <memory>
#include <vector>

namespace Velmora {
class InputManager;
}

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Interface {

class WField;

/// The owner of one widget tree: it holds the top widget (a WField of the screen's size), tracks
/// the focused widget, turns keyboard, mouse and pad input into widget events, and runs every
/// widget's animations.
///
/// A screen owns one root and, once per frame:
/// - on MessageUpdateLoop calls Update(dt) and then HandleInput() (HandleInput's result says
///   whether the tree used the input, so the screen can skip its own handling);
/// - on MessageRenderOverlay calls Render(renderer) (or Render(renderer, layer) to draw above
///   something else: boxes and images go to the layer, text to the layer + 1).
/// Build the tree with Add (positions in window pixels, origin bottom-left). The root must
/// outlive nothing of its tree: it deletes the tree when it is cleared or destroyed.
///
/// Input: Up/Down (or the stick held up/down, or the D-pad) move the focus among siblings,
/// Left/Right (or the stick or the D-pad sideways) send decrease/increase to the focused widget,
/// Enter, keypad Enter or pad A activate it; the left mouse button clicks. The stick repeats
/// every 0.3 s while held; the D-pad steps once per press, like the arrow keys.
class WidgetRoot {
public:
    static constexpr int kDefaultLayer = 2000;     ///< menus draw on 2000 (boxes) and 2001 (text)
    static constexpr double kRepeatDelay = 0.3;    ///< seconds between stick repeats
    static constexpr double kStickThreshold = 0.25;

    /// Plays a sound handle (an audio manager cell); replaceable for tests.
    using SoundPlayer = std::function<void(const ALuint* handle)>;
    /// Reads the pad once per frame.
    using PadProvider = std::function<PadInput()>;

    /// A root for the current screen size (asked of the graphics manager when the first widget
    /// is added), reading the game's input manager.
    WidgetRoot();
    /// A root of a given size (pixels) reading the given input manager (null: the game's).
    WidgetRoot(int width, int height, InputManager* input = nullptr);
    /// Deletes the tree.
    ~WidgetRoot();
    WidgetRoot(const WidgetRoot&) = delete;
    WidgetRoot& operator=(const WidgetRoot&) = delete;

    /// Adds a widget to the top widget (created on first use) and returns it. Its position is
    /// the screen's to set.
    Widget* Add(std::unique_ptr<Widget> widget);
    /// Add for a concrete widget class, returning it as that class.
    template <class T>
    T* Add(std::unique_ptr<T> widget) {
        return static_cast<T*>(Add(std::unique_ptr<Widget>(std::move(widget))));
    }
    /// Deletes the whole tree (after the current event, during one) and forgets the focus.
    void Clear();
    /// Draws the tree into the renderer's batches.
    void Render(Graphics::Renderer& renderer, int layer = kDefaultLayer);
    /// Runs every widget's animations for dt seconds, focuses the first focusable widget when
    /// nothing has the focus, and counts the stick repeat delay down.
    void Update(double dt);
    /// Turns this frame's input into events (the pad read from the provider); true when the
    /// tree used it (a press landed on a widget, or the focus moved or acted). Keys pressed while
    /// Alt or Ctrl is held are left alone: they belong to shortcuts such as Alt+Return.
    bool HandleInput();
    /// The same with a given pad state.
    bool HandleInput(const PadInput& pad);
    /// Moves the focus to the widget, or for null to the first focusable widget (if any):
    /// focus lost goes out from the old focus, focus gained from the new one.
    void SetFocus(Widget* widget);
    /// Disables (on) or enables a widget and its subtree. Disabling un-hovers the subtree and
    /// moves the focus out of it to the first focusable widget of the tree.
    void SetDisabled(Widget& widget, bool on);

    /// The focused widget, or null.
    Widget* GetFocus() const { return mFocus; }
    /// The top widget, or null before the first Add.
    WField* GetTop() const { return mTop.get(); }
    /// The delay left before the stick may move the focus again (seconds).
    double GetRepeatTimer() const { return mRepeatTimer; }

    /// Plays a widget's sound through the sound player (by default the audio manager).
    void PlaySound(const ALuint* handle);
    /// Replaces the sound player (null: the audio manager again).
    void SetSoundPlayer(SoundPlayer player) { mSoundPlayer = std::move(player); }
    /// Installs the pad reader every root uses in HandleInput() (null: no pad).
    static void SetPadProvider(PadProvider provider);
    /// This frame's pad as the installed reader gives it (not connected without one); for
    /// screens that read the pad's other buttons and hand the same state to HandleInput.
    static PadInput ReadPad();

    // Used by widgets.
    /// An event starts travelling through the tree.
    void BeginDispatch() { ++mDispatchDepth; }
    /// An event has finished; after the outermost one, widgets removed meanwhile are deleted.
    void EndDispatch();
    /// Takes a widget that left the tree: forgets the focus inside it, deletes it now or after
    /// the current event.
    void Discard(std::unique_ptr<Widget> widget);
    /// A widget of the tree is being deleted.
    void Forget(const Widget& widget);

private:
    void HandleMouse(bool& used);
    bool Navigate(bool previous);
    bool SendToFocus(int32_t kind);
    void BroadcastFromTop(int32_t kind, double x, double y, bool& used);
    void SendHoverLeave(Widget& widget);

    std::unique_ptr<WField> mTop;
    Widget* mFocus = nullptr;      // not owned
    double mMouseX;                // last mouse position seen; NaN before the first
    double mMouseY;
    double mRepeatTimer = 0.0;
    bool mMouseDown = false;       // the left button was down at the previous HandleInput
    int mWidth;                    // -1: ask the graphics manager
    int mHeight;
    InputManager* mInput;          // not owned
    SoundPlayer mSoundPlayer;
    int mDispatchDepth = 0;
    std::vector<std::unique_ptr<Widget>> mDoomed;  // removed during an event
};

} // namespace Velmora::Interface
