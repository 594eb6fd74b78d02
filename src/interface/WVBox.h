#pragma once

#include "interface/WMultiContainer.h"

#include <cstdint>

namespace Velmora::Interface {

/// Stacks its children vertically, the first on top, each stretched to the box's inner width.
/// Width: 2·margin + the widest child area; height: 2·margin + the child areas' heights +
/// spacing between neighbours.
class WVBox : public WMultiContainer {
public:
    /// spacing: pixels between neighbours; margin: pixels around the children.
    explicit WVBox(int32_t spacing = 0, int32_t margin = 0) : mSpacing(spacing), mMargin(margin) {}

    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    /// w = max(min width − 2·margin, widest child area); from the last child to the first,
    /// starting at y = margin: minimum (w, 0), child layout, position (margin, y), y grows by
    /// the child's area height + spacing.
    void Layout() override;

    int32_t mSpacing;
    int32_t mMargin;
};

} // namespace Velmora::Interface
