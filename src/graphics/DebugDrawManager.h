#pragma once

#include "core/ISystem.h"
#include "graphics/Renderer.h"

#include <cstdint>
#include <map>
#include <string>

namespace Velmora::Graphics {

/// Collects debug shapes and fading watch texts from gameplay code and draws them each frame:
/// lines and circles in world coordinates (for one frame only) and named texts in the window's
/// top-right corner (for their lifetime).
class DebugDrawManager : public ISystem {
public:
    /// Vertices of the one line batch (16384 lines a frame).
    static constexpr unsigned kLineCapacity = 32768;
    /// Layer of the watch texts.
    static constexpr int kWatchLayer = 901;

    struct Watch {
        std::string mText;
        double mRemaining = 0.0; ///< seconds
        double mLifetime = 0.0;  ///< seconds
    };

    static DebugDrawManager& GetInstance();
    /// drawer: how the line batch is drawn (OpenGL by default).
    explicit DebugDrawManager(Graphics::Renderer::Drawer drawer = {});

    /// One line in world coordinates for this frame; alpha is the colour's × (1 − fade).
    void DrawLine(double x0, double y0, double x1, double y1, uint32_t color, double fade = 0.0);
    /// A circle outline in world coordinates for this frame, faded like DrawLine.
    void DrawCircle(double x, double y, double radius, uint32_t color, double fade = 0.0);
    /// Sets the text shown under a key (replacing the earlier one) and restarts its lifetime.
    void SetWatch(const std::string& key, const std::string& text, double lifetime);

    /// Draws the frame's lines under the current (world) view and empties the batch.
    void RenderWorld(double dt);
    /// Adds the watch texts to the renderer (font "console", layer 901), fading with the time
    /// they have left, and counts that time down by dt seconds; a watch ends when none is left.
    void RenderOverlay(double dt, Graphics::Renderer& renderer);
    /// The alpha byte of a watch: 255 × sin(min(remaining / lifetime, 1) × π / 2).
    static uint8_t WatchAlpha(const Watch& watch);

    const std::map<std::string, Watch>& GetWatches() const { return mWatches; }
    const Graphics::Batch& GetLines() const { return *mLines; }

private:
    Graphics::Renderer mRenderer;
    Graphics::Batch* mLines;
    std::map<std::string, Watch> mWatches;
};

} // namespace Velmora::Graphics
