#include "interface/Style.h"

#include "interface/Widget.h"

#include <vector>

namespace Velmora::Interface {

Style& Style::SetAlpha(double alpha) {
    mAlpha = alpha;
    mSetFields |= kAlpha;
    return *this;
}

Style& Style::SetColor1(Color color) {
    mColor1 = color;
    mSetFields |= kColor1;
    return *this;
}

Style& Style::SetColor2(Color color) {
    mColor2 = color;
    mSetFields |= kColor2;
    return *this;
}

Style& Style::SetColor3(Color color) {
    mColor3 = color;
    mSetFields |= kColor3;
    return *this;
}

Style& Style::SetScalar1(double value) {
    mScalar1 = value;
    mSetFields |= kScalar1;
    return *this;
}

Style& Style::SetScalar2(double value) {
    mScalar2 = value;
    mSetFields |= kScalar2;
    return *this;
}

Style& Style::SetScalar3(double value) {
    mScalar3 = value;
    mSetFields |= kScalar3;
    return *this;
}

Style& Style::SetOffset(double x, double y) {
    mOffsetX = x;
    mOffsetY = y;
    mSetFields |= kOffset;
    return *this;
}

void Apply(Style& base, const Style& over) {
    const uint32_t set = over.mSetFields;
    if (set & Style::kAlpha) base.mAlpha = over.mAlpha;
    if (set & Style::kColor1) base.mColor1 = over.mColor1;
    if (set & Style::kColor2) base.mColor2 = over.mColor2;
    if (set & Style::kColor3) base.mColor3 = over.mColor3;
    if (set & Style::kScalar1) base.mScalar1 = over.mScalar1;
    if (set & Style::kScalar2) base.mScalar2 = over.mScalar2;
    if (set & Style::kScalar3) base.mScalar3 = over.mScalar3;
    if (set & Style::kOffset) {
        base.mOffsetX = over.mOffsetX;
        base.mOffsetY = over.mOffsetY;
    }
    base.mSetFields |= set;
}

Style GetEffectiveStyle(const Widget& widget) {
    // Root first, without recursion: applying the chain top-down is the same cascade.
    std::vector<const Widget*> chain;
    for (const Widget* w = &widget; w; w = w->mParent) chain.push_back(w);
    Style style;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) Apply(style, (*it)->mStyle);
    return style;
}

} // namespace Velmora::Interface
