#pragma once

#include <vector>

namespace Velmora::Graphics {

class RenderTarget;

/// Where drawing goes. Pushing a target binds its frame buffer and sets the viewport to its
/// size; popping returns to the target below it, or to the window (viewport over the whole
/// window) when none is left. Every off-screen pass goes through one stack so nested passes
/// find their way back. Targets are not owned and must outlive their time on the stack.
class RenderTargetStack {
public:
    /// The window's size in pixels, restored as the viewport when the stack empties.
    void SetWindowSize(int width, int height);
    /// Makes the target the drawing target. It must be created.
    void Push(const RenderTarget& target);
    /// Returns to the previous target or to the window. Popping an empty stack rebinds the window.
    void Pop();
    /// Forgets every target without touching GL (the context they lived in is gone).
    void Clear() { mTargets.clear(); }

    bool IsEmpty() const { return mTargets.empty(); }
    /// The current target, or null when drawing goes to the window.
    const RenderTarget* GetTop() const { return mTargets.empty() ? nullptr : mTargets.back(); }

private:
    void Bind(const RenderTarget* target) const;

    std::vector<const RenderTarget*> mTargets;
    int mWindowWidth = 0;
    int mWindowHeight = 0;
};

} // namespace Velmora::Graphics
