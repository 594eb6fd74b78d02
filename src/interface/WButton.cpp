#include "interface/WButton.h"

#include "audio/AudioManager.h"
#include "interface/AnimateStyle.h"
#include "interface/WLabel.h"
#include "interface/WidgetDrawing.h"
#include "interface/WidgetRoot.h"

#include <algorithm>

namespace Velmora::Interface {

WButton::WButton(std::unique_ptr<WButtonCallback> callback, int32_t border)
    : mCallback(std::move(callback)), mBorder(border) {
    mState = kClickable | kFocusable;
    Audio::AudioManager& audio = Audio::AudioManager::GetInstance();
    mHoverSoundHandle = audio.LoadSample(kHoverSound);
    mActivateSoundHandle = audio.LoadSample(kActivateSound);
}

std::unique_ptr<WButton> WButton::MakeLabelled(const std::string& text, std::unique_ptr<WButtonCallback> callback,
                                               const std::string& font, int32_t border) {
    auto button = std::make_unique<WButton>(std::move(callback), border);
    button->AddChild(std::make_unique<WLabel>(text, font));
    return button;
}

int32_t WButton::GetWidth() const { return mChild ? mChild->GetAreaWidth() + 2 * mBorder : 0; }

int32_t WButton::GetHeight() const { return mChild ? mChild->GetAreaHeight() + 2 * mBorder : 0; }

void WButton::Layout() {
    if (!mChild) return;
    mChild->mX = mBorder;
    mChild->mY = mBorder;
    mChild->mMinWidth = std::max(0, mMinWidth - 2 * mBorder);
    mChild->mMinHeight = std::max(0, mMinHeight - 2 * mBorder);
    mChild->Layout();
}

void WButton::OnEvent(WidgetEvent& event) {
    switch (event.mKind) {
    case WidgetEvent::kMouseEnter:
    case WidgetEvent::kFocusGained:
        PlaySound(mHoverSoundHandle);
        RefreshLook();
        break;
    case WidgetEvent::kMouseLeave:
    case WidgetEvent::kFocusLost: RefreshLook(); break;
    case WidgetEvent::kActivate:
        event.mHandled = 1;
        PlaySound(mActivateSoundHandle);
        // Last: the callback may delete this button (deferred while the event travels).
        if (mCallback) mCallback->Invoke(*this);
        break;
    default: break;
    }
}

void WButton::PlaySound(const ALuint* handle) const {
    if (mRoot) mRoot->PlaySound(handle);
    else Audio::AudioManager::GetInstance().PlaySampleHandle(handle);
}

Style WButton::LookTarget(double& seconds) const {
    Style target;
    const bool highlighted = HasState(kHovered) || HasState(kFocused);
    seconds = highlighted ? kHighlightSeconds : kNormalSeconds;
    if (mLook) {
        const WidgetLook::Face& face = highlighted ? mLook->mHighlight : mLook->mNormal;
        return target.SetColor1(face.mText).SetColor2(face.mFrame).SetColor3(face.mFill).SetScalar3(face.mFrameScale);
    }
    if (HasState(kHovered)) return target.SetColor2(Style::kCyan).SetColor3(Style::kCyan).SetScalar3(kHighlightFrame);
    if (HasState(kFocused)) return target.SetColor2(Style::kWhite).SetColor3(Style::kWhite).SetScalar3(kHighlightFrame);
    return target.SetColor2(Style::kGreen).SetColor3(Style::kGreen).SetScalar3(1.0);
}

void WButton::RefreshLook() {
    mActions.RemoveLanes(kLaneBehavior);
    double seconds = 0.0;
    const Style target = LookTarget(seconds);
    Animate(*this, kLaneBehavior, kInterpolateSine, target, true, seconds);
}

void WButton::SetLook(const WidgetLook& look) {
    mLook = look;
    mActions.RemoveLanes(kLaneBehavior);
    double seconds = 0.0;
    Apply(mStyle, LookTarget(seconds));
}

void WButton::Render(Graphics::Renderer& renderer, int layer) {
    const Style style = GetEffectiveStyle(*this);
    if (style.mAlpha > 0.0) {
        const double width = GetAreaWidth() * style.mScalar1;
        const double height = GetAreaHeight() * style.mScalar2;
        const double centerX = GetAbsoluteX() + GetAreaWidth() / 2.0;
        const double centerY = GetAbsoluteY() + GetAreaHeight() / 2.0;
        DrawFramedBox(renderer, layer, centerX - width / 2.0, centerY - height / 2.0, centerX + width / 2.0,
                      centerY + height / 2.0, 4.0 * style.mScalar3, WithOpacity(style.mColor2, style.mAlpha),
                      mLook ? WithOpacity(style.mColor3, style.mAlpha * mLook->mFillOpacity)
                            : WithOpacity(Style::kBlack, style.mAlpha * 0.8));
    }
    WSingleContainer::Render(renderer, layer);
}

} // namespace Velmora::Interface
