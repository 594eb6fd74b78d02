#include "screens/ResolutionCallback.h"

#include "core/LogRecord.h"
#include "interface/WLabel.h"
#include "interface/WSelector.h"

#include <algorithm>

namespace Velmora::Logic {

ResolutionCallback::ResolutionCallback(std::vector<Graphics::VideoMode> modes, const Graphics::VideoMode& current,
                                       int& width, int& height)
    : mModes(std::move(modes)), mSelected(current), mIndex(-1), mWidth(width), mHeight(height) {
    const auto same = [&current](const Graphics::VideoMode& mode) {
        return mode.mWidth == current.mWidth && mode.mHeight == current.mHeight;
    };
    const auto found = std::find_if(mModes.begin(), mModes.end(), same);
    if (found != mModes.end()) mIndex = static_cast<int>(found - mModes.begin());
}

void ResolutionCallback::OnStep(Interface::WSelector& selector, int32_t direction) {
    if (mModes.empty()) return;
    const int count = static_cast<int>(mModes.size());
    if (mIndex < 0)
        mIndex = direction == 0 ? count - 1 : 0;
    else
        mIndex = (mIndex + (direction == 0 ? count - 1 : 1)) % count;
    mSelected = mModes[static_cast<size_t>(mIndex)];
    mWidth = mSelected.mWidth;
    mHeight = mSelected.mHeight;
    selector.SetOption(MakeOption());
    VELMORA_LOG("MENU") << "Resolution " << Label(mSelected) << " chosen";
}

std::unique_ptr<Interface::Widget> ResolutionCallback::MakeOption() const {
    return std::make_unique<Interface::WLabel>(Label(mSelected), "menu");
}

std::string ResolutionCallback::Label(const Graphics::VideoMode& mode) {
    return std::to_string(mode.mWidth) + " x " + std::to_string(mode.mHeight);
}

} // namespace Velmora::Logic
