#pragma once

namespace Velmora::Debug {
class PerformanceManager;
}

namespace Velmora::Graphics {

class Font;
class Renderer;

/// Draws the performance timers and counters (F2): a bar and a text line for each, timers
/// first, from the top of the window down.
class PerformanceOverlay {
public:
    /// Font "console", starting just below the window's top edge.
    static void Draw(Renderer& renderer, const Debug::PerformanceManager& perf);
    /// The same with a given font (null draws only the bars) and top edge in window pixels.
    static void Draw(Renderer& renderer, const Debug::PerformanceManager& perf, const Font* font, double top);
};

} // namespace Velmora::Graphics
