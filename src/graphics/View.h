#pragma once

#include "core/TileGrid.h"

namespace Velmora::Graphics {

/// The rectangle of the world shown on screen: a centre and a zoom (tile rows visible
/// vertically; a tile is 32 world units), with the window's aspect ratio deciding the width.
/// The rectangle stays empty (all zero) until the first SetPosition or SetZoom.
class View {
public:
    /// The window's size in pixels; the graphics manager reports every mode change.
    void SetWindowSize(int width, int height);
    /// Centres the view on a world point and recomputes the rectangle.
    void SetPosition(double x, double y);
    /// Sets the number of tile rows visible vertically and recomputes the rectangle.
    void SetZoom(double zoom);
    /// Loads the view into the model-view matrix (world units to window pixels). Needs a GL
    /// context; does nothing without one or while the rectangle is empty.
    void ApplyView() const;

    double mCenterX = 0.0;
    double mCenterY = 0.0;
    double mZoom = 12.0;
    double mLeft = 0.0;
    double mBottom = 0.0;
    double mRight = 0.0;
    double mTop = 0.0;

private:
    void Recompute();

    int mWindowWidth = 0;
    int mWindowHeight = 0;
    bool mPlaced = false; ///< a setter has run, so the rectangle is meaningful
};

} // namespace Velmora::Graphics
