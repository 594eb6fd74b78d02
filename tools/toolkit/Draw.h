#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

namespace Velmora::Tools {

/// An ARGB32 Cairo surface with its drawing context; both released on destruction.
class Canvas {
public:
    /// Creates a transparent surface of the given size in pixels.
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() const { return mCr; }
    cairo_surface_t* Surface() const { return mSurface; }
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    /// Writes the canvas as PNG (see SaveSurface); prints the reason and returns false on failure.
    bool Save(const std::string& path) const;

private:
    int mWidth;
    int mHeight;
    cairo_surface_t* mSurface;
    cairo_t* mCr;
};

/// A colour as 0xRRGGBB plus alpha, for short drawing code.
void SetColour(cairo_t* cr, std::uint32_t rgb, double alpha = 1.0);
/// Adds a colour stop given as 0xRRGGBB to a gradient.
void AddStop(cairo_pattern_t* pattern, double offset, std::uint32_t rgb, double alpha = 1.0);

/// Blurs a premultiplied ARGB32 surface in place with three box passes (close to a Gaussian of
/// the given radius in pixels).
void BlurSurface(cairo_surface_t* surface, double radius);

/// Draws with `draw` into a scratch layer of the canvas' size, blurs it by `radius` and adds it to
/// the canvas with the given strength (additive when `additive`, otherwise over): the neon glow.
/// With `inheritTransform` the layer starts with the canvas' current transformation, so a glow
/// drawn in design units lands where the canvas' own drawing does.
void PaintGlow(const Canvas& canvas, const std::function<void(cairo_t*)>& draw, double radius,
               double strength, bool additive = true, bool inheritTransform = false);

/// Path of a rectangle with rounded corners.
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

/// Font files of the DejaVu family by short name ("Sans", "Sans-Bold", "SansCondensed-Bold",
/// "SansMono", "SansMono-Bold", ...): a Cairo font face, cached for the whole run.
cairo_font_face_t* DejaVuFace(const std::string& style);
/// Full path of a DejaVu font file by short name.
std::string DejaVuPath(const std::string& style);

/// Horizontal placement of DrawText.
enum class Align { kLeft, kCentre, kRight };

/// Draws text with its baseline at y using a DejaVu face; returns the advance width in pixels.
double DrawText(cairo_t* cr, const std::string& style, double size, const std::string& text, double x,
                double y, Align align = Align::kLeft);
/// Advance width of text in pixels.
double TextWidth(cairo_t* cr, const std::string& style, double size, const std::string& text);

/// Deterministic hash of integer coordinates and a seed into [0, 1).
double Hash01(int x, int y, int seed);
/// Smooth value noise in [0, 1) that repeats every `period` units in x and y.
double TiledNoise(double x, double y, int period, int seed);

} // namespace Velmora::Tools

namespace Velmora::Tools {

/// Sets every pixel of a rectangle of the canvas to an opaque colour 0xRRGGBB computed per pixel
/// (for procedural textures; Cairo drawing can follow on top).
void FillPixels(const Canvas& canvas, int x0, int y0, int width, int height,
                const std::function<std::uint32_t(int x, int y)>& colour);

/// Mixes two 0xRRGGBB colours; t = 0 gives a, t = 1 gives b.
std::uint32_t MixColour(std::uint32_t a, std::uint32_t b, double t);
/// Scales the brightness of a 0xRRGGBB colour (clamped).
std::uint32_t ScaleColour(std::uint32_t rgb, double factor);

} // namespace Velmora::Tools
