#include "interface/WidgetRoot.h"

#include "audio/AudioManager.h"
#include "core/InputManager.h"
#include "interface/WField.h"
#include "interface/WidgetTree.h"

#include <SDL.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace Velmora::Interface {

namespace {

constexpr double kQuarterPi = std::numbers::pi / 4.0;
constexpr double kThreeQuarterPi = 3.0 * std::numbers::pi / 4.0;
// Repeat delays left over from adding up frame times are treated as run out.
constexpr double kTimerEpsilon = 1e-9;

WidgetRoot::PadProvider& PadSource() {
    static WidgetRoot::PadProvider provider;
    return provider;
}

} // namespace

WidgetRoot::WidgetRoot() : WidgetRoot(-1, -1, nullptr) {}

WidgetRoot::WidgetRoot(int width, int height, InputManager* input)
    : mMouseX(std::numeric_limits<double>::quiet_NaN()), mMouseY(std::numeric_limits<double>::quiet_NaN()),
      mWidth(width), mHeight(height), mInput(input ? input : &InputManager::GetInstance()) {}

WidgetRoot::~WidgetRoot() {
    Clear();
    mDispatchDepth = 0;
    mDoomed.clear();
}

Widget* WidgetRoot::Add(std::unique_ptr<Widget> widget) {
    if (!mTop) {
        int width = mWidth;
        int height = mHeight;
        if (width < 0 || height < 0) {
            const SDL_Surface* screen = SDL_GetVideoSurface();
            width = screen ? screen->w : 0;
            height = screen ? screen->h : 0;
        }
        mTop = std::make_unique<WField>(width, height);
        mTop->mRoot = this;
    }
    return mTop->AddChild(std::move(widget));
}

void WidgetRoot::Clear() {
    mFocus = nullptr;
    if (mTop) Discard(std::move(mTop));
}

void WidgetRoot::Render(Graphics::Renderer& renderer, int layer) {
    if (mTop) mTop->Render(renderer, layer);
}

void WidgetRoot::Update(double dt) {
    if (mTop) {
        WidgetEvent tick;
        tick.mKind = WidgetEvent::kTick;
        tick.mDirection = WidgetEvent::kBroadcast;
        tick.mDt = dt;
        mTop->Dispatch(tick);
    }
    if (!mFocus) SetFocus(nullptr);
    mRepeatTimer -= dt;
    if (!(mRepeatTimer > kTimerEpsilon)) mRepeatTimer = 0.0;
}

bool WidgetRoot::HandleInput() { return HandleInput(ReadPad()); }

PadInput WidgetRoot::ReadPad() {
    const PadProvider& provider = PadSource();
    return provider ? provider() : PadInput{};
}

bool WidgetRoot::HandleInput(const PadInput& pad) {
    bool used = false;
    HandleMouse(used);
    const bool stickActive = pad.mConnected && pad.mStickMagnitude >= kStickThreshold;
    const bool stick = stickActive && mRepeatTimer <= 0.0;
    const double a = pad.mStickAngle;
    const bool dpad = pad.mConnected;
    bool acted = false;
    if (mInput->IsKeyPressedAlone(SDLK_UP) || (dpad && pad.mDpadUpPressed) ||
        (stick && a > kQuarterPi && a <= kThreeQuarterPi)) {
        acted |= Navigate(true);
    }
    if (mInput->IsKeyPressedAlone(SDLK_DOWN) || (dpad && pad.mDpadDownPressed) ||
        (stick && a > -kThreeQuarterPi && a <= -kQuarterPi)) {
        acted |= Navigate(false);
    }
    // Keys held with Alt or Ctrl are shortcuts (Alt+Return switches the display), never menu keys.
    if (mInput->IsKeyPressedAlone(SDLK_RETURN) || mInput->IsKeyPressedAlone(SDLK_KP_ENTER) ||
        (pad.mConnected && pad.mAPressed)) {
        acted |= SendToFocus(WidgetEvent::kActivate);
    }
    if (mInput->IsKeyPressedAlone(SDLK_LEFT) || (dpad && pad.mDpadLeftPressed) ||
        (stick && (a <= -kThreeQuarterPi || a > kThreeQuarterPi))) {
        acted |= SendToFocus(WidgetEvent::kDecrease);
    }
    if (mInput->IsKeyPressedAlone(SDLK_RIGHT) || (dpad && pad.mDpadRightPressed) ||
        (stick && a > -kQuarterPi && a <= kQuarterPi)) {
        acted |= SendToFocus(WidgetEvent::kIncrease);
    }
    if (acted && stickActive) mRepeatTimer = kRepeatDelay;
    if (!acted && !stickActive) mRepeatTimer = 0.0;
    return used || acted;
}

void WidgetRoot::HandleMouse(bool& used) {
    const InputManager::Point mouse = mInput->GetMousePosition();
    if (mouse.x != mMouseX || mouse.y != mMouseY) {
        mMouseX = mouse.x;
        mMouseY = mouse.y;
        BroadcastFromTop(WidgetEvent::kMouseMove, mouse.x, mouse.y, used);
    }
    const bool down = mInput->IsButtonDown(SDL_BUTTON_LEFT);
    if (mInput->IsButtonPressed(SDL_BUTTON_LEFT)) BroadcastFromTop(WidgetEvent::kMouseDown, mouse.x, mouse.y, used);
    else if (mMouseDown && !down) BroadcastFromTop(WidgetEvent::kMouseUp, mouse.x, mouse.y, used);
    mMouseDown = down;
}

void WidgetRoot::BroadcastFromTop(int32_t kind, double x, double y, bool& used) {
    if (!mTop) return;
    WidgetEvent event;
    event.mKind = kind;
    event.mDirection = WidgetEvent::kBroadcast;
    event.mX = x;
    event.mY = y;
    mTop->Dispatch(event);
    if (event.mHandled && kind != WidgetEvent::kMouseMove) used = true;
}

// Up (previous) or down (next) among the focus's siblings; true when the focus moved.
bool WidgetRoot::Navigate(bool previous) {
    if (!mFocus) return false;
    Widget* target = previous ? PreviousFocusable(*mFocus) : NextFocusable(*mFocus);
    if (!target) return false;
    SetFocus(target);
    return true;
}

bool WidgetRoot::SendToFocus(int32_t kind) {
    if (!mFocus) return false;
    mFocus->Send(kind, WidgetEvent::kBroadcast);
    return true;
}

void WidgetRoot::SetFocus(Widget* widget) {
    if (mFocus) mFocus->Send(WidgetEvent::kFocusLost, WidgetEvent::kBroadcast);
    mFocus = widget ? widget : (mTop ? FindFirstFocusable(*mTop) : nullptr);
    if (mFocus) mFocus->Send(WidgetEvent::kFocusGained, WidgetEvent::kBroadcast);
}

void WidgetRoot::SetDisabled(Widget& widget, bool on) {
    if (!on) {
        widget.mState &= ~Widget::kDisabled;
        return;
    }
    widget.mState |= Widget::kDisabled;
    SendHoverLeave(widget);
    if (mFocus && IsWithin(*mFocus, widget)) SetFocus(nullptr);
}

// Un-hovers the widget and everything under it: a disabled subtree shows no highlight.
void WidgetRoot::SendHoverLeave(Widget& widget) {
    if (widget.HasState(Widget::kHovered)) widget.Send(WidgetEvent::kMouseLeave, WidgetEvent::kSelf);
    for (unsigned i = 0; i < widget.GetChildCount(); ++i) {
        if (Widget* child = widget.GetChild(i)) SendHoverLeave(*child);
    }
}

void WidgetRoot::PlaySound(const ALuint* handle) {
    if (mSoundPlayer) mSoundPlayer(handle);
    else Audio::AudioManager::GetInstance().PlaySampleHandle(handle);
}

void WidgetRoot::SetPadProvider(PadProvider provider) { PadSource() = std::move(provider); }

void WidgetRoot::EndDispatch() {
    if (--mDispatchDepth > 0 || mDoomed.empty()) return;
    // Deleting may run destructors that discard more widgets; they land in a fresh list.
    while (!mDoomed.empty()) {
        std::vector<std::unique_ptr<Widget>> doomed = std::move(mDoomed);
        mDoomed.clear();
        doomed.clear();
    }
}

void WidgetRoot::Discard(std::unique_ptr<Widget> widget) {
    if (!widget) return;
    if (mFocus && IsWithin(*mFocus, *widget)) mFocus = nullptr;
    widget->mParent = nullptr;
    if (mDispatchDepth > 0) mDoomed.push_back(std::move(widget));
}

void WidgetRoot::Forget(const Widget& widget) {
    if (mFocus == &widget) mFocus = nullptr;
}

} // namespace Velmora::Interface
