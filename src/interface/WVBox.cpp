#include "interface/WVBox.h"

#include <algorithm>

namespace Velmora::Interface {

int32_t WVBox::GetWidth() const {
    int32_t widest = 0;
    for (const auto& child : mChildren) widest = std::max(widest, child->GetAreaWidth());
    return mMargin * 2 + widest;
}

int32_t WVBox::GetHeight() const {
    int32_t height = mMargin * 2;
    for (const auto& child : mChildren) height += child->GetAreaHeight();
    // No spacing term without children: an empty box is just its margins.
    if (!mChildren.empty()) height += mSpacing * static_cast<int32_t>(mChildren.size() - 1);
    return height;
}

void WVBox::Layout() {
    int32_t widest = 0;
    for (const auto& child : mChildren) widest = std::max(widest, child->GetAreaWidth());
    const int32_t width = std::max(mMinWidth - 2 * mMargin, widest);
    double y = mMargin;
    for (auto it = mChildren.rbegin(); it != mChildren.rend(); ++it) {
        Widget& child = **it;
        child.mMinWidth = width;
        child.mMinHeight = 0;
        child.Layout();
        child.mX = mMargin;
        child.mY = y;
        y += child.GetAreaHeight() + mSpacing;
    }
}

} // namespace Velmora::Interface
