#pragma once

#include "core/Color.h"

#include <cstdint>

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Interface {

/// Drawing primitives shared by the widgets; everything goes into untextured quad batches.

/// Vertices a widget quad batch holds per layer.
constexpr unsigned kWidgetBatchCapacity = 4096;

/// The colour with its alpha byte replaced by alpha · 255 (alpha limited to 0 … 1, truncated).
uint32_t WithOpacity(Color color, double alpha);

/// A filled rectangle in `fill` inside a frame `thickness` pixels wide in `frame`, covering
/// left … right × bottom … top (pixels, y up). The frame is four strips around the fill, so a
/// translucent fill never shows the frame colour through it. A frame thicker than half the box
/// fills it; an empty or inverted box draws nothing.
void DrawFramedBox(Graphics::Renderer& renderer, int layer, double left, double bottom, double right, double top,
                   double thickness, uint32_t frame, uint32_t fill);

} // namespace Velmora::Interface
