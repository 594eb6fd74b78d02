#include "interface/WidgetDrawing.h"

#include "graphics/Batch.h"
#include "graphics/Renderer.h"

#include <algorithm>
#include <cmath>

namespace Velmora::Interface {

uint32_t WithOpacity(Color color, double alpha) {
    const double clamped = std::isnan(alpha) ? 0.0 : std::clamp(alpha, 0.0, 1.0);
    return color.WithAlpha(static_cast<uint8_t>(clamped * 255.0)).GetPacked();
}

void DrawFramedBox(Graphics::Renderer& renderer, int layer, double left, double bottom, double right, double top,
                   double thickness, uint32_t frame, uint32_t fill) {
    if (!(right > left) || !(top > bottom)) return;
    Graphics::Batch& batch =
        renderer.GetBatch(Graphics::kPrimitiveQuads, nullptr, layer, kWidgetBatchCapacity, Graphics::kBlendAlpha);
    const double limit = std::min(right - left, top - bottom) / 2.0;
    const double t = std::isnan(thickness) ? 0.0 : std::clamp(thickness, 0.0, limit);
    const double innerLeft = left + t;
    const double innerRight = right - t;
    const double innerBottom = bottom + t;
    const double innerTop = top - t;
    if (innerRight > innerLeft && innerTop > innerBottom)
        batch.AddRect(innerLeft, innerRight, innerBottom, innerTop, fill);
    if (t <= 0.0) return;
    batch.AddRect(left, right, innerTop, top, frame);             // top strip, full width
    batch.AddRect(left, right, bottom, innerBottom, frame);       // bottom strip, full width
    batch.AddRect(left, innerLeft, innerBottom, innerTop, frame); // left strip between them
    batch.AddRect(innerRight, right, innerBottom, innerTop, frame);
}

} // namespace Velmora::Interface
