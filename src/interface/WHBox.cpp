#include "interface/WHBox.h"

#include <algorithm>

namespace Velmora::Interface {

int32_t WHBox::GetWidth() const {
    int32_t width = mMargin * 2;
    for (const auto& child : mChildren) width += child->GetAreaWidth();
    // No spacing term without children: an empty box is just its margins.
    if (!mChildren.empty()) width += mSpacing * static_cast<int32_t>(mChildren.size() - 1);
    return width;
}

int32_t WHBox::GetHeight() const {
    int32_t tallest = 0;
    for (const auto& child : mChildren) tallest = std::max(tallest, child->GetAreaHeight());
    return mMargin * 2 + tallest;
}

void WHBox::Layout() {
    int32_t tallest = 0;
    for (const auto& child : mChildren) tallest = std::max(tallest, child->GetAreaHeight());
    const int32_t height = std::max(mMinHeight - 2 * mMargin, tallest);
    double x = mMargin;
    for (const auto& child : mChildren) {
        child->mMinWidth = 0;
        child->mMinHeight = height;
        child->Layout();
        child->mX = x;
        child->mY = mMargin;
        x += child->GetAreaWidth() + mSpacing;
    }
}

} // namespace Velmora::Interface
