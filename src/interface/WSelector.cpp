#include "interface/WSelector.h"

#include "interface/WButtonCallbackLambda.h"
#include "interface/WidgetRoot.h"

#include <algorithm>

namespace Velmora::Interface {

WSelector::WSelector(std::unique_ptr<WSelectorCallback> callback, std::unique_ptr<Widget> option)
    : mCallback(std::move(callback)), mMinus(MakeButton("-", 0)), mPlus(MakeButton("+", 1)) {
    mState = kFocusable;
    Adopt(*mMinus);
    Adopt(*mPlus);
    if (option)
        AddChild(std::move(option));
    else
        Layout();
}

std::unique_ptr<WButton> WSelector::MakeButton(const char* text, int32_t direction) {
    auto button =
        WButton::MakeLabelled(text, WButtonCallbackLambda::Make([this, direction](WButton&) { Step(direction); }),
                              "menu_small", kButtonBorder);
    button->mState &= ~kFocusable; // the selector takes the focus for both
    return button;
}

Widget* WSelector::GetChild(unsigned index) const {
    if (index == 0) return mMinus.get();
    if (mChild && index == 1) return mChild.get();
    return index == GetChildCount() - 1 ? mPlus.get() : nullptr;
}

int32_t WSelector::GetWidth() const {
    const int32_t option = mChild ? mChild->GetAreaWidth() : 0;
    return mMinus->GetAreaWidth() + mSpacing + option + mSpacing + mPlus->GetAreaWidth();
}

int32_t WSelector::GetHeight() const {
    const int32_t option = mChild ? mChild->GetAreaHeight() : 0;
    return std::max({mMinus->GetAreaHeight(), option, mPlus->GetAreaHeight()});
}

void WSelector::Layout() {
    mMinus->mX = 0.0;
    mMinus->mY = 0.0;
    mMinus->Layout();
    const int32_t optionX = mMinus->GetAreaWidth() + mSpacing;
    int32_t optionWidth = 0;
    if (mChild) {
        mChild->mX = optionX;
        mChild->mY = 0.0;
        mChild->mMinWidth = std::max(0, mMinWidth - 2 * mSpacing - mMinus->GetAreaWidth() - mPlus->GetAreaWidth());
        mChild->mMinHeight = mChild->GetHeight();
        mChild->Layout();
        optionWidth = mChild->GetAreaWidth();
    }
    mPlus->mX = optionX + optionWidth + mSpacing;
    mPlus->mY = 0.0;
    mPlus->Layout();
}

void WSelector::Render(Graphics::Renderer& renderer, int layer) {
    mMinus->Render(renderer, layer);
    mPlus->Render(renderer, layer);
    if (mChild) mChild->Render(renderer, layer);
}

void WSelector::OnEvent(WidgetEvent& event) {
    switch (event.mKind) {
        case WidgetEvent::kIncrease:
        case WidgetEvent::kDecrease:
            event.mHandled = 1;
            (event.mKind == WidgetEvent::kIncrease ? mPlus : mMinus)->Send(WidgetEvent::kActivate, WidgetEvent::kSelf);
            break;
        case WidgetEvent::kFocusGained:
        case WidgetEvent::kFocusLost: {
            event.mHandled = 1;
            const bool gained = event.mKind == WidgetEvent::kFocusGained;
            if (gained && mRoot) mRoot->PlaySound(mMinus->mHoverSoundHandle);
            for (WButton* button : {mMinus.get(), mPlus.get()}) {
                if (gained)
                    button->mState |= kFocused;
                else
                    button->mState &= ~kFocused;
                button->RefreshLook();
            }
            break;
        }
        default:
            break;
    }
}

Widget* WSelector::SetOption(std::unique_ptr<Widget> option) {
    Widget* added = AddChild(std::move(option));
    for (Widget* ancestor = mParent; ancestor; ancestor = ancestor->mParent) ancestor->Layout();
    return added;
}

void WSelector::Step(int32_t direction) {
    if (mCallback) mCallback->OnStep(*this, direction);
}

} // namespace Velmora::Interface
