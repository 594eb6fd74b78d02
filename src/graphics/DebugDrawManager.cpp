#include "graphics/DebugDrawManager.h"

#include "debug/PerformanceManager.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Velmora::Graphics {

namespace {

int RenderTimer() {
    static const int sTimer = Debug::PerformanceManager::GetInstance().RegisterTimer("Debug Draw Render Time");
    return sTimer;
}

uint32_t Faded(uint32_t color, double fade) {
    const double keep = 1.0 - std::clamp(fade, 0.0, 1.0);
    return Graphics::WithAlpha(color, static_cast<uint8_t>(Graphics::ColorAlpha(color) * keep));
}

} // namespace

DebugDrawManager& DebugDrawManager::GetInstance() {
    static DebugDrawManager* instance = new DebugDrawManager();
    return *instance;
}

DebugDrawManager::DebugDrawManager(Graphics::Renderer::Drawer drawer)
    : mLines(&mRenderer.GetBatch(Graphics::kPrimitiveLines, nullptr, 0, kLineCapacity, Graphics::kBlendAlpha)) {
    if (drawer) mRenderer.SetDrawer(std::move(drawer));
}

void DebugDrawManager::DrawLine(double x0, double y0, double x1, double y1, uint32_t color, double fade) {
    mLines->AddLine(x0, y0, x1, y1, Faded(color, fade));
}

void DebugDrawManager::DrawCircle(double x, double y, double radius, uint32_t color, double fade) {
    mLines->AddCircle(x, y, radius, Faded(color, fade));
}

void DebugDrawManager::SetWatch(const std::string& key, const std::string& text, double lifetime) {
    mWatches[key] = Watch{text, lifetime, lifetime};
}

void DebugDrawManager::RenderWorld(double) {
    Debug::ScopedTimer timer(RenderTimer());
    mRenderer.Flush();
}

uint8_t DebugDrawManager::WatchAlpha(const Watch& watch) {
    // A watch without a lifetime shows once, fully opaque.
    const double share = watch.mLifetime > 0.0 ? std::min(watch.mRemaining / watch.mLifetime, 1.0) : 1.0;
    const double alpha = 255.0 * std::sin(std::max(share, 0.0) * std::numbers::pi / 2.0);
    return static_cast<uint8_t>(std::clamp(alpha, 0.0, 255.0));
}

void DebugDrawManager::RenderOverlay(double dt, Graphics::Renderer& renderer) {
    Debug::ScopedTimer timer(RenderTimer());
    if (mWatches.empty()) return;
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    const Graphics::Font* font = fonts.GetFont("console");
    const double lineHeight = font ? font->mLineHeight : 0.0;
    const double right = Graphics::GraphicsManager::GetInstance().GetWidth() - 4.0;
    double y = Graphics::GraphicsManager::GetInstance().GetHeight() - 4.0 - lineHeight;
    for (auto it = mWatches.begin(); it != mWatches.end();) {
        Watch& watch = it->second;
        fonts.DrawText(renderer, font, watch.mText, right, y, Graphics::kAlignRight, kWatchLayer,
                       Graphics::WithAlpha(0xFFFFFFFFu, WatchAlpha(watch)));
        y -= lineHeight;
        watch.mRemaining -= dt;
        it = watch.mRemaining > 0.0 ? std::next(it) : mWatches.erase(it);
    }
}

} // namespace Velmora::Graphics
