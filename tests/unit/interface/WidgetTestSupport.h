#pragma once

// Widgets of known sizes for the toolkit's logic tests, and a root driven by a private input
// manager, so no window, font or sound device is needed.

#include "core/InputManager.h"
#include "interface/WMultiContainer.h"
#include "interface/Widget.h"
#include "interface/WidgetRoot.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace Velmora::Interface::Tests {

/// A leaf of a fixed size that records the kinds of the events it gets (but ticks and moves).
class FixedWidget : public Widget {
public:
    FixedWidget(int32_t width, int32_t height, uint8_t state = 0) : mWidth(width), mHeight(height) { mState = state; }
    int32_t GetWidth() const override { return mWidth; }
    int32_t GetHeight() const override { return mHeight; }
    void Render(Graphics::Renderer&, int) override {}
    void OnEvent(WidgetEvent& event) override {
        if (event.mKind != WidgetEvent::kTick && event.mKind != WidgetEvent::kMouseMove) mEvents.push_back(event.mKind);
    }

    int32_t mWidth;
    int32_t mHeight;
    std::vector<int32_t> mEvents;
};

/// A container of a fixed size that keeps its children where they are put.
class FixedContainer : public WMultiContainer {
public:
    FixedContainer(int32_t width, int32_t height, uint8_t state = 0) : mWidth(width), mHeight(height) {
        mState = state;
    }
    int32_t GetWidth() const override { return mWidth; }
    int32_t GetHeight() const override { return mHeight; }

    int32_t mWidth;
    int32_t mHeight;
};

/// A 1024 × 768 root with its own input manager and a recorder instead of the audio manager.
class RootFixture {
public:
    RootFixture() : mRoot(1024, 768, &mInput) {
        mRoot.SetSoundPlayer([this](const ALuint* handle) { mSounds.push_back(handle); });
        mInput.SetMousePosition(-100.0, -100.0);
    }

    /// One frame: animations and focus, then this frame's input; the keys and buttons set so far
    /// count as this frame's state. Returns HandleInput's answer.
    bool Frame(double dt = 0.0, const PadInput& pad = {}) {
        mRoot.Update(dt);
        const bool used = mRoot.HandleInput(pad);
        mInput.Snapshot();
        return used;
    }
    /// A key pressed in one frame and released before the next.
    bool Tap(int key) {
        mInput.SetKey(key, true);
        const bool used = Frame();
        mInput.SetKey(key, false);
        Frame();
        return used;
    }
    /// A left click at a window position: the press frame, then the release frame.
    bool Click(double x, double y) {
        mInput.SetMousePosition(x, y);
        mInput.SetButton(SDL_BUTTON_LEFT, true);
        const bool used = Frame();
        mInput.SetButton(SDL_BUTTON_LEFT, false);
        Frame();
        return used;
    }

    InputManager mInput;
    WidgetRoot mRoot;
    std::vector<const ALuint*> mSounds;
};

} // namespace Velmora::Interface::Tests
