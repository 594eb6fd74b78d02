#pragma once

#include "interface/WMultiContainer.h"

#include <cstdint>

namespace Velmora::Interface {

/// A container of a fixed size with no layout of its own: its children keep the positions the
/// screen gives them. The top widget of every WidgetRoot is a WField of the screen's size.
class WField : public WMultiContainer {
public:
    /// width, height: pixels.
    WField(int32_t width, int32_t height) : mFixedWidth(width), mFixedHeight(height) {}

    int32_t GetWidth() const override { return mFixedWidth; }
    int32_t GetHeight() const override { return mFixedHeight; }

    int32_t mFixedWidth;
    int32_t mFixedHeight;
};

} // namespace Velmora::Interface
