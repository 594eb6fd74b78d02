#pragma once

#include "core/ActionList.h"
#include "interface/Style.h"
#include "interface/WidgetEvent.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Interface {

class WidgetRoot;

/// Base of every widget of a menu or dialog tree. A widget is positioned relative to its parent
/// (mX, mY in pixels, y up, set by the parent's layout or by the screen), sized in whole pixels
/// (GetWidth, GetHeight: its own size; it occupies at least mMinWidth × mMinHeight, which the
/// parent's layout assigns), drawn in overlay coordinates, and changes its look only by
/// animating mStyle (Animate, AnimateStyle). Widgets own their children and delete them with
/// themselves.
///
/// How a screen uses a tree: it owns a WidgetRoot, builds the widgets and hands them over with
/// WidgetRoot::Add (or a container's AddChild); on MessageUpdateLoop it calls Update(dt) and
/// HandleInput(), on MessageRenderOverlay it calls Render(renderer). Buttons call their
/// callbacks from inside HandleInput; a callback may rebuild or clear the tree, since widgets
/// removed during an event are only deleted once the event has finished travelling.
class Widget {
public:
    // mState bits.
    static constexpr uint8_t kDisabled = 1;  ///< takes no input and cannot be focused, with its subtree
    static constexpr uint8_t kHovered = 2;   ///< under the mouse
    static constexpr uint8_t kClickable = 4; ///< a mouse press on it activates it
    static constexpr uint8_t kFocusable = 8; ///< keyboard and pad navigation may focus it
    static constexpr uint8_t kFocused = 16;  ///< has the focus (or lies under the focused widget)

    /// Position (0, 0), the default style, state 0, minimum size 0 × 0, no parent.
    Widget() = default;
    /// Deletes the widget's animations; tells the root, if the widget was in a tree, that it is gone.
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    /// The widget's own width in pixels (without its minimum).
    virtual int32_t GetWidth() const = 0;
    /// The widget's own height in pixels (without its minimum).
    virtual int32_t GetHeight() const = 0;
    /// Adds the widget's vertices to the renderer's batches at its absolute position. `layer`
    /// is the draw layer the screen chose for the tree: boxes and images go to it, text to
    /// layer + 1. Nothing is drawn while the effective alpha is 0.
    virtual void Render(Graphics::Renderer& renderer, int layer) = 0;
    /// Takes ownership of a child, sets its parent and root, stores it and lays this widget out.
    /// Returns the stored child, or null when this widget takes no children (the child is then
    /// deleted).
    virtual Widget* AddChild(std::unique_ptr<Widget> child);
    /// Deletes the children (after the current event, during one).
    virtual void ClearChildren() {}
    /// Number of children (0 by default).
    virtual unsigned GetChildCount() const { return 0; }
    /// The child at an index, or null.
    virtual Widget* GetChild(unsigned) const { return nullptr; }
    /// The widget's own reaction to an event, after the generic handling. Set event.mHandled to
    /// stop it.
    virtual void OnEvent(WidgetEvent&) {}
    /// Places and sizes the children; nothing by default.
    virtual void Layout() {}

    /// Makes a T from the arguments, adds it as a child and returns it (null when not taken).
    template <class T, class... Args>
    T* Emplace(Args&&... args) {
        return static_cast<T*>(AddChild(std::make_unique<T>(std::forward<Args>(args)...)));
    }

    /// Delivers an event: the generic handling, then OnEvent; if not handled, on by the event's
    /// direction (to the ancestors, to the descendants in order, or nowhere).
    void Dispatch(WidgetEvent& event);
    /// Dispatches a fresh event of a kind in a direction from this widget.
    void Send(int32_t kind, int32_t direction);

    /// True when any of the mState bits is set.
    bool HasState(uint8_t bits) const { return (mState & bits) != 0; }
    /// True when neither the widget nor any ancestor is disabled.
    bool IsEnabled() const;
    /// Focusable and not disabled itself.
    bool CanFocus() const { return HasState(kFocusable) && !HasState(kDisabled); }
    /// The area the widget occupies: max(own size, minimum), in pixels.
    int32_t GetAreaWidth() const;
    int32_t GetAreaHeight() const;
    /// Absolute position in window pixels: the sum of the widget's and its ancestors' positions,
    /// each plus its own style offset where that style defines one.
    double GetAbsoluteX() const;
    double GetAbsoluteY() const;
    /// True when absX ≤ x < absX + area width and absY ≤ y < absY + area height.
    bool IsInside(double x, double y) const;
    /// The root of the tree the widget is in, or null.
    WidgetRoot* GetRoot() const { return mRoot; }

    ActionList mActions; ///< the widget's animations
    double mX = 0.0;     ///< pixels, relative to the parent's position
    double mY = 0.0;
    Style mStyle;                ///< the widget's own style record
    Widget* mParent = nullptr;   ///< not owned; null for the top widget
    WidgetRoot* mRoot = nullptr; ///< not owned; copied from the parent when added
    uint8_t mState = 0;          ///< k… bits
    int32_t mMinWidth = 0;       ///< pixels, assigned by the parent's layout
    int32_t mMinHeight = 0;

protected:
    /// Makes this widget the parent of a child and hands the child's subtree this widget's root.
    void Adopt(Widget& child);
    /// Deletes a widget that left this widget's children: at once, or after the current event
    /// when the tree is delivering one.
    void Discard(std::unique_ptr<Widget> child);
    /// Sets the root of the widget and of its whole subtree.
    void SetRootRecursive(WidgetRoot* root);

private:
    void HandleGeneric(WidgetEvent& event);
    void HandleMouseMove(const WidgetEvent& event);
    void Deliver(WidgetEvent& event);
};

} // namespace Velmora::Interface
