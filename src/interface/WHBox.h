#pragma once

#include "interface/WMultiContainer.h"

#include <cstdint>

namespace Velmora::Interface {

/// Lines its children up left to right, each stretched to the box's inner height.
/// Width: 2·margin + the child areas' widths + spacing between neighbours; height: 2·margin +
/// the tallest child area.
class WHBox : public WMultiContainer {
public:
    /// spacing: pixels between neighbours; margin: pixels around the children.
    explicit WHBox(int32_t spacing = 0, int32_t margin = 0) : mSpacing(spacing), mMargin(margin) {}

    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    /// h = max(min height − 2·margin, tallest child area); from the first child to the last,
    /// starting at x = margin: minimum (0, h), child layout, position (x, margin), x grows by
    /// the child's area width + spacing.
    void Layout() override;

    int32_t mSpacing;
    int32_t mMargin;
};

} // namespace Velmora::Interface
