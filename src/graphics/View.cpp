#include "graphics/View.h"

#include "graphics/GlContext.h"

#include <GL/glew.h>

namespace Velmora::Graphics {

void View::SetWindowSize(int width, int height) {
    mWindowWidth = width;
    mWindowHeight = height;
    // An empty view stays empty: only a view that has been placed follows the new aspect.
    if (mPlaced) Recompute();
}

void View::SetPosition(double x, double y) {
    mCenterX = x;
    mCenterY = y;
    Recompute();
}

void View::SetZoom(double zoom) {
    mZoom = zoom;
    Recompute();
}

void View::Recompute() {
    mPlaced = true;
    const double aspect = mWindowHeight > 0 ? static_cast<double>(mWindowWidth) / mWindowHeight : 1.0;
    const double height = mZoom * kTileSize;
    const double width = mZoom * aspect * kTileSize;
    mLeft = mCenterX - width / 2.0;
    mBottom = mCenterY - height / 2.0;
    mRight = mLeft + width;
    mTop = mBottom + height;
}

void View::ApplyView() const {
    if (!HasGlContext()) return;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const double width = mRight - mLeft;
    const double height = mTop - mBottom;
    // A zero or negative zoom would scale by infinity; such a view shows the pixel space instead.
    if (!(width > 0.0) || !(height > 0.0)) return;
    glScaled(mWindowWidth / width, mWindowHeight / height, 1.0);
    glTranslated(-mLeft, -mBottom, 0.0);
}

} // namespace Velmora::Graphics
