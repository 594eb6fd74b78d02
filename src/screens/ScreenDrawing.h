#pragma once

#include "core/Color.h"

namespace Velmora::Graphics {
class Renderer;
class Texture;
} // namespace Velmora::Graphics

namespace Velmora::Logic {

/// Drawing shared by the framing screens (intro, preloader, menus, help, credits): whole-window
/// fills and pictures, in window pixels with the origin at the bottom-left, on the overlay pass.

/// Draw layers of the framing screens (lower is drawn first within a flush).
constexpr int kLayerBackground = 4;   ///< full-window backgrounds
constexpr int kLayerPicture = 10;     ///< pictures over a background (slides, help page)
constexpr int kLayerMenuShade = 1000; ///< the in-game menu's dark layer, above the HUD
constexpr int kLayerMenuLogo = 1001;  ///< the in-game menu's logo
constexpr int kLayerMenuPanel = 1999; ///< the panel behind a menu page
constexpr int kLayerMenu = 2000;      ///< menu widgets (text on 2001)
constexpr int kLayerCredits = 2100;   ///< the credits' dark layer (text on 2101), above a menu

/// The window's size in pixels as the graphics manager reports it (0 × 0 without a window).
struct WindowSize {
    int mWidth = 0;
    int mHeight = 0;
    /// The current size.
    static WindowSize Get();
};

/// A rectangle of one colour.
void FillRect(Graphics::Renderer& renderer, int layer, double left, double bottom, double right, double top,
              Color color);
/// The whole window in one colour.
void FillWindow(Graphics::Renderer& renderer, int layer, const WindowSize& window, Color color);
/// A texture's image (without its power-of-two padding) stretched over a rectangle, tinted.
void DrawPicture(Graphics::Renderer& renderer, int layer, Graphics::Texture& texture, double left, double bottom,
                 double right, double top, Color tint = Color());
/// A texture stretched over the whole window.
void DrawPictureOverWindow(Graphics::Renderer& renderer, int layer, Graphics::Texture& texture,
                           const WindowSize& window);
/// A texture at its own size centred at (centerX, centerY); a picture that does not fit into
/// maxWidth × maxHeight is scaled down to fit, keeping its shape.
void DrawPictureCentered(Graphics::Renderer& renderer, int layer, Graphics::Texture& texture, double centerX,
                         double centerY, double maxWidth, double maxHeight, Color tint = Color());

} // namespace Velmora::Logic
